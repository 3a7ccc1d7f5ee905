#include "PdfTeste.h"
#include "common/uExcecoes.h"
#include "components/MemTable.h"
#include "report/uBandasRelatorio.h"
#include "support/MensagemGravador.h"

#include <QFontMetricsF>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A table of numbered rows whose texts are "L1", "L2", ...
class TTabelaLinhas
{
public:
    explicit TTabelaLinhas(int linhas, const QString &prefixo = QStringLiteral("L"))
        : Tabela(QStringLiteral("mmLinhas"))
    {
        Tabela.AdicionarCampo(QStringLiteral("Codigo"), ftInteger);
        Tabela.AdicionarCampo(QStringLiteral("Texto"), ftString, 200);
        Tabela.Open();
        for (int i = 1; i <= linhas; ++i) {
            Tabela.Append();
            Tabela.FieldByName(QStringLiteral("Codigo")).SetAsInteger(i);
            Tabela.FieldByName(QStringLiteral("Texto")).SetAsString(prefixo + QString::number(i));
            Tabela.Post();
        }
    }

    int Codigo() const { return Tabela.FieldByName(QStringLiteral("Codigo")).AsInteger(); }

    TMemoryTable Tabela;
};

TRotuloRelatorio &Rotulo(TBandaRelatorio &banda, const QString &texto, double topo = 0)
{
    return banda.Adicionar<TRotuloRelatorio>(0, topo, 50, FonteRelatorio(10), texto);
}

TCampoRelatorio &Campo(TBandaRelatorio &banda, TMemoryTable &tabela)
{
    return banda.Adicionar<TCampoRelatorio>(
        0, 0, 50, FonteRelatorio(10), tabela, QStringLiteral("Texto"));
}

const TItemPagina &ItemDoTexto(const TRelatorio &relatorio, const QString &texto)
{
    for (const TPaginaRelatorio &pagina : relatorio.Paginas()) {
        for (const TItemPagina &item : pagina.Itens) {
            if (item.Tipo == TItemPagina::Texto && item.Conteudo == texto)
                return item;
        }
    }
    static const TItemPagina nenhum;
    return nenhum;
}

double LarguraMm(const QFont &fonte, const QString &texto, const QPaintDevice &dispositivo)
{
    return QFontMetricsF(fonte, &dispositivo).horizontalAdvance(texto) * 25.4
        / dispositivo.logicalDpiX();
}

} // namespace

