#include "messages/TelaMensagem.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextLayout>

namespace {

// Design sizes, in pixels.
constexpr int LarguraCliente = 427;
constexpr int AlturaClienteDesenho = 226;
constexpr int AlturaLinha = 14;
// The layout is measured in pixels, so the text keeps one size whatever the desktop's font.
constexpr int TamanhoFonte = 12;
constexpr int LarguraBotao = 89;
constexpr int AlturaBotao = 25;
constexpr QRect GeometriaImagem(14, 13, 32, 32);
constexpr QRect GeometriaMensagem(67, 16, 352, 49);
constexpr int EsquerdaDetalhes = 8;
constexpr int LarguraDetalhes = 409;
constexpr int AlturaDetalhes = 89;

// The screen's heights count the whole window, title bar and frame included, as the design
// measured them: a 19-pixel title bar and a 3-pixel frame above and below. The client area is
// that much shorter.
constexpr int AlturaMoldura = 25;

// What the text and the button row add to the screen's height, short and with the details
// open; the buttons stand 33 pixels above the short screen's bottom, and the details start 7
// pixels below the buttons' bottom line, out of sight until the screen grows.
constexpr int FolgaCurta = 66;
constexpr int FolgaAlta = 177;
constexpr int FolgaSobBotoes = 33;
constexpr int FolgaSobreDetalhes = 7;

// The button row by flags; the details button takes the flag after the answers'.
constexpr int Sim = bmSim;
constexpr int Nao = bmNao;
constexpr int Cancelar = bmCancelar;
constexpr int Continuar = bmContinuar;
constexpr int Todos = bmTodos;
constexpr int Repetir = bmRepetir;
constexpr int Detalhes = 64;

constexpr int DetalhesNaDireita = LarguraCliente - LarguraBotao - 8;

struct TBotaoResposta
{
    TBotaoMensagem Marca;
    const char *Nome;
    const char *Texto;
    int EsquerdaDesenho;
};

// In tab order, which is the order of the flags.
constexpr std::array<TBotaoResposta, 6> BotoesResposta {{
    {bmSim, "BitBtnSim", "&Sim", 31},
    {bmNao, "BitBtnNao", "&Não", 123},
    {bmCancelar, "BitBtnCancelar", "Cancelar", 307},
    {bmContinuar, "BitBtnContinuar", "Continuar", 169},
    {bmTodos, "BitBtnTodos", "&Todos", 215},
    {bmRepetir, "bitbtnRepetir", "&Repetir", 126},
}};

struct TPosicao
{
    int Marca; // 0 ends the row
    int Esquerda;
};

struct TLinhaDePosicoes
{
    int Visiveis;
    int Ocultos;
    std::array<TPosicao, 4> Posicoes;
};

// The first row whose visible and hidden buttons match places the row; buttons a row does not
// name keep their places. Where no row matches, every button keeps its design place.
constexpr TLinhaDePosicoes TabelaDePosicoes[] = {
    {Sim | Nao | Cancelar, Continuar | Todos, {{{Sim, 72}, {Nao, 164}, {Cancelar, 260}}}},
    {Sim | Nao | Todos | Detalhes, Continuar | Cancelar,
        {{{Sim, 21}, {Nao, 117}, {Todos, 212}, {Detalhes, 307}}}},
    // The details button goes to the right edge; while it is hidden its place does not show.
    {Sim | Nao, Cancelar | Continuar | Todos,
        {{{Sim, 126}, {Nao, 220}, {Detalhes, DetalhesNaDireita}}}},
    {Continuar | Cancelar, Sim | Nao | Todos, {{{Continuar, 126}, {Cancelar, 220}}}},
    {Sim | Nao | Todos, Cancelar, {{{Sim, 72}, {Nao, 164}, {Todos, 260}}}},
    {Sim | Nao | Todos | Cancelar, 0, {{{Sim, 31}, {Nao, 123}, {Todos, 215}, {Cancelar, 307}}}},
    {Repetir | Cancelar, Sim | Nao | Todos | Continuar, {{{Repetir, 126}, {Cancelar, 220}}}},
    {Continuar | Detalhes, Sim | Nao | Cancelar | Todos, {{{Continuar, 126}, {Detalhes, 220}}}},
    {Continuar, Sim | Nao | Cancelar | Todos, {{{Continuar, 169}}}},
};

QString RotuloDetalhesFechados()
{
    return QStringLiteral("Detalhes >>");
}

QString RotuloDetalhesAbertos()
{
    return QStringLiteral("Detalhes <<");
}

QLabel *CriarImagem(QWidget &tela, const QString &nome, QStyle::StandardPixmap icone)
{
    auto *imagem = new QLabel(&tela);
    imagem->setObjectName(nome);
    imagem->setGeometry(GeometriaImagem);
    imagem->setPixmap(tela.style()->standardIcon(icone).pixmap(GeometriaImagem.size()));
    imagem->hide();
    return imagem;
}

// The memo's background is the window's face, as the rest of the screen.
void PintarComoJanela(QWidget &texto)
{
    QPalette paleta = texto.palette();
    paleta.setColor(QPalette::Base, paleta.color(QPalette::Window));
    texto.setPalette(paleta);
}

// Every line of the message text is exactly one line height tall, so the text's height is
// the line height times the lines it shows.
QTextBlockFormat FormatoDeLinha()
{
    QTextBlockFormat formato;
    formato.setLineHeight(AlturaLinha, QTextBlockFormat::FixedHeight);
    return formato;
}

// Lines as laid out at the text's width: a line that wraps counts once per row it takes.
int LinhasMostradas(QTextDocument &documento)
{
    documento.documentLayout()->documentSize();
    int linhas = 0;
    for (QTextBlock bloco = documento.begin(); bloco.isValid(); bloco = bloco.next())
        linhas += bloco.layout()->lineCount();
    return linhas;
}

int ApresentarNaTela(const TMensagem &mensagem)
{
    QCoreApplication::processEvents();
    int resultado = mrNone;
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    {
        TForm_TelaMensagem tela;
        try {
            tela.Preencher(mensagem);
            resultado = tela.Exibir(mensagem.Tipo, mensagem.DetalhesAbertos);
        } catch (...) {
            // The message still reaches the user; the answer stays 0.
            QMessageBox::warning(nullptr, mensagem.Titulo, mensagem.Texto, QMessageBox::Ok);
        }
    }
    QCoreApplication::processEvents();
    return resultado;
}

} // namespace

