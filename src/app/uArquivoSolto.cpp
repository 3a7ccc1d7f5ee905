#include "app/uArquivoSolto.h"

#include <QMimeData>
#include <QUrl>

QString ArquivoCotacaoSolto(const QMimeData *dados)
{
    if (!dados || !dados->hasUrls())
        return QString();
    for (const QUrl &url : dados->urls()) {
        const QString caminho = url.toLocalFile();
        if (!caminho.isEmpty() && caminho.endsWith(QLatin1String(".kvt"), Qt::CaseInsensitive))
            return caminho;
    }
    return QString();
}
