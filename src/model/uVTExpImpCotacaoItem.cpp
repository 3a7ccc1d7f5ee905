#include "model/uVTExpImpCotacaoItem.h"

QString NomeTratamento(qint32 codigo)
{
    switch (codigo) {
    case 1:
        return QStringLiteral("Normal");
    case 2:
        return QStringLiteral("Exclusivo para ME/EPP");
    case 3:
        return QStringLiteral("Cota Principal");
    case 4:
        return QStringLiteral("Cota Reservada");
    default:
        return QString();
    }
}
