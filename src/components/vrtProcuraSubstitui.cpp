#include "components/vrtProcuraSubstitui.h"

#include "components/vrtDBMemo.h"
#include "messages/ExibeMensagens.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QCursor>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTextCursor>

#include <new>

namespace {

const QString Titulo = QStringLiteral("Atenção");

// Read-only as the find commands see it: a data memo by its bound state, a plain memo by its
// own setting.
bool SomenteLeitura(const QPlainTextEdit *alvo)
{
    if (const auto *memo = qobject_cast<const TVrtDBMemo *>(alvo))
        return memo->SomenteLeitura();
    return alvo->isReadOnly();
}

// A change from a menu command: a data memo asks its hook and puts its row into edit.
bool LiberarAlteracao(QPlainTextEdit *alvo)
{
    if (auto *memo = qobject_cast<TVrtDBMemo *>(alvo))
        return memo->PodeAlterar();
    return !alvo->isReadOnly();
}

// The selection stays visible while the find window has the focus.
void ManterSelecaoVisivel(QPlainTextEdit *alvo)
{
    QPalette cores = alvo->palette();
    for (QPalette::ColorRole papel : {QPalette::Highlight, QPalette::HighlightedText})
        cores.setColor(QPalette::Inactive, papel, cores.color(QPalette::Active, papel));
    alvo->setPalette(cores);
}

void Selecionar(QPlainTextEdit *alvo, int inicio, int tamanho)
{
    QTextCursor cursor = alvo->textCursor();
    cursor.setPosition(inicio);
    cursor.setPosition(inicio + tamanho, QTextCursor::KeepAnchor);
    alvo->setTextCursor(cursor);
}

} // namespace

TVrtProcuraDlg::TVrtProcuraDlg(QObject *parent)
    : QObject(parent)
{ }

TVrtProcuraDlg::~TVrtProcuraDlg() = default;

void TVrtProcuraDlg::MostrarMenu(QPlainTextEdit *memo)
{
    m_alvo = memo;
    if (!m_alvo)
        return;
    if (!m_menu)
        CriarMenu();
    AtualizarMenu();
    m_menu->popup(QCursor::pos());
}

void TVrtProcuraDlg::CriarMenu()
{
    m_menu = std::make_unique<QMenu>();
    const auto item = [this](const QString &texto, auto acao) {
        QAction *acaoMenu = m_menu->addAction(texto);
        connect(acaoMenu, &QAction::triggered, this, [this, acao] {
            if (m_alvo)
                acao(m_alvo.data());
        });
        return acaoMenu;
    };
    m_desfazer = item(QStringLiteral("Desfazer"), [](QPlainTextEdit *alvo) {
        if (LiberarAlteracao(alvo))
            alvo->undo();
    });
    m_menu->addSeparator();
    m_recortar = item(QStringLiteral("Recortar"), [](QPlainTextEdit *alvo) {
        if (LiberarAlteracao(alvo))
            alvo->cut();
    });
    m_copiar = item(QStringLiteral("Copiar"), [](QPlainTextEdit *alvo) { alvo->copy(); });
    // A data memo's paste asks its hook on the way in.
    m_colar = item(QStringLiteral("Colar"), [](QPlainTextEdit *alvo) { alvo->paste(); });
    m_excluir = item(QStringLiteral("Excluir"), [](QPlainTextEdit *alvo) {
        if (LiberarAlteracao(alvo))
            alvo->textCursor().removeSelectedText();
    });
    m_menu->addSeparator();
    m_localizar = item(QStringLiteral("&Localizar texto (Ctrl+L)"),
        [this](QPlainTextEdit *alvo) { AbrirProcura(mpLocalizar, alvo); });
    m_localizarProxima = item(QStringLiteral("Localizar próxima (F3)"),
        [this](QPlainTextEdit *alvo) { ProcurarProxima(alvo); });
    m_substituir = item(QStringLiteral("S&ubstituir (Ctrl+U)"),
        [this](QPlainTextEdit *alvo) { AbrirProcura(mpSubstituir, alvo); });
    m_menu->addSeparator();
    m_selecionarTudo
        = item(QStringLiteral("&Selecionar tudo"), [](QPlainTextEdit *alvo) { alvo->selectAll(); });
}

void TVrtProcuraDlg::AtualizarMenu()
{
    const bool selecao = m_alvo->textCursor().hasSelection();
    const bool somenteLeitura = SomenteLeitura(m_alvo);
    const bool haTexto = !QGuiApplication::clipboard()->text().isEmpty();
    m_recortar->setEnabled(selecao && !somenteLeitura);
    m_copiar->setEnabled(selecao);
    m_colar->setEnabled(haTexto && !somenteLeitura);
    m_excluir->setEnabled(selecao && !somenteLeitura);
    m_localizarProxima->setEnabled(!TextoProcura.isEmpty());
    m_substituir->setEnabled(!somenteLeitura);
}

