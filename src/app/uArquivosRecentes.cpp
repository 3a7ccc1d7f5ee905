#include "app/uArquivosRecentes.h"

#include "messages/ExibeMensagens.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace {

const QString Chave = QStringLiteral("ArquivosRecentes");

} // namespace

TArquivosRecentes::TArquivosRecentes(QMenu &menu, QAction &apos, QObject *parent)
    : QObject(parent)
    , mnAbrirRecente(new QMenu(QStringLiteral("Abrir recente"), &menu))
{
    mnAbrirRecente->setObjectName(QStringLiteral("mnAbrirRecente"));
    mnAbrirRecente->menuAction()->setObjectName(QStringLiteral("mnAbrirRecenteMenu"));
    mnAbrirRecente->menuAction()->setStatusTip(
        QStringLiteral("Abrir um dos últimos arquivos abertos"));
    // The entries show the file's name; its folder shows when pointing at it.
    mnAbrirRecente->setToolTipsVisible(true);
    const QList<QAction *> comandos = menu.actions();
    const qsizetype depois = comandos.indexOf(&apos) + 1;
    menu.insertMenu(
        depois > 0 && depois < comandos.size() ? comandos.at(depois) : nullptr, mnAbrirRecente);
    Atualizar();
}

QStringList TArquivosRecentes::Arquivos() const
{
    return QSettings().value(Chave).toStringList().mid(0, Maximo);
}

void TArquivosRecentes::Registrar(const QString &caminho)
{
    const QString arquivo = QDir::cleanPath(QFileInfo(caminho).absoluteFilePath());
    QStringList arquivos = Arquivos();
    if (!arquivos.isEmpty() && arquivos.constFirst() == arquivo)
        return;
    arquivos.removeAll(arquivo);
    arquivos.prepend(arquivo);
    Gravar(arquivos);
}

void TArquivosRecentes::Gravar(QStringList arquivos)
{
    QSettings().setValue(Chave, arquivos.mid(0, Maximo));
    Atualizar();
}

void TArquivosRecentes::Atualizar()
{
    mnAbrirRecente->clear();
    const QStringList arquivos = Arquivos();
    for (qsizetype i = 0; i < arquivos.size(); ++i) {
        const QString &caminho = arquivos.at(i);
        QString nome = QFileInfo(caminho).fileName();
        nome.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *item
            = mnAbrirRecente->addAction(QStringLiteral("&%1 %2").arg(QString::number(i + 1), nome));
        item->setToolTip(QDir::toNativeSeparators(caminho));
        item->setStatusTip(item->toolTip());
        connect(item, &QAction::triggered, this, [this, caminho] { Escolher(caminho); });
    }
    mnAbrirRecente->menuAction()->setEnabled(!arquivos.isEmpty());
}

void TArquivosRecentes::Escolher(const QString &caminho)
{
    if (QFileInfo::exists(caminho)) {
        Q_EMIT Escolhido(caminho);
        return;
    }
    QStringList arquivos = Arquivos();
    arquivos.removeAll(caminho);
    Gravar(arquivos);
    ExibeAviso(QStringLiteral("O arquivo %1 não existe mais e foi retirado da lista de arquivos "
                              "recentes.")
                   .arg(QDir::toNativeSeparators(caminho)));
}