class TestBandasRelatorio : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_pasta;
    // Lay-outs are measured against a PDF device: the same metrics as the printed proposal.
    std::unique_ptr<QPdfWriter> m_medida;

    QString Caminho(const QString &nome) const { return m_pasta.filePath(nome); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_pasta.isValid());
        m_medida = std::make_unique<QPdfWriter>(Caminho(QStringLiteral("medida.pdf")));
    }

    void bandasSaemNaOrdemDeImpressao()
    {
        TTabelaLinhas linhas(3);
        TRelatorio relatorio;
        Rotulo(relatorio.AdicionarBanda(QStringLiteral("titulo"), 10), QStringLiteral("Título"));
        TBandaDetalhe &detalhe
            = relatorio.AdicionarDetalhe(QStringLiteral("detalhe"), 5, linhas.Tabela);
        Campo(detalhe, linhas.Tabela);
        Rotulo(detalhe.CriarCabecalho(QStringLiteral("cabecalho"), 5), QStringLiteral("Cabeçalho"));
        Rotulo(detalhe.CriarRodape(QStringLiteral("rodape"), 5), QStringLiteral("Rodapé"));
        Rotulo(detalhe.AdicionarFilha(QStringLiteral("filha"), 4), QStringLiteral("Filha"));
        Rotulo(relatorio.AdicionarBanda(QStringLiteral("resumo"), 10), QStringLiteral("Fim"));

        QCOMPARE(relatorio.Preparar(*m_medida), 1);

        QCOMPARE(TextosDasPaginas(relatorio),
            Lista({"Título", "Cabeçalho", "L1", "Filha", "L2", "Filha", "L3", "Filha", "Rodapé",
                "Fim"}));
        // Each band follows the one before it, from the top margin on.
        QCOMPARE(ItemDoTexto(relatorio, QStringLiteral("Título")).Retangulo.top(), 10.0);
        QCOMPARE(ItemDoTexto(relatorio, QStringLiteral("Cabeçalho")).Retangulo.top(), 20.0);
        QCOMPARE(ItemDoTexto(relatorio, QStringLiteral("L2")).Retangulo.top(), 34.0);
        QCOMPARE(ItemDoTexto(relatorio, QStringLiteral("Fim")).Retangulo.top(), 57.0);
    }

    void manipuladoresEChavesDecidemOQueSai()
    {
        TTabelaLinhas linhas(4);
        TRelatorio relatorio;
        TBandaDetalhe &detalhe
            = relatorio.AdicionarDetalhe(QStringLiteral("detalhe"), 5, linhas.Tabela);
        Campo(detalhe, linhas.Tabela);
        TBandaRelatorio &filha = detalhe.AdicionarFilha(QStringLiteral("filha"), 4);
        Rotulo(filha, QStringLiteral("Filha"));
        Rotulo(filha.AdicionarFilha(QStringLiteral("neta"), 4), QStringLiteral("Neta"));
        // Even rows are left out, but their child bands still print; a switched-off child
        // takes its own children with it.
        detalhe.AntesImprimir = [&](TBandaRelatorio &, bool &imprimir) {
            imprimir = linhas.Codigo() % 2 == 1;
            filha.Habilitada = linhas.Codigo() != 3;
        };
        int antes = 0;
        int depois = 0;
        relatorio.AntesImprimir = [&](TRelatorio &) { ++antes; };
        relatorio.AposImprimir = [&](TRelatorio &) { ++depois; };

        relatorio.Preparar(*m_medida);

        QCOMPARE(TextosDasPaginas(relatorio),
            Lista({"L1", "Filha", "Neta", "Filha", "Neta", "L3", "Filha", "Neta"}));
        QCOMPARE(antes, 1);
        QCOMPARE(depois, 1);
    }

    void controleDesligadoNaoImprime()
    {
        TRelatorio relatorio;
        TBandaRelatorio &banda = relatorio.AdicionarBanda(QStringLiteral("banda"), 10);
        Rotulo(banda, QStringLiteral("Rótulo"));
        Rotulo(banda, QStringLiteral("Valor"), 5).Habilitado = false;

        relatorio.Preparar(*m_medida);

        QCOMPARE(TextosDasPaginas(relatorio), QStringList {QStringLiteral("Rótulo")});
    }

    void subDetalheSaiInteiroDepoisDeCadaLinha()
    {
        TTabelaLinhas mestre(2, QStringLiteral("M"));
        TTabelaLinhas itens(2, QStringLiteral("I"));
        TRelatorio relatorio;
        TBandaDetalhe &detalhe
            = relatorio.AdicionarDetalhe(QStringLiteral("mestre"), 5, mestre.Tabela);
        Campo(detalhe, mestre.Tabela);
        TBandaDetalhe &sub = detalhe.AdicionarSubDetalhe(QStringLiteral("itens"), 5, itens.Tabela);
        Campo(sub, itens.Tabela);
        Rotulo(sub.CriarCabecalho(QStringLiteral("cabecalho"), 5), QStringLiteral("Itens"));
        Rotulo(sub.CriarRodape(QStringLiteral("total"), 5), QStringLiteral("Total"));
        Rotulo(detalhe.CriarRodape(QStringLiteral("rodape"), 5), QStringLiteral("Fim"));
        // The second master row switches its sub-detail off, header and footer included.
        detalhe.AntesImprimir
            = [&](TBandaRelatorio &, bool &) { sub.Habilitada = mestre.Codigo() == 1; };

        relatorio.Preparar(*m_medida);

        QCOMPARE(
            TextosDasPaginas(relatorio), Lista({"M1", "Itens", "I1", "I2", "Total", "M2", "Fim"}));
    }

    void listaContinuaNaPaginaSeguinte()
    {
        TTabelaLinhas linhas(60);
        TRelatorio relatorio;
        TBandaDetalhe &detalhe
            = relatorio.AdicionarDetalhe(QStringLiteral("detalhe"), 10, linhas.Tabela);
        Campo(detalhe, linhas.Tabela);
        detalhe.Adicionar<TLinhaRelatorio>(0, 9, TLinhaRelatorio::AteABorda, 2);
        Rotulo(detalhe.CriarCabecalho(QStringLiteral("cabecalho"), 10), QStringLiteral("Cab"));

        // 277 mm between the margins hold 27 bands of 10 mm: the header and 26 rows first.
        QCOMPARE(relatorio.Preparar(*m_medida), 3);

        const auto &paginas = relatorio.Paginas();
        QCOMPARE(TextosDaPagina(paginas[0]).size(), 27);
        QCOMPARE(TextosDaPagina(paginas[1]).first(), QStringLiteral("L27"));
        QCOMPARE(TextosDaPagina(paginas[2]).last(), QStringLiteral("L60"));
        QVERIFY(!TextosDasPaginas(relatorio).mid(1).contains(QStringLiteral("Cab")));
        for (const TPaginaRelatorio &pagina : paginas) {
            QCOMPARE(pagina.Itens.front().Retangulo.top(), 10.0);
            for (const TItemPagina &item : pagina.Itens)
                QVERIFY(item.Retangulo.bottom() <= 297 - 10 + 0.01);
        }
        // Rules run from the left margin to the right one.
        const TItemPagina &regua = paginas[0].Itens[2];
        QCOMPARE(regua.Tipo, TItemPagina::Linha);
        QCOMPARE(regua.Retangulo.left(), 10.0);
        QCOMPARE(regua.Retangulo.right(), 200.0);
    }

    void textoEsticavelEmpurraORestoDaBanda()
    {
        TRelatorio relatorio;
        TBandaRelatorio &banda = relatorio.AdicionarBanda(QStringLiteral("banda"), 10);
        TRotuloRelatorio &longo = banda.Adicionar<TRotuloRelatorio>(0, 0, 30, FonteRelatorio(10),
            QStringLiteral("um texto comprido que não cabe numa só linha de trinta milímetros"));
        longo.SetEstica(true);
        Rotulo(banda, QStringLiteral("Abaixo"), 5);
        banda.Adicionar<TRotuloRelatorio>(40, 0, 50, FonteRelatorio(10), QStringLiteral("Ao lado"));
        Rotulo(relatorio.AdicionarBanda(QStringLiteral("seguinte"), 5), QStringLiteral("Depois"));

        relatorio.Preparar(*m_medida);

        const auto &itens = relatorio.Paginas().front().Itens;
        const int linhasLongas = int(itens.size()) - 3;
        QVERIFY(linhasLongas >= 3);
        const double alturaLinha = itens[0].Retangulo.height();
        const double crescimento = (linhasLongas - 1) * alturaLinha;
        for (int i = 0; i < linhasLongas; ++i) {
            QVERIFY(itens[std::size_t(i)].Retangulo.width() <= 30);
            QCOMPARE(itens[std::size_t(i)].Retangulo.top(), 10 + i * alturaLinha);
        }
        QCOMPARE(
            ItemDoTexto(relatorio, QStringLiteral("Abaixo")).Retangulo.top(), 10 + 5 + crescimento);
        QCOMPARE(ItemDoTexto(relatorio, QStringLiteral("Ao lado")).Retangulo.top(), 10.0);
        QCOMPARE(ItemDoTexto(relatorio, QStringLiteral("Depois")).Retangulo.top(),
            10 + 10 + crescimento);
    }

    void textoDeUmaLinhaFicaNaSuaCaixa()
    {
        TRelatorio relatorio;
        TBandaRelatorio &banda = relatorio.AdicionarBanda(QStringLiteral("banda"), 10);
        banda.Adicionar<TRotuloRelatorio>(
            20, 2, 15, FonteRelatorio(10), QStringLiteral("um texto bem mais largo que a caixa"));
        banda.Adicionar<TRotuloRelatorio>(20, 6, 0, FonteRelatorio(10), QStringLiteral("livre"));

        relatorio.Preparar(*m_medida);

        const auto &itens = relatorio.Paginas().front().Itens;
        QCOMPARE(itens.size(), std::size_t(2));
        QCOMPARE(itens[0].Recorte, itens[0].Retangulo);
        QCOMPARE(itens[0].Retangulo.left(), 30.0);
        QCOMPARE(itens[0].Retangulo.width(), 15.0);
        // A text without width sizes itself and is not clipped.
        QVERIFY(itens[1].Recorte.isNull());
        QCOMPARE(itens[1].Retangulo.width(),
            LarguraMm(FonteRelatorio(10), QStringLiteral("livre"), *m_medida));
    }

    void bandaMaiorQueAPaginaERecusada()
    {
        MensagemGravador gravador;
        TRelatorio relatorio;
        Rotulo(relatorio.AdicionarBanda(QStringLiteral("enorme"), 280), QStringLiteral("x"));
        bool depois = false;
        relatorio.AposImprimir = [&](TRelatorio &) { depois = true; };
        const QString texto = QStringLiteral(
            "Não será possível visualizar/imprimir este relatório, pois ou o tamanho do papel "
            "escolhido não é adequado, ou as margens definidas na configuração deste relatório "
            "estão inadequadas.");

        QVERIFY_THROWS_EXCEPTION(EVrtException, relatorio.Preparar(*m_medida));

        QCOMPARE(gravador.Textos(), QStringList {texto});
        QCOMPARE(gravador.Mensagens().first().Tipo, tmErro);
        QVERIFY(depois);
    }

    void tabelaPrincipalVaziaNaoImprime()
    {
        TTabelaLinhas vazia(0);
        TRelatorio relatorio;
        relatorio.TabelaPrincipal = &vazia.Tabela;
        Rotulo(relatorio.AdicionarBanda(QStringLiteral("titulo"), 10), QStringLiteral("Título"));

        QCOMPARE(relatorio.Preparar(*m_medida), 0);
    }

    void valoresAlinhadosPelaVirgula()
    {
        TRelatorio relatorio;
        TBandaRelatorio &banda = relatorio.AdicionarBanda(QStringLiteral("banda"), 20);
        const QFont fonte = FonteRelatorio(10, true);
        for (const auto &[topo, texto] :
            {std::pair {0.0, "1.234.567,8"}, std::pair {6.0, "5,25"}, std::pair {12.0, "9"}}) {
            auto &valor = banda.Adicionar<TRotuloRelatorio>(
                36.2, topo, 41.5, fonte, QString::fromUtf8(texto));
            valor.AlinhaValor().SetTipoAlinhaValor(tavValorTotalComCifrao);
        }

        relatorio.Preparar(*m_medida);

        const auto &itens = relatorio.Paginas().front().Itens;
        QCOMPARE(TextosDaPagina(relatorio.Paginas().front()),
            Lista({",80", "1.234.567", ",25", "5", ",00", "9"}));
        const double pixel = 25.4 / m_medida->logicalDpiX();
        const double largura
            = LarguraMm(fonte, QStringLiteral("000-9.999.999.999.999,99"), *m_medida) + pixel;
        const double separador
            = 10 + 36.2 + largura - (LarguraMm(fonte, QStringLiteral(",00"), *m_medida) + pixel);
        for (std::size_t i = 0; i < itens.size(); i += 2) {
            const TItemPagina &decimal = itens[i];
            const TItemPagina &inteira = itens[i + 1];
            // The integer part ends and the decimal part starts at the same column.
            QCOMPARE(inteira.Retangulo.right(), separador);
            QCOMPARE(decimal.Retangulo.right() - LarguraMm(fonte, decimal.Conteudo, *m_medida),
                separador);
            QCOMPARE(inteira.Recorte,
                QRectF(46.2, 10 + (i / 2) * 6.0, largura, inteira.Retangulo.height()));
        }
    }

    void imprimeEmPdfAsPaginasEscolhidas()
    {
        TTabelaLinhas linhas(60);
        TRelatorio relatorio;
        TBandaDetalhe &detalhe
            = relatorio.AdicionarDetalhe(QStringLiteral("detalhe"), 10, linhas.Tabela);
        Campo(detalhe, linhas.Tabela);
        QList<int> paginas;
        relatorio.AoImprimirPagina = [&](int pagina, int total) {
            QCOMPARE(total, 3);
            paginas << pagina;
        };
        const QString todas = Caminho(QStringLiteral("todas.pdf"));
        const QString segunda = Caminho(QStringLiteral("segunda.pdf"));

        {
            QPdfWriter pdf(todas);
            relatorio.Imprimir(pdf);
        }
        relatorio.PrimeiraPagina = relatorio.UltimaPagina = 2;
        {
            QPdfWriter pdf(segunda);
            relatorio.Imprimir(pdf);
        }

        QCOMPARE(paginas, QList<int>({1, 2, 3, 2}));
        QCOMPARE(PaginasDoPdf(todas), 3);
        QCOMPARE(PaginasDoPdf(segunda), 1);
        const QString texto = TextoDoPdf(segunda);
        QVERIFY(texto.contains(QStringLiteral("L28")));
        QVERIFY(!texto.contains(QStringLiteral("L27")));
        QVERIFY(!texto.contains(QStringLiteral("L55")));
        for (const QString &fonte : FontesDoPdf(todas))
            QVERIFY2(fonte.contains(QStringLiteral("LiberationSans")), qPrintable(fonte));
    }
};

QTEST_MAIN(TestBandasRelatorio)
#include "test_uBandasRelatorio.moc"
