#include "common/uPastaTemporaria.h"

#include "common/uExcecoes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

QString PastaTemporaria()
{
    // Destroyed, and so removed, when the program ends.
    static std::unique_ptr<QTemporaryDir> pasta;
    if (!pasta) {
        auto nova = std::make_unique<QTemporaryDir>(
            QDir::tempPath() + QStringLiteral("/varenta-cotacao-XXXXXX"));
        if (!nova->isValid()
            || !QFile::setPermissions(
                nova->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
            throw EFileError(
                QStringLiteral("Não foi possível criar a pasta temporária do programa."));
        }
        pasta = std::move(nova);
    }
    return pasta->path() + QLatin1Char('/');
}
