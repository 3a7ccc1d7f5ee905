#include "report/uBandasRelatorio.h"

#include "common/uExcecoes.h"
#include "components/MemTable.h"
#include "messages/ExibeMensagens.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace {

constexpr double MilimetrosPorPolegada = 25.4;
constexpr double PixelsDeProjeto = 96; // the design screen's resolution
// Tolerance of millimetre comparisons: positions are given to a tenth of a millimetre.
constexpr double Folga = 0.01;

const QString &TextoBandaMaiorQuePagina()
{
    static const QString texto = QStringLiteral(
        "Não será possível visualizar/imprimir este relatório, pois ou o tamanho do papel "
        "escolhido não é adequado, ou as margens definidas na configuração deste relatório "
        "estão inadequadas.");
    return texto;
}

} // namespace

QFont FonteRelatorio(double pontos, bool negrito)
{
    QFont fonte;
    fonte.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    fonte.setPointSizeF(pontos);
    fonte.setBold(negrito);
    // Metrics of the printer, not of the screen: text widths must scale with millimetres.
    fonte.setHintingPreference(QFont::PreferNoHinting);
    fonte.setKerning(false);
    return fonte;
}

double PixelsEmMilimetros(double pixels)
{
    return pixels * MilimetrosPorPolegada / PixelsDeProjeto;
}

TControleRelatorio::TControleRelatorio(double esquerda, double topo, double largura)
    : Esquerda(esquerda)
    , Topo(topo)
    , Largura(largura)
{ }

TControleRelatorio::~TControleRelatorio() = default;

TLinhaRelatorio::TLinhaRelatorio(
    double esquerda, double topo, double largura, double espessuraPixels)
    : TControleRelatorio(esquerda, topo, largura)
    , EspessuraPixels(espessuraPixels)
{ }

TTextoRelatorio::TTextoRelatorio(double esquerda, double topo, double largura, const QFont &fonte)
    : TControleRelatorio(esquerda, topo, largura)
    , Fonte(fonte)
    , m_autoSize(largura <= 0)
    , m_alinhaValor(this)
{ }

TTextoRelatorio::~TTextoRelatorio() = default;

TRotuloRelatorio::TRotuloRelatorio(
    double esquerda, double topo, double largura, const QFont &fonte, const QString &texto)
    : TTextoRelatorio(esquerda, topo, largura, fonte)
    , Caption(texto)
{ }

TCampoRelatorio::TCampoRelatorio(double esquerda, double topo, double largura, const QFont &fonte,
    TMemoryTable &tabela, const QString &campo)
    : TTextoRelatorio(esquerda, topo, largura, fonte)
    , m_tabela(tabela)
    , m_campo(campo)
{ }

QString TCampoRelatorio::Texto() const
{
    if (m_tabela.IsEmpty())
        return QString();
    const TField &campo = m_tabela.FieldByName(m_campo);
    return campo.DataType() == ftMemo ? campo.AsString() : campo.DisplayText();
}

TBandaRelatorio::TBandaRelatorio(const QString &nome, double altura)
    : Altura(altura)
    , m_nome(nome)
{ }

TBandaRelatorio::~TBandaRelatorio() = default;

TBandaRelatorio &TBandaRelatorio::AdicionarFilha(const QString &nome, double altura)
{
    m_filhas.push_back(std::make_unique<TBandaRelatorio>(nome, altura));
    return *m_filhas.back();
}

TBandaDetalhe::TBandaDetalhe(const QString &nome, double altura, TMemoryTable &tabela)
    : TBandaRelatorio(nome, altura)
    , m_tabela(tabela)
{ }

TBandaDetalhe::~TBandaDetalhe() = default;

TBandaRelatorio &TBandaDetalhe::CriarCabecalho(const QString &nome, double altura)
{
    m_cabecalho = std::make_unique<TBandaRelatorio>(nome, altura);
    return *m_cabecalho;
}

TBandaRelatorio &TBandaDetalhe::CriarRodape(const QString &nome, double altura)
{
    m_rodape = std::make_unique<TBandaRelatorio>(nome, altura);
    return *m_rodape;
}

TBandaDetalhe &TBandaDetalhe::AdicionarSubDetalhe(
    const QString &nome, double altura, TMemoryTable &tabela)
{
    m_subDetalhes.push_back(std::make_unique<TBandaDetalhe>(nome, altura, tabela));
    return *m_subDetalhes.back();
}

