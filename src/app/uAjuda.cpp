#include "app/uAjuda.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

constexpr QSize TamanhoComoUsar(760, 640);
// The pictures of the windows are drawn at their real size; the guide shows them reduced to
// fit its text.
constexpr int LarguraFiguras = 680;

// The guide's text, whose pictures are reduced smoothly: the text browser's own scaling drops
// rows and columns of pixels, and thin lines and small text vanish.
class TTextoAjuda : public QTextBrowser
{
public:
    explicit TTextoAjuda(QWidget *parent)
        : QTextBrowser(parent)
    { }

    QVariant loadResource(int tipo, const QUrl &nome) override
    {
        const QVariant recurso = QTextBrowser::loadResource(tipo, nome);
        if (tipo != QTextDocument::ImageResource)
            return recurso;
        const QImage figura = QImage::fromData(recurso.toByteArray());
        if (figura.width() <= LarguraFiguras)
            return recurso;
        return figura.scaledToWidth(LarguraFiguras, Qt::SmoothTransformation);
    }
};

} // namespace

TfmComoUsar::TfmComoUsar(QWidget *parent)
    : QDialog(parent)
    , txtComoUsar(new TTextoAjuda(this))
{
    setObjectName(QStringLiteral("fmComoUsar"));
    setWindowTitle(QStringLiteral("Como usar"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(TamanhoComoUsar);

    txtComoUsar->setObjectName(QStringLiteral("txtComoUsar"));
    txtComoUsar->setAccessibleName(QStringLiteral("Como usar"));
    txtComoUsar->setSearchPaths({QStringLiteral(":/ajuda")});
    txtComoUsar->setSource(QUrl(QStringLiteral("como-usar.html")));

    auto *btFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    btFechar->setObjectName(QStringLiteral("btFechar"));
    connect(btFechar, &QPushButton::clicked, this, &QDialog::close);

    auto *disposicao = new QVBoxLayout(this);
    disposicao->addWidget(txtComoUsar, 1);
    disposicao->addWidget(btFechar, 0, Qt::AlignRight);
}

void CriarMenuAjuda(QMenuBar &barra, QWidget &janela)
{
    QMenu *mnAjuda = barra.addMenu(QStringLiteral("Ajuda"));
    mnAjuda->setObjectName(QStringLiteral("mnAjuda"));

    QAction *mnComoUsar = mnAjuda->addAction(QStringLiteral("Como usar"));
    mnComoUsar->setObjectName(QStringLiteral("mnComoUsar"));
    mnComoUsar->setStatusTip(QStringLiteral("Mostrar o guia de uso do programa"));
    mnComoUsar->setShortcut(QKeySequence(Qt::Key_F1));
    QObject::connect(
        mnComoUsar, &QAction::triggered, &janela, [&janela] { MostrarComoUsar(janela); });

    QAction *mnSobre = mnAjuda->addAction(QStringLiteral("Sobre o Varenta-Cotação"));
    mnSobre->setObjectName(QStringLiteral("mnSobre"));
    mnSobre->setStatusTip(QStringLiteral("Mostrar a versão do programa"));
    QObject::connect(mnSobre, &QAction::triggered, &janela, [&janela] { MostrarSobre(janela); });
}

TfmComoUsar *MostrarComoUsar(QWidget &janela)
{
    auto *guia = janela.findChild<TfmComoUsar *>(QString(), Qt::FindDirectChildrenOnly);
    if (!guia)
        guia = new TfmComoUsar(&janela);
    guia->show();
    guia->raise();
    guia->activateWindow();
    return guia;
}

QMessageBox *MostrarSobre(QWidget &janela)
{
    auto *sobre = new QMessageBox(&janela);
    sobre->setObjectName(QStringLiteral("fmSobre"));
    sobre->setAttribute(Qt::WA_DeleteOnClose);
    sobre->setWindowTitle(QStringLiteral("Sobre o Varenta-Cotação"));
    sobre->setTextFormat(Qt::RichText);
    sobre->setText(QStringLiteral("<h3>Varenta-Cotação</h3><p>Versão %1</p>")
                       .arg(QStringLiteral(VARENTA_VERSAO)));
    sobre->setInformativeText(
        QStringLiteral("<p>Programa com que o fornecedor responde aos pedidos de cotação "
                       "(arquivos .kvt) de órgãos públicos: preços, marcas, proposta impressa e "
                       "o arquivo de resposta.</p><p>Feito com Qt %1.</p>")
            .arg(QString::fromLatin1(qVersion())));
    QPushButton *fechar = sobre->addButton(QStringLiteral("&Fechar"), QMessageBox::AcceptRole);
    fechar->setObjectName(QStringLiteral("btFechar"));
    sobre->setDefaultButton(fechar);
    sobre->setEscapeButton(fechar);
    sobre->open();
    return sobre;
}
