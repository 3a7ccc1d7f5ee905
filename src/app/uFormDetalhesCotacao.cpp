#include "app/uFormDetalhesCotacao.h"

#include "components/uDBText.h"
#include "components/vrtDBMemo.h"

#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QStringView>
#include <QtMath>

namespace {

constexpr QSize Cliente(784, 561);

// The columns: the titles of the first block end at 106 and its values start at 110 (the
// object's memo at 112); below the first heading, titles end at 44 and values start at 48.
constexpr int DireitaTituloInicial = 106;
constexpr int EsquerdaValorInicial = 110;
constexpr int EsquerdaObjeto = 112;
constexpr int DireitaTituloSecao = 44;
constexpr int EsquerdaValorSecao = 48;

constexpr QSize TamanhoObjeto(665, 69);
constexpr QSize TamanhoMemoLinha(730, 17);

// The heading line: 778 x 2 across the window, which the heading's own background interrupts.
constexpr int EsquerdaLinha = 3;
constexpr int LarguraLinha = 778;
constexpr int AlturaLinha = 2;
constexpr int EsquerdaSecao = 8;
constexpr int FolgaSecao = 2;

QString Texto(const char16_t *texto)
{
    return QStringView(texto).toString();
}

// A memo that shows whole lines: the top of the line below the last whole one, which its
// height would show cut, is left out. One line high, it shows the first line only.
class TMemoLinhasInteiras : public TVrtDBMemo
{
public:
    explicit TMemoLinhasInteiras(QWidget *parent)
        : TVrtDBMemo(parent)
    { }

    void MostrarLinhasInteiras()
    {
        const int linha = qCeil(QFontMetricsF(font()).lineSpacing());
        setViewportMargins(0, 0, 0, height() % linha);
    }
};

} // namespace

TFormDetalhesCotacao::TFormDetalhesCotacao(const QString &nome, const QString &legenda,
    TDataSource *dsDados, std::initializer_list<TLinhaDetalhe> linhas, QWidget *parent)
    : TJanelaSecundaria(QStringLiteral("pnGeral"), Cliente, Qt::WindowMinimizeButtonHint, parent)
    , m_dsDados(dsDados)
    , pnGeral(Painel())
{
    setObjectName(nome);
    setWindowTitle(legenda);

    bool primeiroBloco = true;
    for (const TLinhaDetalhe &linha : linhas) {
        const int direita = primeiroBloco ? DireitaTituloInicial : DireitaTituloSecao;
        const int esquerda = primeiroBloco ? EsquerdaValorInicial : EsquerdaValorSecao;
        QWidget *valor = nullptr;
        switch (linha.tipo) {
        case TLinhaDetalhe::tlSecao:
            CriarSecao(linha);
            primeiroBloco = false;
            continue;
        case TLinhaDetalhe::tlTexto:
            valor = CriarValor(linha, esquerda);
            break;
        case TLinhaDetalhe::tlMemo:
            valor = CriarMemo(linha, QRect(QPoint(esquerda, linha.topo), TamanhoMemoLinha));
            break;
        case TLinhaDetalhe::tlObjeto:
            valor = CriarMemo(linha, QRect(QPoint(EsquerdaObjeto, linha.topo), TamanhoObjeto));
            break;
        }
        CriarTitulo(linha, direita, valor);
    }
}

void TFormDetalhesCotacao::CriarTitulo(const TLinhaDetalhe &linha, int direita, QWidget *valor)
{
    auto *titulo = new QLabel(Texto(linha.titulo), pnGeral);
    titulo->setTextFormat(Qt::PlainText);
    titulo->setBuddy(valor);
    titulo->setAlignment(Qt::AlignRight | Qt::AlignTop);
    titulo->adjustSize();
    titulo->move(direita - titulo->width(), linha.topo);
}

QWidget *TFormDetalhesCotacao::CriarValor(const TLinhaDetalhe &linha, int esquerda)
{
    auto *valor = new TDBText(pnGeral);
    valor->setObjectName(Texto(linha.controle));
    valor->move(esquerda, linha.topo);
    valor->SetAutoSize(true);
    valor->SetDataSource(m_dsDados);
    valor->SetDataField(Texto(linha.campo));
    return valor;
}

QWidget *TFormDetalhesCotacao::CriarMemo(const TLinhaDetalhe &linha, const QRect &geometria)
{
    auto *memo = new TMemoLinhasInteiras(pnGeral);
    memo->setVerticalScrollBarPolicy(
        linha.tipo == TLinhaDetalhe::tlObjeto ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    memo->setGeometry(geometria);
    memo->MostrarLinhasInteiras();
    memo->setObjectName(Texto(linha.controle));
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->ConfigurarSomenteExibicao();
    // The text starts where the titles' text does.
    memo->document()->setDocumentMargin(0);
    memo->SetDataSource(m_dsDados);
    memo->SetDataField(Texto(linha.campo));
    return memo;
}

void TFormDetalhesCotacao::CriarSecao(const TLinhaDetalhe &linha)
{
    auto *secao = new QLabel(Texto(linha.titulo), pnGeral);
    secao->setTextFormat(Qt::PlainText);
    QFont negrito = secao->font();
    negrito.setBold(true);
    secao->setFont(negrito);
    secao->setContentsMargins(FolgaSecao, 0, FolgaSecao, 0);
    secao->setAutoFillBackground(true);
    secao->adjustSize();
    secao->move(EsquerdaSecao, linha.topo);

    auto *traco = new QFrame(pnGeral);
    traco->setFrameShape(QFrame::HLine);
    traco->setFrameShadow(QFrame::Sunken);
    traco->setGeometry(
        EsquerdaLinha, linha.topo + (secao->height() - AlturaLinha) / 2, LarguraLinha, AlturaLinha);
    Ancorar(*traco, akLeft | akTop | akRight);
    secao->raise();
}
