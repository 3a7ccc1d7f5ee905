#include "app/uTraducoes.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool CarregarTraducoesQt(QCoreApplication &aplicacao)
{
    const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    QLocale::setDefault(brasil);
    auto *traducoes = new QTranslator(&aplicacao);
    if (!traducoes->load(brasil, QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traducoes;
        return false;
    }
    return QCoreApplication::installTranslator(traducoes);
}
