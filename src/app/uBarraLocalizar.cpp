#include "app/uBarraLocalizar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QToolButton>

TBarraLocalizar::TBarraLocalizar(QWidget *parent)
    : QWidget(parent)
    , m_texto(new QLineEdit(this))
    , m_resultado(new QLabel(this))
{
    setObjectName(QStringLiteral("pnLocalizar"));
    auto *rotulo = new QLabel(QStringLiteral("&Localizar:"), this);
    rotulo->setBuddy(m_texto);
    m_texto->setObjectName(QStringLiteral("edLocalizar"));
    m_texto->setAccessibleName(QStringLiteral("Localizar:"));
    m_texto->setPlaceholderText(QStringLiteral("número do item ou palavras da descrição"));
    m_texto->setClearButtonEnabled(true);
    m_texto->installEventFilter(this);
    m_resultado->setObjectName(QStringLiteral("lbResultadoLocalizar"));

    const auto botao = [this](const char *nome, const QString &texto, const QString &dica) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(nome));
        b->setText(texto);
        b->setToolTip(dica);
        b->setAccessibleName(dica);
        b->setAutoRaise(true);
        return b;
    };
    QToolButton *anterior = botao("btAnterior", QStringLiteral("▲"), QStringLiteral("Anterior"));
    QToolButton *proximo = botao("btProximo", QStringLiteral("▼"), QStringLiteral("Próximo"));
    QToolButton *fechar = botao("btFecharLocalizar", QStringLiteral("✕"), QStringLiteral("Fechar"));
    connect(anterior, &QToolButton::clicked, this, [this] { Procurar(true); });
    connect(proximo, &QToolButton::clicked, this, [this] { Procurar(false); });
    connect(fechar, &QToolButton::clicked, this, &TBarraLocalizar::Fechar);
    // F3 goes on searching from anywhere in the window while the bar is shown.
    for (const bool paraTras : {false, true}) {
        auto *atalho = new QShortcut(
            QKeySequence(paraTras ? Qt::SHIFT | Qt::Key_F3 : QKeyCombination(Qt::Key_F3)), this);
        atalho->setContext(Qt::WindowShortcut);
        connect(atalho, &QShortcut::activated, this, [this, paraTras] { Procurar(paraTras); });
    }

    auto *disposicao = new QHBoxLayout(this);
    disposicao->setContentsMargins(6, 2, 6, 2);
    disposicao->addWidget(rotulo);
    disposicao->addWidget(m_texto, 1);
    disposicao->addWidget(anterior);
    disposicao->addWidget(proximo);
    disposicao->addWidget(m_resultado);
    disposicao->addStretch(1);
    disposicao->addWidget(fechar);
    hide();
}

void TBarraLocalizar::Abrir()
{
    show();
    m_texto->setFocus(Qt::ShortcutFocusReason);
    m_texto->selectAll();
}

QString TBarraLocalizar::Texto() const
{
    return m_texto->text();
}

void TBarraLocalizar::Resultado(bool achou)
{
    m_resultado->setText(achou ? QString() : QStringLiteral("Nenhum item encontrado."));
}

void TBarraLocalizar::Procurar(bool paraTras)
{
    if (!m_texto->text().trimmed().isEmpty())
        Q_EMIT procurar(m_texto->text(), paraTras);
}

void TBarraLocalizar::Fechar()
{
    hide();
    m_resultado->clear();
    Q_EMIT fechada();
}

bool TBarraLocalizar::eventFilter(QObject *objeto, QEvent *event)
{
    if (objeto != m_texto || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(objeto, event);
    const auto *tecla = static_cast<QKeyEvent *>(event);
    switch (tecla->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Procurar(tecla->modifiers() & Qt::ShiftModifier);
        return true;
    case Qt::Key_Escape:
        Fechar();
        return true;
    default:
        return false;
    }
}
