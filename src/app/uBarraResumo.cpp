#include "app/uBarraResumo.h"

#include "app/uRegrasCotacao.h"

#include <QLabel>

TBarraResumo::TBarraResumo(QWidget *parent)
    : QStatusBar(parent)
    , m_cotados(new QLabel(this))
    , m_acima(new QLabel(this))
    , m_total(new QLabel(this))
{
    setObjectName(QStringLiteral("sbResumo"));
    m_cotados->setObjectName(QStringLiteral("lbItensCotados"));
    m_acima->setObjectName(QStringLiteral("lbAcimaDoMaximo"));
    m_total->setObjectName(QStringLiteral("lbTotalProposta"));
    m_acima->setStyleSheet(QStringLiteral("color: #a40000; font-weight: bold"));
    addWidget(m_cotados);
    addWidget(m_acima);
    addPermanentWidget(m_total);
    Limpar();
}

void TBarraResumo::Mostrar(const TResumoProposta &resumo, const QString &totalFormatado)
{
    m_cotados->setText(
        QStringLiteral("Itens cotados: %1 de %2").arg(resumo.Cotados).arg(resumo.Itens));
    // Nothing above the maximum says nothing, to the eye or to a screen reader.
    m_acima->setText(resumo.AcimaDoMaximo > 0
            ? QStringLiteral("Acima do máximo: %1").arg(resumo.AcimaDoMaximo)
            : QString());
    m_cotados->show();
    m_acima->setVisible(resumo.AcimaDoMaximo > 0);
    m_total->show();
    m_total->setText(QStringLiteral("Total da proposta: R$ ") + totalFormatado);
    for (QLabel *parte : {m_cotados, m_acima, m_total})
        parte->setAccessibleName(parte->text());
}

void TBarraResumo::Limpar()
{
    for (QLabel *parte : {m_cotados, m_acima, m_total}) {
        parte->clear();
        parte->hide();
    }
}
