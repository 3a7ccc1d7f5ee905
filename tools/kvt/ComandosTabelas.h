#pragma once

#include <QString>
#include <QStringList>

class TExpImpCotacao;
class TTabelasCotacao;

// The main window's open road without a window: the tables readied for a load, then the file
// imported into them, working in the private temporary folder. Raises when the file was not
// imported (after the controller's own messages and log).
void AbrirNasTabelas(const QString &arquivo, TExpImpCotacao &controlador, TTabelasCotacao &tabelas);
// Why an open that answered false failed: the file is missing, or it could not be imported.
[[noreturn]] void RecusarAbertura(const QString &arquivo);

// kvt tables FILE: the header, lots, items and quotas tables after the open, as JSON.
int ComandoTables(const QStringList &argumentos);
// kvt resave FILE FOLDER: FILE read and written again under its canonical name into FOLDER;
// prints the written container's path. FILE itself stays.
int ComandoResave(const QStringList &argumentos);
