#include "app/uJanelaSecundaria.h"

#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// The layout is measured in pixels, so its text is too, whatever the desktop's font size: the
// desktop's sans font in its semi-condensed face, small enough for the longest titles to fit
// their columns ("Forma de julgamento:" ends 106 pixels from the window's edge).
constexpr int TamanhoFonte = 10;

} // namespace

TJanelaSecundaria::TJanelaSecundaria(
    const QString &nomePainel, QSize cliente, Qt::WindowFlags botoes, QWidget *parent)
    : QDialog(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint | botoes)
    , m_painel(new QWidget(this))
{
    QFont fonte = font();
    fonte.setPixelSize(TamanhoFonte);
    fonte.setStretch(QFont::SemiCondensed);
    setFont(fonte);
    setMinimumSize(cliente);
    resize(cliente);

    m_painel->setObjectName(nomePainel);
    m_painel->resize(cliente);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_painel);
    m_ancoragem = new TAncoragem(*m_painel);
}

void TJanelaSecundaria::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (evento->spontaneous())
        return;
    QRect moldura = frameGeometry();
    moldura.moveCenter(screen()->availableGeometry().center());
    move(moldura.topLeft());
}

void TJanelaSecundaria::keyPressEvent(QKeyEvent *evento)
{
    if (evento->key() == Qt::Key_Escape && evento->modifiers() == Qt::NoModifier) {
        evento->accept();
        return;
    }
    QDialog::keyPressEvent(evento);
}