namespace {

// Places the bands on pages: runs the handlers, measures the texts with the device's metrics
// and breaks pages where the next band does not fit.
class TMontagem
{
public:
    TMontagem(const TRelatorio &relatorio, const QPaintDevice &dispositivo,
        std::vector<TPaginaRelatorio> &paginas)
        : m_relatorio(relatorio)
        , m_dispositivo(dispositivo)
        , m_mmPorPixelX(MilimetrosPorPolegada / dispositivo.logicalDpiX())
        , m_mmPorPixelY(MilimetrosPorPolegada / dispositivo.logicalDpiY())
        , m_paginas(paginas)
    {
        const QRectF papel = relatorio.LayoutPagina().fullRect(QPageLayout::Millimeter);
        m_limite = papel.height() - relatorio.MargemInferior;
        m_alturaUtil = m_limite - relatorio.MargemSuperior;
    }

    void ColocarBanda(TBandaRelatorio &banda)
    {
        if (!banda.Habilitada)
            return;
        bool imprimir = true;
        if (banda.AntesImprimir)
            banda.AntesImprimir(banda, imprimir);
        if (imprimir)
            Emitir(banda);
        for (const auto &filha : banda.Filhas())
            ColocarBanda(*filha);
    }

    void ColocarDetalhe(TBandaDetalhe &detalhe)
    {
        if (!detalhe.Habilitada)
            return;
        if (detalhe.Cabecalho())
            ColocarBanda(*detalhe.Cabecalho());
        TMemoryTable &tabela = detalhe.Tabela();
        for (tabela.First(); !tabela.Eof(); tabela.Next()) {
            ColocarBanda(detalhe);
            for (const auto &sub : detalhe.SubDetalhes())
                ColocarDetalhe(*sub);
        }
        if (detalhe.Rodape())
            ColocarBanda(*detalhe.Rodape());
    }

private:
    // One control of the band being placed, measured.
    struct TPeca
    {
        const TControleRelatorio *Controle;
        QStringList Linhas;
        double AlturaLinha = 0;
        double Crescimento = 0; // what a stretching text adds below its first line
        double Deslocamento = 0; // how far the stretching texts above push it down
    };

    double LarguraTexto(const QFont &fonte, const QString &texto) const
    {
        return QFontMetricsF(fonte, &m_dispositivo).horizontalAdvance(texto) * m_mmPorPixelX;
    }

    double AlturaLinha(const QFont &fonte) const
    {
        return QFontMetricsF(fonte, &m_dispositivo).height() * m_mmPorPixelY;
    }

    // Word-wraps the text inside the width, breaking a word that alone is wider.
    QStringList Quebrar(const QFont &fonte, const QString &texto, double largura) const
    {
        QString normalizado = texto;
        normalizado.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        normalizado.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        QStringList linhas;
        for (const QString &paragrafo : normalizado.split(QLatin1Char('\n'))) {
            if (paragrafo.isEmpty()) {
                linhas << QString();
                continue;
            }
            QTextLayout layout(paragrafo, fonte, &m_dispositivo);
            QTextOption opcao;
            opcao.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            layout.setTextOption(opcao);
            layout.beginLayout();
            for (QTextLine linha = layout.createLine(); linha.isValid();
                 linha = layout.createLine()) {
                linha.setLineWidth(largura / m_mmPorPixelX);
                linhas << paragrafo.mid(linha.textStart(), linha.textLength()).trimmed();
            }
            layout.endLayout();
        }
        return linhas;
    }

    TPeca Medir(const TControleRelatorio &controle) const
    {
        TPeca peca {&controle, {}, 0, 0, 0};
        const auto *texto = dynamic_cast<const TTextoRelatorio *>(&controle);
        if (!texto)
            return peca;
        peca.AlturaLinha = AlturaLinha(texto->Fonte);
        const QString conteudo = texto->Texto();
        if (texto->Estica() && texto->Largura > 0) {
            peca.Linhas = Quebrar(texto->Fonte, conteudo, texto->Largura);
            peca.Crescimento = (std::max<qsizetype>(peca.Linhas.size(), 1) - 1) * peca.AlturaLinha;
        } else {
            peca.Linhas = QStringList {conteudo};
        }
        return peca;
    }

    void Emitir(const TBandaRelatorio &banda)
    {
        std::vector<TPeca> pecas;
        for (const auto &controle : banda.Controles()) {
            if (controle->Habilitado)
                pecas.push_back(Medir(*controle));
        }
        // A stretching text pushes down whatever starts below its first line.
        double acrescimo = 0;
        for (TPeca &peca : pecas) {
            for (const TPeca &acima : pecas) {
                if (&acima != &peca && acima.Crescimento > 0
                    && acima.Controle->Topo + acima.AlturaLinha <= peca.Controle->Topo + Folga)
                    peca.Deslocamento = std::max(peca.Deslocamento, acima.Crescimento);
            }
            acrescimo = std::max(acrescimo, peca.Deslocamento + peca.Crescimento);
        }
        const double altura = banda.Altura + acrescimo;
        if (altura > m_alturaUtil + Folga) {
            ExibeMensagem(
                tmErro, QStringLiteral("Atenção"), TextoBandaMaiorQuePagina(), bmContinuar);
            throw EVrtException(TextoBandaMaiorQuePagina());
        }
        if (m_paginas.empty() || m_y + altura > m_limite + Folga)
            NovaPagina();
        for (const TPeca &peca : pecas) {
            const double y = m_y + peca.Controle->Topo + peca.Deslocamento;
            const double x = m_relatorio.MargemEsquerda + peca.Controle->Esquerda;
            if (const auto *linha = dynamic_cast<const TLinhaRelatorio *>(peca.Controle))
                EmitirLinha(*linha, x, y);
            else
                EmitirTexto(static_cast<const TTextoRelatorio &>(*peca.Controle), peca, x, y);
        }
        m_y += altura;
    }

