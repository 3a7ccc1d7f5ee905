#pragma once

#include <QString>

// The one way the program joins a folder and a name: the folder, a "/" unless the folder
// already ends with one (or is empty), then the name. Folders arrive with and without their
// trailing separator; the result is the same either way.
QString CaminhoEm(const QString &pasta, const QString &nome);
