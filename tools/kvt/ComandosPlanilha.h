#pragma once

#include <QStringList>

// kvt planilha FILE OUT: the items of FILE written to the spreadsheet OUT (.xlsx or .csv).
int ComandoPlanilha(const QStringList &argumentos);
// kvt importar FILE SHEET FOLDER [--aceitar-acima-do-maximo]: the answers of SHEET applied to
// FILE, saved under the canonical name into FOLDER; prints the written path. Any problem line
// refuses the whole sheet and writes nothing.
int ComandoImportar(const QStringList &argumentos);