TForm_TelaMensagem::TForm_TelaMensagem(QWidget *parent)
    : QDialog(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form_TelaMensagem"));
    setFixedSize(LarguraCliente, AlturaClienteDesenho);
    QFont fonte = font();
    fonte.setPixelSize(TamanhoFonte);
    setFont(fonte);

    img_Informa
        = CriarImagem(*this, QStringLiteral("img_Informa"), QStyle::SP_MessageBoxInformation);
    img_Pergunta
        = CriarImagem(*this, QStringLiteral("img_Pergunta"), QStyle::SP_MessageBoxQuestion);
    img_Erro = CriarImagem(*this, QStringLiteral("img_Erro"), QStyle::SP_MessageBoxCritical);

    mm_Mensagem = new QTextEdit(this);
    mm_Mensagem->setObjectName(QStringLiteral("mm_Mensagem"));
    // No label names the two texts; screen readers and tests find them by these names.
    mm_Mensagem->setAccessibleName(QStringLiteral("Mensagem"));
    mm_Mensagem->setGeometry(GeometriaMensagem);
    mm_Mensagem->setReadOnly(true);
    mm_Mensagem->setTextInteractionFlags(Qt::NoTextInteraction);
    mm_Mensagem->setFrameShape(QFrame::NoFrame);
    mm_Mensagem->setFocusPolicy(Qt::ClickFocus);
    mm_Mensagem->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mm_Mensagem->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mm_Mensagem->setLineWrapMode(QTextEdit::FixedPixelWidth);
    mm_Mensagem->setLineWrapColumnOrWidth(GeometriaMensagem.width());
    mm_Mensagem->document()->setDocumentMargin(0);
    mm_Mensagem->viewport()->setCursor(Qt::ArrowCursor);
    PintarComoJanela(*mm_Mensagem);
    mm_Mensagem->installEventFilter(this);

    for (std::size_t i = 0; i < BotoesResposta.size(); ++i) {
        const TBotaoResposta &resposta = BotoesResposta[i];
        QPushButton *botao = CriarBotao(QString::fromLatin1(resposta.Nome),
            QString::fromUtf8(resposta.Texto), resposta.EsquerdaDesenho);
        const int resultado = ResultadoDoBotao(resposta.Marca);
        connect(botao, &QPushButton::clicked, this, [this, resultado] { done(resultado); });
        m_botoesResposta[i] = botao;
    }
    BotaoDaMarca(Sim)->setDefault(true);

    Bitbtn_Detalhes = CriarBotao(
        QStringLiteral("Bitbtn_Detalhes"), RotuloDetalhesFechados(), DetalhesNaDireita);
    connect(
        Bitbtn_Detalhes, &QPushButton::clicked, this, &TForm_TelaMensagem::Bitbtn_DetalhesClick);

    mm_Detalhes = new QPlainTextEdit(this);
    mm_Detalhes->setObjectName(QStringLiteral("mm_Detalhes"));
    mm_Detalhes->setAccessibleName(QStringLiteral("Detalhes da mensagem"));
    // Its top follows the text's height when the screen is shown.
    mm_Detalhes->setGeometry(EsquerdaDetalhes, 0, LarguraDetalhes, AlturaDetalhes);
    mm_Detalhes->setReadOnly(true);
    mm_Detalhes->setFocusPolicy(Qt::ClickFocus);
    mm_Detalhes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    PintarComoJanela(*mm_Detalhes);
    mm_Detalhes->installEventFilter(this);
}

