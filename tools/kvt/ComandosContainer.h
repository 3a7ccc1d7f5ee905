#pragma once

#include <QStringList>

// kvt pack DOC FOLDER: the container of DOC written as FOLDER/NAME.kvt.
int ComandoPack(const QStringList &argumentos);
// kvt unpack FILE OUT: the document of FOLDER/BASE.kvt (FILE's folder and base name) into OUT.
int ComandoUnpack(const QStringList &argumentos);
