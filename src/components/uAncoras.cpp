#include "components/uAncoras.h"

#include <QEvent>
#include <QResizeEvent>
#include <QWidget>

namespace {

// One axis of a control: its start and length for a container grown by delta. Anchored at
// neither end, it keeps its centre at the same proportion of the container.
void Ajustar(int &inicio, int &comprimento, int delta, int desenho, bool noInicio, bool noFim)
{
    if (noInicio && noFim)
        comprimento += delta;
    else if (noFim)
        inicio += delta;
    else if (!noInicio && desenho > 0)
        inicio += delta * (inicio + comprimento / 2) / desenho;
}

} // namespace

TAncoragem::TAncoragem(QWidget &conteiner)
    : QObject(&conteiner)
    , m_desenho(conteiner.size())
{
    conteiner.installEventFilter(this);
}

void TAncoragem::Ancorar(QWidget &controle, TAnchors ancoras)
{
    m_controles.push_back({&controle, controle.geometry(), ancoras});
}

bool TAncoragem::eventFilter(QObject *objeto, QEvent *evento)
{
    if (evento->type() == QEvent::Resize)
        Reposicionar(static_cast<QResizeEvent *>(evento)->size());
    return QObject::eventFilter(objeto, evento);
}

void TAncoragem::Reposicionar(const QSize &tamanho) const
{
    for (const TControleAncorado &ancorado : m_controles) {
        if (!ancorado.controle)
            continue;
        int x = ancorado.desenho.x();
        int largura = ancorado.desenho.width();
        int y = ancorado.desenho.y();
        int altura = ancorado.desenho.height();
        Ajustar(x, largura, tamanho.width() - m_desenho.width(), m_desenho.width(),
            ancorado.ancoras.testFlag(akLeft), ancorado.ancoras.testFlag(akRight));
        Ajustar(y, altura, tamanho.height() - m_desenho.height(), m_desenho.height(),
            ancorado.ancoras.testFlag(akTop), ancorado.ancoras.testFlag(akBottom));
        ancorado.controle->setGeometry(x, y, largura, altura);
    }
}