    void NovaPagina()
    {
        m_paginas.emplace_back();
        m_y = m_relatorio.MargemSuperior;
    }

    void Acrescentar(TItemPagina item) { m_paginas.back().Itens.push_back(std::move(item)); }

    void EmitirLinha(const TLinhaRelatorio &linha, double x, double y)
    {
        const double fim = linha.Largura == TLinhaRelatorio::AteABorda
            ? m_relatorio.MargemEsquerda + m_relatorio.LarguraUtil()
            : x + linha.Largura;
        TItemPagina item;
        item.Tipo = TItemPagina::Linha;
        item.Retangulo = QRectF(x, y, fim - x, PixelsEmMilimetros(linha.EspessuraPixels));
        Acrescentar(std::move(item));
    }

    void EmitirTexto(const TTextoRelatorio &texto, const TPeca &peca, double x, double y)
    {
        const Qt::Alignment alinhamento = texto.Alinhamento() & Qt::AlignHorizontal_Mask;
        if (texto.AlinhaValor().TipoAlinhaValor() != tavNenhum) {
            EmitirValorAlinhado(texto, peca, x, y, alinhamento);
            return;
        }
        const bool autoSize = texto.AutoSize() || texto.Largura <= 0;
        for (int i = 0; i < peca.Linhas.size(); ++i) {
            const QString &conteudo = peca.Linhas.at(i);
            if (conteudo.trimmed().isEmpty())
                continue;
            const double largura = autoSize ? LarguraTexto(texto.Fonte, conteudo) : texto.Largura;
            const QRectF caixa(x, y + i * peca.AlturaLinha, largura, peca.AlturaLinha);
            Acrescentar({TItemPagina::Texto, caixa, autoSize ? QRectF() : caixa, conteudo,
                texto.Fonte, alinhamento});
        }
    }

    // Draws the integer part ending at the separator's column and the decimal part starting
    // there, so that the separators of a column of values line up.
    void EmitirValorAlinhado(const TTextoRelatorio &texto, const TPeca &peca, double x, double y,
        Qt::Alignment alinhamento)
    {
        const QString &conteudo = peca.Linhas.first();
        if (conteudo.isEmpty())
            return;
        const TAlinhaValor &alinha = texto.AlinhaValor();
        const double pixel = m_mmPorPixelX;
        const double largura = LarguraTexto(texto.Fonte, alinha.ModeloLargura()) + pixel;
        const double larguraDecimal = LarguraTexto(texto.Fonte, alinha.ModeloDecimal()) + pixel;
        const QRectF caixa(x, y, largura, peca.AlturaLinha);
        const double ancora = alinhamento & Qt::AlignRight ? caixa.right()
            : alinhamento & Qt::AlignHCenter               ? caixa.center().x()
                                                           : caixa.left();
        const auto emitirEm = [&](const QString &parte, double pontoAncora) {
            // A box as wide as the control, placed so that its anchor falls on the point.
            double esquerda = pontoAncora;
            if (alinhamento & Qt::AlignRight)
                esquerda -= largura;
            else if (alinhamento & Qt::AlignHCenter)
                esquerda -= largura / 2;
            Acrescentar({TItemPagina::Texto, QRectF(esquerda, y, largura, peca.AlturaLinha), caixa,
                parte, texto.Fonte, alinhamento});
        };
        const TPartesValor partes = alinha.Dividir(conteudo);
        if (!partes.Decimal.isEmpty())
            emitirEm(partes.Decimal,
                ancora + LarguraTexto(texto.Fonte, partes.Decimal) - larguraDecimal);
        emitirEm(partes.Inteira, ancora - larguraDecimal);
    }

