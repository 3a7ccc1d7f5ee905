#include "app/uDetalhesItem.h"

#include "app/uRegrasCotacao.h"
#include "common/uFormatFloat.h"
#include "components/MemTable.h"
#include "model/uTabelasCotacao.h"
#include "model/uVTExpImpCotacaoItem.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

// One line of the panel: its name in bold, then the value.
QString Linha(const QString &nome, const QString &valor)
{
    return QStringLiteral("<p style=\"margin:0 0 4px 0\"><b>%1:</b> %2</p>")
        .arg(nome.toHtmlEscaped(), valor.toHtmlEscaped());
}

} // namespace

TPainelDetalhesItem::TPainelDetalhesItem(
    TRegrasCotacao &regras, TDataSource *dsItens, QWidget *parent)
    : QGroupBox(QStringLiteral("Detalhes do item"), parent)
    , m_regras(regras)
    , m_texto(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("gbDetalhesItem"));
    m_texto->setObjectName(QStringLiteral("txtDetalhesItem"));
    m_texto->setAccessibleName(title());
    m_texto->setOpenLinks(false);
    m_texto->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto *disposicao = new QVBoxLayout(this);
    disposicao->setContentsMargins(4, 2, 4, 4);
    disposicao->addWidget(m_texto);

    for (auto sinal : {&TDataSource::dataSetScrolled, &TDataSource::dataSetChanged})
        connect(dsItens, sinal, this, &TPainelDetalhesItem::Mostrar);
    connect(dsItens, &TDataSource::activeChanged, this, &TPainelDetalhesItem::Mostrar);
    Mostrar();
}

QString TPainelDetalhesItem::Texto() const
{
    return m_texto->toPlainText();
}

void TPainelDetalhesItem::Mostrar()
{
    const int indice = m_regras.EntradaAtual();
    if (indice < 0) {
        m_texto->clear();
        return;
    }
    const TEntradaItem &entrada = m_regras.Indice().Entrada(indice);
    const TItem &item = *entrada.Item;
    const TTabelasCotacao &t = m_regras.Tabelas();
    const auto numero = [](const TField &campo, double valor) {
        const QString texto = FormatFloat(campo.DisplayFormat(), valor).trimmed();
        return texto.isEmpty() ? QStringLiteral("0") : texto;
    };
    QString html = Linha(QStringLiteral("Material/Serviço"), item.DescricaoMatServ);
    if (!item.ObjetoResumidoMatServ.trimmed().isEmpty())
        html += Linha(QStringLiteral("Resumo do material"), item.ObjetoResumidoMatServ);
    if (!item.ObjetoResumidoItem.trimmed().isEmpty())
        html += Linha(QStringLiteral("Resumo do item"), item.ObjetoResumidoItem);
    html += Linha(QStringLiteral("Quantidade"), numero(*t.mmItensQtdLicitada, item.Quantidade));
    // A price survey carries no minimum, maximum or treatment.
    if (m_regras.TipoCotacao() == 0) {
        html += Linha(
            QStringLiteral("Qtd. mínima"), numero(*t.mmItensQtdLicitada, item.QuantidadeMinima));
        html += Linha(QStringLiteral("Valor máximo (R$)"),
            item.ValorMaximo > 0 ? numero(*t.mmItensVlMaximo, item.ValorMaximo)
                                 : QStringLiteral("sem valor máximo"));
        html += Linha(QStringLiteral("Tratamento"), NomeTratamento(item.Tratamento));
    }
    m_texto->setHtml(html);
}
