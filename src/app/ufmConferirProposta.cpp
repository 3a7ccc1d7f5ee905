#include "app/ufmConferirProposta.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TfmConferirProposta::TfmConferirProposta(std::vector<TPendencia> pendencias, QWidget *parent)
    : QDialog(parent)
    , m_pendencias(std::move(pendencias))
    , m_lista(new QListWidget(this))
{
    setObjectName(QStringLiteral("fmConferirProposta"));
    setWindowTitle(QStringLiteral("Conferir proposta"));
    resize(640, 360);

    auto *explicacao = new QLabel(m_pendencias.empty()
            ? QStringLiteral("Nada a corrigir: a proposta pode ser salva e enviada.")
            : QStringLiteral("Clique duas vezes numa linha para ir ao item ou ao campo. Nada "
                             "impede salvar: confira antes de enviar."),
        this);
    explicacao->setWordWrap(true);
    m_lista->setObjectName(QStringLiteral("lstPendencias"));
    m_lista->setAccessibleName(QStringLiteral("Pendências da proposta"));
    m_lista->setWordWrap(true);
    for (const TPendencia &pendencia : m_pendencias)
        m_lista->addItem(pendencia.Texto);
    if (!m_pendencias.empty())
        m_lista->setCurrentRow(0);
    connect(m_lista, &QListWidget::itemActivated, this, &TfmConferirProposta::Escolher);

    auto *botoes = new QDialogButtonBox(QDialogButtonBox::Close, this);
    botoes->button(QDialogButtonBox::Close)->setText(QStringLiteral("&Fechar"));
    connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *disposicao = new QVBoxLayout(this);
    disposicao->addWidget(explicacao);
    disposicao->addWidget(m_lista, 1);
    disposicao->addWidget(botoes);
}

const TPendencia *TfmConferirProposta::Escolhida() const
{
    return m_escolhida >= 0 ? &m_pendencias[std::size_t(m_escolhida)] : nullptr;
}

void TfmConferirProposta::Escolher()
{
    const int linha = m_lista->currentRow();
    if (linha < 0 || m_pendencias[std::size_t(linha)].Destino == TPendencia::Nenhum)
        return;
    m_escolhida = linha;
    accept();
}
