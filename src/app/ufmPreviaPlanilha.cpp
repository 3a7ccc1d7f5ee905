#include "app/ufmPreviaPlanilha.h"

#include "app/uModeloPreviaPlanilha.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// A label that names the list under it, for the eye and for the accessibility tree.
QLabel *Rotulo(const QString &texto, QWidget *lista, QWidget *parent)
{
    auto *rotulo = new QLabel(texto, parent);
    rotulo->setBuddy(lista);
    lista->setAccessibleName(rotulo->text().remove(QLatin1Char('&')));
    return rotulo;
}

} // namespace

TfmPreviaPlanilha::TfmPreviaPlanilha(
    const TConferenciaPlanilha &conferencia, const QString &origem, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fmPreviaPlanilha"));
    setWindowTitle(QStringLiteral("Importar planilha"));
    resize(860, 520);
    setMinimumSize(640, 400);

    auto *disposicao = new QVBoxLayout(this);
    auto *resumo = new QLabel(
        QStringLiteral("%1: %2 %3 e %4 %5. As linhas com problema não serão aplicadas.")
            .arg(origem)
            .arg(conferencia.Alteracoes.size())
            .arg(conferencia.Alteracoes.size() == 1 ? QStringLiteral("item a alterar")
                                                    : QStringLiteral("itens a alterar"))
            .arg(conferencia.Problemas.size())
            .arg(conferencia.Problemas.size() == 1 ? QStringLiteral("linha com problema")
                                                   : QStringLiteral("linhas com problema")),
        this);
    resumo->setObjectName(QStringLiteral("lbResumo"));
    for (const TAlteracaoItem &alteracao : conferencia.Alteracoes) {
        if (alteracao.AcimaDoMaximo()) {
            resumo->setText(
                resumo->text() + QStringLiteral(" Em vermelho, os valores acima do preço máximo."));
            break;
        }
    }
    resumo->setWordWrap(true);
    disposicao->addWidget(resumo);

    m_alteracoes = Lista(new TModeloAlteracoesPlanilha(conferencia.Alteracoes, this),
        QStringLiteral("dbgAlteracoes"));
    disposicao->addWidget(Rotulo(QStringLiteral("&Alterações"), m_alteracoes, this));
    disposicao->addWidget(m_alteracoes, 3);

    m_problemas = Lista(
        new TModeloProblemasPlanilha(conferencia.Problemas, this), QStringLiteral("dbgProblemas"));
    disposicao->addWidget(Rotulo(QStringLiteral("&Problemas"), m_problemas, this));
    disposicao->addWidget(m_problemas, 2);

    auto *botoes = new QHBoxLayout;
    botoes->addStretch(1);
    m_aplicar = new QPushButton(QStringLiteral("Aplicar"), this);
    m_aplicar->setObjectName(QStringLiteral("btAplicar"));
    m_aplicar->setAccessibleName(QStringLiteral("Aplicar"));
    m_aplicar->setEnabled(!conferencia.Alteracoes.empty());
    m_aplicar->setDefault(!conferencia.Alteracoes.empty());
    m_cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    m_cancelar->setObjectName(QStringLiteral("btCancelar"));
    m_cancelar->setAccessibleName(QStringLiteral("Cancelar"));
    botoes->addWidget(m_aplicar);
    botoes->addWidget(m_cancelar);
    disposicao->addLayout(botoes);
    connect(m_aplicar, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

QTableView *TfmPreviaPlanilha::Lista(QAbstractItemModel *modelo, const QString &nome)
{
    auto *lista = new QTableView(this);
    lista->setObjectName(nome);
    lista->setModel(modelo);
    lista->setSelectionBehavior(QAbstractItemView::SelectRows);
    lista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lista->verticalHeader()->hide();
    lista->horizontalHeader()->setStretchLastSection(true);
    lista->setWordWrap(false);
    lista->resizeColumnsToContents();
    return lista;
}
