#pragma once

#include <QStringList>

// kvt check FILE: the open road up to the model read; prints "ok".
int ComandoCheck(const QStringList &argumentos);
// kvt dump FILE: as check, then prints the model as one JSON object.
int ComandoDump(const QStringList &argumentos);