void TVrtProcuraDlg::AbrirProcura(TModoProcura modo, QPlainTextEdit *controle)
{
    if (!controle)
        return;
    if (auto *memo = qobject_cast<TVrtDBMemo *>(controle); memo && memo->OnBeforeChange()) {
        bool cancela = false;
        memo->OnBeforeChange()(memo, cancela);
        if (cancela)
            return;
    }
    m_alvo = controle;
    ManterSelecaoVisivel(controle);
    ExibirFormProcura(modo);
}

void TVrtProcuraDlg::ProcurarProxima(QPlainTextEdit *memo)
{
    m_alvo = memo;
    ExecutarProcura(true, false, true);
}

void TVrtProcuraDlg::ExibirFormProcura(TModoProcura modo)
{
    try {
        std::unique_ptr<TFormProcuraSubstitui> janela;
        {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            const auto cursorNormal = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
            janela = std::make_unique<TFormProcuraSubstitui>(modo, *this);
        }
        janela->exec();
    } catch (const std::bad_alloc &) {
        ExibeMensagem(tmErro, Titulo,
            modo == mpLocalizar
                ? QStringLiteral("Não será possível visualizar a tela de procura, pois não há "
                                 "memória suficiente.")
                : QStringLiteral("Não será possível visualizar a tela de procura/substitui, pois "
                                 "não há memória suficiente."),
            bmContinuar);
    } catch (const std::exception &) {
        ExibeMensagem(tmErro, Titulo,
            modo == mpLocalizar
                ? QStringLiteral("Ocorreu um erro desconhecido ao visualizar a tela de procura.")
                : QStringLiteral(
                    "Ocorreu um erro desconhecido ao visualizar a tela de procura/substitui."),
            bmContinuar);
    }
}

int TVrtProcuraDlg::Posicao(const QString &texto, int inicio) const
{
    // An empty text is found nowhere.
    if (TextoProcura.isEmpty())
        return 0;
    const int indice = int(texto.indexOf(
        TextoProcura, inicio, DiferenciaMaiusculas ? Qt::CaseSensitive : Qt::CaseInsensitive));
    return indice < 0 ? 0 : indice - inicio + 1;
}

void TVrtProcuraDlg::Substituir()
{
    if (auto *memo = qobject_cast<TVrtDBMemo *>(m_alvo)) {
        memo->SubstituirSelecao(TextoSubstitui);
        return;
    }
    QTextCursor cursor = m_alvo->textCursor();
    cursor.insertText(TextoSubstitui);
    m_alvo->setTextCursor(cursor);
}

void TVrtProcuraDlg::ExecutarProcura(bool doCursor, bool comSubstituicao, bool avisarSeFalhar)
{
    if (!m_alvo || (doCursor && TextoProcura.isEmpty()))
        return;
    bool encontrou = false;
    // Each replacement continues from the caret, just after the inserted text: during a
    // replace-all run it replaces the next match in turn, otherwise it only selects it. A loop
    // rather than a call per match, so that a long text cannot exhaust the stack.
    for (;;) {
        const QString texto = m_alvo->toPlainText();
        const QTextCursor cursor = m_alvo->textCursor();
        int inicio = 0;
        if (doCursor) {
            inicio = cursor.selectionStart();
            if (cursor.hasSelection() && !comSubstituicao)
                inicio = cursor.selectionEnd();
        }
        // Pending paints only: a click queued meanwhile must not start a second search inside
        // this one.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!m_alvo)
            return;
        PosicaoEncontrada = Posicao(texto, inicio);
        if (PosicaoEncontrada == 0) {
            if (avisarSeFalhar)
                ExibeMensagem(tmInformacao, Titulo,
                    QStringLiteral("Texto não encontrado (") + TextoProcura + QLatin1Char(')'),
                    bmContinuar);
            break;
        }
        encontrou = true;
        Selecionar(m_alvo, inicio + PosicaoEncontrada - 1, int(TextoProcura.size()));
        if (SubstituirTodas)
            AguardandoSelecao = false;
        if (comSubstituicao && !AguardandoSelecao) {
            Substituir();
            doCursor = true;
            comSubstituicao = SubstituirTodas;
            avisarSeFalhar = false;
            continue;
        }
        if (comSubstituicao)
            AguardandoSelecao = false; // the first replace request only selects its match
        break;
    }
    if (encontrou)
        m_alvo->ensureCursorVisible();
    m_alvo->setFocus();
}

TFormProcuraSubstitui::TFormProcuraSubstitui(
    TModoProcura modo, TVrtProcuraDlg &procura, QWidget *parent)
    : QDialog(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint
            | Qt::MSWindowsFixedSizeDialogHint)
    , m_modo(modo)
    , m_procura(procura)
{
    CriarControles();
    AplicarModo();
}