    const TRelatorio &m_relatorio;
    const QPaintDevice &m_dispositivo;
    double m_mmPorPixelX;
    double m_mmPorPixelY;
    std::vector<TPaginaRelatorio> &m_paginas;
    double m_limite = 0;
    double m_alturaUtil = 0;
    double m_y = 0;
};

void Pintar(QPainter &pintor, const TPaginaRelatorio &pagina, const QPaintDevice &dispositivo)
{
    const double pxX = dispositivo.logicalDpiX() / MilimetrosPorPolegada;
    const double pxY = dispositivo.logicalDpiY() / MilimetrosPorPolegada;
    const auto emPixels = [&](const QRectF &mm) {
        return QRectF(mm.x() * pxX, mm.y() * pxY, mm.width() * pxX, mm.height() * pxY);
    };
    for (const TItemPagina &item : pagina.Itens) {
        const QRectF caixa = emPixels(item.Retangulo);
        if (item.Tipo == TItemPagina::Linha) {
            pintor.setClipping(false);
            pintor.fillRect(caixa, Qt::black);
            continue;
        }
        if (item.Recorte.isNull())
            pintor.setClipping(false);
        else
            pintor.setClipRect(emPixels(item.Recorte));
        pintor.setFont(item.Fonte);
        pintor.setPen(Qt::black);
        pintor.drawText(
            caixa, int(item.Alinhamento | Qt::AlignTop | Qt::TextSingleLine), item.Conteudo);
    }
}

} // namespace

TRelatorio::TRelatorio() = default;
TRelatorio::~TRelatorio() = default;

TBandaRelatorio &TRelatorio::AdicionarBanda(const QString &nome, double altura)
{
    m_bandas.push_back(std::make_unique<TBandaRelatorio>(nome, altura));
    return *m_bandas.back();
}

TBandaDetalhe &TRelatorio::AdicionarDetalhe(
    const QString &nome, double altura, TMemoryTable &tabela)
{
    auto detalhe = std::make_unique<TBandaDetalhe>(nome, altura, tabela);
    TBandaDetalhe &referencia = *detalhe;
    m_bandas.push_back(std::move(detalhe));
    return referencia;
}

QPageLayout TRelatorio::LayoutPagina() const
{
    // The report keeps its own margins, measured from the paper's corner.
    QPageLayout layout(
        QPageSize(PapelDoProjeto), Orientacao, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}

double TRelatorio::LarguraUtil() const
{
    return LayoutPagina().fullRect(QPageLayout::Millimeter).width() - MargemEsquerda
        - MargemDireita;
}

void TRelatorio::Montar(const QPaintDevice &dispositivo)
{
    m_paginas.clear();
    if (TabelaPrincipal && TabelaPrincipal->IsEmpty())
        return;
    TMontagem montagem(*this, dispositivo, m_paginas);
    for (const auto &banda : m_bandas) {
        if (auto *detalhe = dynamic_cast<TBandaDetalhe *>(banda.get()))
            montagem.ColocarDetalhe(*detalhe);
        else
            montagem.ColocarBanda(*banda);
    }
}

namespace {

// Runs the report's before-print handler, the work, and the after-print handler in every case.
void ComManipuladores(TRelatorio &relatorio, const std::function<void()> &trabalho)
{
    if (relatorio.AntesImprimir)
        relatorio.AntesImprimir(relatorio);
    try {
        trabalho();
    } catch (...) {
        if (relatorio.AposImprimir)
            relatorio.AposImprimir(relatorio);
        throw;
    }
    if (relatorio.AposImprimir)
        relatorio.AposImprimir(relatorio);
}

} // namespace

int TRelatorio::Preparar(const QPaintDevice &dispositivo)
{
    ComManipuladores(*this, [&] { Montar(dispositivo); });
    return int(m_paginas.size());
}

void TRelatorio::Imprimir(QPagedPaintDevice &dispositivo)
{
    // The device keeps the paper it holds and the border its driver cannot print on; it only
    // paints from the paper's corner, where the report measures its positions from.
    QPageLayout papel = dispositivo.pageLayout();
    papel.setMode(QPageLayout::FullPageMode);
    dispositivo.setPageLayout(papel);
    ComManipuladores(*this, [&] {
        Montar(dispositivo);
        if (m_paginas.empty())
            return;
        const int total = int(m_paginas.size());
        const int primeira = PrimeiraPagina > 0 ? PrimeiraPagina : 1;
        const int ultima = UltimaPagina > 0 ? std::min(UltimaPagina, total) : total;
        if (primeira > ultima)
            throw EVrtException(QStringLiteral("A página escolhida não existe."));
        QPainter pintor;
        if (!pintor.begin(&dispositivo))
            throw EVrtException(QStringLiteral("Não foi possível iniciar a impressão."));
        for (int pagina = primeira; pagina <= ultima; ++pagina) {
            if (pagina > primeira && !dispositivo.newPage())
                throw EVrtException(QStringLiteral("Não foi possível começar uma nova página."));
            if (AoImprimirPagina)
                AoImprimirPagina(pagina, total);
            Pintar(pintor, m_paginas[std::size_t(pagina - 1)], dispositivo);
        }
        if (!pintor.end())
            throw EVrtException(QStringLiteral("A impressão não pôde ser concluída."));
    });
}