QPushButton *TForm_TelaMensagem::CriarBotao(const QString &nome, const QString &texto, int esquerda)
{
    auto *botao = new QPushButton(texto, this);
    botao->setObjectName(nome);
    // The row's top follows the text's height when the screen is shown.
    botao->setGeometry(esquerda, 0, LarguraBotao, AlturaBotao);
    botao->hide();
    return botao;
}

void TForm_TelaMensagem::Preencher(const TMensagem &mensagem)
{
    setWindowTitle(mensagem.Titulo);

    img_Pergunta->setVisible(mensagem.Tipo == tmPergunta);
    img_Erro->setVisible(mensagem.Tipo == tmErro);
    img_Informa->setVisible(mensagem.Tipo == tmInformacao);

    mm_Mensagem->clear();
    QTextCursor cursor(mm_Mensagem->document());
    cursor.setBlockFormat(FormatoDeLinha());
    // Every carriage return starts a new line and is not shown itself.
    cursor.insertText(mensagem.Texto);

    mm_Detalhes->setPlainText(mensagem.Detalhes);

    for (std::size_t i = 0; i < BotoesResposta.size(); ++i)
        m_botoesResposta[i]->setVisible(mensagem.Botoes.testFlag(BotoesResposta[i].Marca));
    Bitbtn_Detalhes->setVisible(!mensagem.Detalhes.isEmpty());
}

int TForm_TelaMensagem::Exibir(TTipoMensagem tipo, bool detalhesAbertos)
{
    TipoMensagem = tipo;
    DetalhesAbertos = detalhesAbertos;
    return exec();
}

void TForm_TelaMensagem::done(int resultado)
{
    if (FormCloseQuery(resultado))
        QDialog::done(resultado);
}

// The close box and Esc come here.
void TForm_TelaMensagem::reject()
{
    done(mrCancel);
}

void TForm_TelaMensagem::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    // A window manager's show (after a restore) is not a new showing of the message.
    if (!evento->spontaneous())
        FormShow();
}

void TForm_TelaMensagem::keyPressEvent(QKeyEvent *evento)
{
    FormKeyDown(*evento);
    QDialog::keyPressEvent(evento);
}

bool TForm_TelaMensagem::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == mm_Mensagem && evento->type() == QEvent::FocusIn)
        mm_MensagemEnter();
    // The details text takes its keys for itself; the screen sees them first.
    else if (objeto == mm_Detalhes && evento->type() == QEvent::KeyPress)
        FormKeyDown(static_cast<const QKeyEvent &>(*evento));
    return QDialog::eventFilter(objeto, evento);
}

void TForm_TelaMensagem::FormShow()
{
    mm_Mensagem->resize(
        mm_Mensagem->width(), AlturaLinha * LinhasMostradas(*mm_Mensagem->document()));
    MudarAlturaTela(AlturaCurta());

    PosicionarBotoes();
    const int alturaBotao = BotaoDaMarca(Sim)->height();
    const int topoBotoes = AlturaTela() - alturaBotao - FolgaSobBotoes;
    for (QPushButton *botao : m_botoesResposta)
        botao->move(botao->x(), topoBotoes);
    Bitbtn_Detalhes->move(Bitbtn_Detalhes->x(), topoBotoes);
    mm_Detalhes->move(EsquerdaDetalhes, AlturaTela() - alturaBotao + FolgaSobreDetalhes);

    if (DetalhesAbertos) {
        MudarAlturaTela(AlturaAlta());
        Bitbtn_Detalhes->setText(RotuloDetalhesAbertos());
    }
    CentrarNaTela();
    QApplication::beep();
}