void TFormProcuraSubstitui::CriarControles()
{
    setFixedSize(422, 119);
    // The window is drawn for a small sans serif of 8 points; this family has the widths it was
    // measured with.
    QFont fonte(QStringLiteral("Liberation Sans"));
    fonte.setPixelSize(11);
    setFont(fonte);

    // Right-aligned labels keep their right edge; a text wider than the label grows leftwards.
    const auto rotulo = [this](const QString &nome, const QString &texto, int topo) {
        auto *label = new QLabel(texto, this);
        label->setObjectName(nome);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const int largura = qMax(64, label->sizeHint().width());
        label->setGeometry(8 + 64 - largura, topo, largura, label->sizeHint().height());
        return label;
    };
    Label1 = rotulo(QStringLiteral("Label1"), QStringLiteral("Localizar:"), 12);
    lb_Substitui = rotulo(QStringLiteral("lb_Substitui"), QStringLiteral("Substituir por:"), 41);

    const auto campo = [this](const QString &nome, int topo) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(nome);
        edit->setGeometry(75, topo, 340, 21);
        return edit;
    };
    ed_Procura = campo(QStringLiteral("ed_Procura"), 8);
    ed_Substitui = campo(QStringLiteral("ed_Substitui"), 37);

    ck_CaseSensitive = new QCheckBox(QStringLiteral("Diferenciar &maiúsculas/minúsculas"), this);
    ck_CaseSensitive->setObjectName(QStringLiteral("ck_CaseSensitive"));
    ck_CaseSensitive->setGeometry(76, 66, qMax(186, ck_CaseSensitive->sizeHint().width()), 17);

    const auto botao = [this](const QString &nome, const QString &texto, int esquerda) {
        auto *button = new QPushButton(texto, this);
        button->setObjectName(nome);
        button->setGeometry(esquerda, 91, 89, 25);
        return button;
    };
    bt_ProcuraSubstitui
        = botao(QStringLiteral("bt_ProcuraSubstitui"), QStringLiteral("&Localizar"), 135);
    bt_ProcuraSubstitui->setToolTip(QStringLiteral("Porcura pelo texto escolhido"));
    bt_ProcuraSubstitui->setDefault(true);
    bt_SubstituiTodas
        = botao(QStringLiteral("bt_SubstituiTodas"), QStringLiteral("Substituir &todas"), 228);
    bt_SubstituiTodas->setToolTip(QStringLiteral("Substitui todas as ocorrências encontradas"));
    bt_Cancelar = botao(QStringLiteral("bt_Cancelar"), QStringLiteral("&Cancelar"), 325);

    setTabOrder(ed_Procura, ed_Substitui);
    setTabOrder(ed_Substitui, ck_CaseSensitive);
    setTabOrder(ck_CaseSensitive, bt_ProcuraSubstitui);
    setTabOrder(bt_ProcuraSubstitui, bt_SubstituiTodas);
    setTabOrder(bt_SubstituiTodas, bt_Cancelar);

    connect(bt_ProcuraSubstitui, &QPushButton::clicked, this,
        &TFormProcuraSubstitui::bt_ProcuraSubstituiClick);
    connect(bt_SubstituiTodas, &QPushButton::clicked, this,
        &TFormProcuraSubstitui::bt_SubstituiTodasClick);
    connect(bt_Cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormProcuraSubstitui::AplicarModo()
{
    if (m_modo == mpSubstituir) {
        setWindowTitle(QStringLiteral("Substituir"));
        bt_ProcuraSubstitui->setText(QStringLiteral("S&ubstituir"));
        return;
    }
    setWindowTitle(QStringLiteral("Localizar"));
    bt_SubstituiTodas->hide();
    lb_Substitui->hide();
    ed_Substitui->hide();
    bt_ProcuraSubstitui->move(bt_SubstituiTodas->x(), bt_ProcuraSubstitui->y());
    const int d = ed_Substitui->height() + 8;
    ck_CaseSensitive->move(ck_CaseSensitive->x(), ck_CaseSensitive->y() - d);
    bt_ProcuraSubstitui->move(bt_ProcuraSubstitui->x(), bt_ProcuraSubstitui->y() - d);
    bt_Cancelar->move(bt_Cancelar->x(), bt_ProcuraSubstitui->y());
    setFixedSize(width(), height() - d);
}

void TFormProcuraSubstitui::CopiarEntradas()
{
    m_procura.TextoProcura = ed_Procura->text();
    m_procura.TextoSubstitui = ed_Substitui->text();
    m_procura.DiferenciaMaiusculas = ck_CaseSensitive->isChecked();
}

void TFormProcuraSubstitui::bt_ProcuraSubstituiClick()
{
    CopiarEntradas();
    m_procura.SubstituirTodas = false;
    if (m_modo == mpLocalizar) {
        m_procura.ExecutarProcura(!m_primeiraProcura, false, true);
        m_primeiraProcura = false;
    } else {
        m_procura.ExecutarProcura(true, true, true);
    }
}

void TFormProcuraSubstitui::bt_SubstituiTodasClick()
{
    CopiarEntradas();
    m_procura.SubstituirTodas = true;
    m_procura.ExecutarProcura(false, true, false);
}

void TFormProcuraSubstitui::done(int resultado)
{
    m_procura.AguardandoSelecao = true;
    QDialog::done(resultado);
}