bool TForm_TelaMensagem::FormCloseQuery(int resultado) const
{
    // A question without "Cancelar" has to be answered: neither the close box nor Esc
    // dismisses it.
    const bool perguntaSemCancelar
        = TipoMensagem == tmPergunta && BotaoDaMarca(Cancelar)->isHidden();
    return !(perguntaSemCancelar && resultado == mrCancel);
}

void TForm_TelaMensagem::FormKeyDown(const QKeyEvent &evento)
{
    // Ctrl+C alone; with Shift or Alt held it is some other key.
    if (evento.key() == Qt::Key_C
        && (evento.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier)
        QGuiApplication::clipboard()->setText(mm_Mensagem->toPlainText());
}

// The message text never keeps the focus: it passes on to the last control in tab order that
// takes it.
void TForm_TelaMensagem::mm_MensagemEnter()
{
    QWidget *ultimo = nullptr;
    for (QWidget *controle = nextInFocusChain(); controle != this;
         controle = controle->nextInFocusChain()) {
        if (controle->isVisibleTo(this) && controle->isEnabled()
            && (controle->focusPolicy() & Qt::TabFocus))
            ultimo = controle;
    }
    if (ultimo)
        ultimo->setFocus(Qt::TabFocusReason);
    else
        mm_Mensagem->clearFocus();
}

void TForm_TelaMensagem::Bitbtn_DetalhesClick()
{
    const bool curta = AlturaTela() == AlturaCurta();
    MudarAlturaTela(curta ? AlturaAlta() : AlturaCurta());
    Bitbtn_Detalhes->setText(curta ? RotuloDetalhesAbertos() : RotuloDetalhesFechados());
}

QPushButton *TForm_TelaMensagem::BotaoDaMarca(int marca) const
{
    if (marca == Detalhes)
        return Bitbtn_Detalhes;
    for (std::size_t i = 0; i < BotoesResposta.size(); ++i) {
        if (BotoesResposta[i].Marca == marca)
            return m_botoesResposta[i];
    }
    return nullptr;
}

int TForm_TelaMensagem::MarcasVisiveis() const
{
    int marcas = Bitbtn_Detalhes->isHidden() ? 0 : Detalhes;
    for (std::size_t i = 0; i < BotoesResposta.size(); ++i) {
        if (!m_botoesResposta[i]->isHidden())
            marcas |= BotoesResposta[i].Marca;
    }
    return marcas;
}

void TForm_TelaMensagem::PosicionarBotoes()
{
    const int visiveis = MarcasVisiveis();
    for (const TLinhaDePosicoes &linha : TabelaDePosicoes) {
        if ((visiveis & linha.Visiveis) != linha.Visiveis || (visiveis & linha.Ocultos) != 0)
            continue;
        for (const TPosicao &posicao : linha.Posicoes) {
            if (posicao.Marca == 0)
                break;
            QPushButton *botao = BotaoDaMarca(posicao.Marca);
            botao->move(posicao.Esquerda, botao->y());
        }
        return;
    }
}

int TForm_TelaMensagem::AlturaCurta() const
{
    return mm_Mensagem->height() + BotaoDaMarca(Sim)->height() + FolgaCurta;
}

int TForm_TelaMensagem::AlturaAlta() const
{
    return mm_Mensagem->height() + BotaoDaMarca(Sim)->height() + FolgaAlta;
}

int TForm_TelaMensagem::AlturaTela() const
{
    return height() + AlturaMoldura;
}

void TForm_TelaMensagem::MudarAlturaTela(int altura)
{
    setFixedHeight(altura - AlturaMoldura);
}

void TForm_TelaMensagem::CentrarNaTela()
{
    QRect moldura = frameGeometry();
    moldura.moveCenter(screen()->availableGeometry().center());
    move(moldura.topLeft());
}

TApresentadorMensagens InstalarTelaMensagem()
{
    return InstalarApresentadorMensagens(ApresentarNaTela);
}
