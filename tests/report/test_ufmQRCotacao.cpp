#include "CotacaoTeste.h"
#include "PdfTeste.h"
#include "exchange/uVTExpImpCotacao.h"
#include "model/uVTExpImpCotacaoGrupo.h"
#include "report/uImpressaoCotacao.h"
#include "report/ufmQRCotacao.h"
#include "support/MensagemGravador.h"

#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A per-item tender of the modality "Tp": two priced items, one without price but with an
// observation, and one priced item with an observation.
std::unique_ptr<TDadosCotacao> LicitacaoPorItem()
{
    auto cotacao
        = NovaLicitacao(QStringLiteral("Pi"), QStringLiteral("Tp"), QStringLiteral("3/2024"));
    auto itens = std::make_unique<TItens>();
    AdicionarItem(*itens, {1, 1, "Caneta esferográfica azul", 100, 1.5, "Bic"});
    AdicionarItem(*itens, {2, 2, "Papel sulfite A4", 2.5, 0, "", "Sem estoque neste momento"});
    AdicionarItem(
        *itens, {3, 1, "Grampeador de mesa", 4, 32.75, "Acme", "Entrega em caixa fechada"});
    cotacao->SetItens(std::move(itens));
    cotacao->ValorTotalCotado = 281;
    return cotacao;
}

// A global tender split into quotas: items of the reserved quota (4) and of the principal one.
std::unique_ptr<TDadosCotacao> LicitacaoGlobalComCotas()
{
    auto cotacao
        = NovaLicitacao(QStringLiteral("Gl"), QStringLiteral("Pr"), QStringLiteral("12/2023"), 4);
    auto itens = std::make_unique<TItens>();
    AdicionarItem(*itens, {1, 4, "Cadeira giratória reservada", 5, 300});
    AdicionarItem(*itens, {1, 3, "Cadeira giratória principal", 15, 300});
    AdicionarItem(*itens, {2, 3, "Mesa de escritório principal", 2, 0});
    cotacao->SetItens(std::move(itens));
    cotacao->ValorTotalCotado = 6000;
    return cotacao;
}

void AdicionarGrupo(TGrupos &grupos, qint32 codigo, const char *descricao, qint32 tratamento,
    double valor, std::initializer_list<TItemTeste> itens)
{
    auto grupo = std::make_unique<TGrupo>();
    grupo->Codigo = codigo;
    grupo->Descricao = QString::fromUtf8(descricao);
    grupo->Tratamento = tratamento;
    grupo->Valor = valor;
    for (const TItemTeste &item : itens)
        AdicionarItem(grupo->Itens(), item);
    grupos.Adicionar(std::move(grupo));
}

// A per-lot tender: a priced lot, a lot without price and a quota lot whose items of both
// treatments share the lot's code.
std::unique_ptr<TDadosCotacao> LicitacaoPorLote()
{
    auto cotacao
        = NovaLicitacao(QStringLiteral("Gi"), QStringLiteral("Cc"), QStringLiteral("7/2027"));
    auto grupos = std::make_unique<TGrupos>();
    AdicionarGrupo(*grupos, 1, "Lote 1 - Materiais hidráulicos", 1, 1234.5,
        {{1, 1, "Tubo de PVC 50 mm", 100, 12.345}, {2, 1, "Registro de gaveta", 1, 0}});
    AdicionarGrupo(
        *grupos, 2, "Lote 2 - Materiais elétricos", 2, 0, {{1, 2, "Cabo flexível 6 mm", 40, 0}});
    AdicionarGrupo(*grupos, 3, "Lote 3 - Bombas", 4, 4350,
        {{1, 4, "Bomba centrífuga reservada", 1, 4350},
            {1, 3, "Bomba centrífuga principal", 3, 0}});
    cotacao->SetGrupos(std::move(grupos));
    cotacao->ValorTotalCotado = 5584.5;
    return cotacao;
}

QStringList TextosDoRelatorio(TfmQRCotacao &relatorio, const QPaintDevice &medida)
{
    relatorio.qrPrincipal.Preparar(medida);
    return TextosDasPaginas(relatorio.qrPrincipal);
}

} // namespace

class TestQRCotacao : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_pasta;
    std::unique_ptr<QPdfWriter> m_medida;
    TTabelasCotacao m_tabelas;
    TExpImpCotacao m_controlador;

    void Abrir(const TDadosCotacao &cotacao, const QString &nome)
    {
        AbrirCotacao(GravarArquivoCotacao(cotacao, m_pasta.path(), nome), m_controlador, m_tabelas);
    }

    void PreencherFornecedor()
    {
        TMemoryTable &f = m_tabelas.mmForneced;
        if (f.IsEmpty())
            f.Append();
        else
            f.Edit();
        f.FieldByName(QStringLiteral("FORRAZAOSOCIAL"))
            .SetAsString(QStringLiteral("Papelaria Aurora Ltda"));
        f.FieldByName(QStringLiteral("FORENDERECO"))
            .SetAsString(QStringLiteral("Rua das Flores, 10"));
        f.FieldByName(QStringLiteral("FORCEP")).SetAsString(QStringLiteral("85000-000"));
        f.FieldByName(QStringLiteral("FORFONEEMPRESA"))
            .SetAsString(QStringLiteral("(42) 3333-4444"));
        f.FieldByName(QStringLiteral("FORCIDADE")).SetAsString(QStringLiteral("   "));
        f.Post();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_pasta.isValid());
        m_medida = std::make_unique<QPdfWriter>(m_pasta.filePath(QStringLiteral("medida.pdf")));
        m_tabelas.Abrir();
        PreencherFornecedor();
    }

    void porItemDeixaDeForaItensSemPreco()
    {
        Abrir(*LicitacaoPorItem(), QStringLiteral("por-item"));
        TfmQRCotacao relatorio(m_tabelas);

        const QStringList textos = TextosDoRelatorio(relatorio, *m_medida);

        QCOMPARE(textos.first(), QStringLiteral("Tomada de preços nº 3/2024"));
        // The declaration wraps: its lines, joined, give the sentence.
        QVERIFY(
            textos.join(QLatin1Char(' '))
                .contains(QStringLiteral(
                    "De acordo com as especificações constantes do edital licitatório do Tomada de "
                    "preços nº 3/2024, em especial seu anexo I - Termo de Referência.")));
        const qsizetype cabecalho = textos.indexOf(QStringLiteral("Descrição do item"));
        QVERIFY(cabecalho > 0);
        // The two priced items with their display texts; the observation of the priced item
        // follows its row, that of the item left out goes with it.
        QCOMPARE(textos.mid(cabecalho + 5, 19),
            Lista({"1", "Normal", "Caneta esferográfica azul", "Bic", "100", "1,50000", "150,00",
                "3", "Normal", "Grampeador de mesa", "Acme", "4", "32,75000", "131,00",
                "Observação:", "Entrega em caixa fechada", "Valor total proposto:", ",00", "281"}));
        QVERIFY(!textos.contains(QStringLiteral("Papel sulfite A4")));
        QVERIFY(!textos.contains(QStringLiteral("Sem estoque neste momento")));
    }

    void blocoDoFornecedorImprimeSoOsRotulosDosVazios()
    {
        Abrir(*LicitacaoPorItem(), QStringLiteral("fornecedor"));
        TfmQRCotacao relatorio(m_tabelas);

        const QStringList textos = TextosDoRelatorio(relatorio, *m_medida);

        const qsizetype inicio = textos.indexOf(QStringLiteral("Razão social:"));
        QCOMPARE(textos.mid(inicio, 16),
            Lista({"Razão social:", "Papelaria Aurora Ltda", "Nome Fantasia:", "CPF/CNPJ:",
                "11.222.333/0001-81", "Endereço:", "Rua das Flores, 10",
                "Cidade:", "Estado:", "Telefone:", "(42) 3333-4444",
                "Fax:", "e-Mail:", "Representante:", "Telefone:", "CEP:"}));
        QCOMPARE(textos.at(inicio + 16), QStringLiteral("85000-000"));
    }

    void globalListaTodasAsCotasEDevolveOFiltro()
    {
        Abrir(*LicitacaoGlobalComCotas(), QStringLiteral("global"));
        TMemoryTable &itens = m_tabelas.mmItens;
        itens.SetFilter(QStringLiteral(" TRATAMENTO = 4"));
        itens.SetFiltered(true);
        QCOMPARE(itens.RecordCount(), 1);
        TfmQRCotacao relatorio(m_tabelas);

        const QStringList textos = TextosDoRelatorio(relatorio, *m_medida);

        QCOMPARE(textos.first(), QStringLiteral("Pregão nº 12/2023"));
        // A treatment's name wraps in its narrow column.
        const QString linhas = textos.join(QLatin1Char(' '));
        for (const char *item : {"Cadeira giratória reservada", "Cadeira giratória principal",
                 "Mesa de escritório principal", "Cota Reservada", "Cota Principal"})
            QVERIFY2(linhas.contains(QString::fromUtf8(item)), item);
        QVERIFY(itens.Filtered());
        QCOMPARE(itens.Filter(), QStringLiteral(" TRATAMENTO = 4"));
        QCOMPARE(itens.RecordCount(), 1);
    }

    void porLoteImprimeSoLotesComValor()
    {
        Abrir(*LicitacaoPorLote(), QStringLiteral("por-lote"));
        TfmQRCotacao relatorio(m_tabelas);

        const QStringList textos = TextosDoRelatorio(relatorio, *m_medida);

        const qsizetype grupos = textos.indexOf(QStringLiteral("Grupos"));
        QVERIFY(grupos > 0);
        QVERIFY(!textos.contains(QStringLiteral("Lote 2 - Materiais elétricos")));
        QVERIFY(!textos.contains(QStringLiteral("Cabo flexível 6 mm")));
        QCOMPARE(textos.count(QStringLiteral("Descrição do item")), 2);
        const QStringList titulos = Lista({"Item", "Tratamento", "Descrição do item", "Marca",
            "Quantidade", "Valor unitário (R$)", "Valor total (R$)"});
        QStringList esperado {
            QStringLiteral("Grupos"), QStringLiteral("Lote 1 - Materiais hidráulicos")};
        esperado << titulos
                 << Lista({"1", "Normal", "Tubo de PVC 50 mm", "100", "12,34500", "1.234,50", "2",
                        "Normal", "Registro de gaveta", "1",
                        "Valor total do Lote 1 - Materiais hidráulicos:", "1.234,50",
                        "Lote 3 - Bombas"})
                 << titulos
                 // A quota lot lists only the items of its own treatment.
                 << Lista({"1", "Cota", "Reservada", "Bomba centrífuga reservada", "1",
                        "4.350,00000", "4.350,00", "Valor total do Lote 3 - Bombas:", "4.350,00",
                        "Valor total proposto:"});
        QCOMPARE(textos.mid(grupos, esperado.size()), esperado);
    }

    void pdfTemOTextoDaProposta()
    {
        Abrir(*LicitacaoPorItem(), QStringLiteral("pdf"));
        const QString caminho = m_pasta.filePath(QStringLiteral("proposta.pdf"));

        GerarPropostaEmPdf(m_tabelas, caminho);

        const QString texto = TextoDoPdf(caminho);
        QCOMPARE(PaginasDoPdf(caminho), 1);
        for (const char *trecho : {"Tomada de preços nº 3/2024", "PROPOSTA COMERCIAL",
                 "A presente proposta tem como objeto:", "Aquisição de material de expediente.",
                 "Concordamos com todas as exigências do edital.", "LOCAL/DATA"})
            QVERIFY2(texto.contains(QString::fromUtf8(trecho)), trecho);
        // An empty fax prints its label alone on its line.
        QVERIFY(texto.contains(QRegularExpression(
            QStringLiteral("^\\s*Fax:\\s*$"), QRegularExpression::MultilineOption)));
        QVERIFY(
            texto.contains(QRegularExpression(QStringLiteral("Valor total proposto:\\s+281,00"))));
        for (const QString &fonte : FontesDoPdf(caminho))
            QVERIFY2(fonte.contains(QStringLiteral("LiberationSans")), qPrintable(fonte));
    }

    void objetoMaiorQueAPaginaERecusado()
    {
        auto cotacao = LicitacaoPorItem();
        cotacao->ObjetoResumido
            = TextoEmHexa(QString(60, QLatin1Char('x')).append(QLatin1Char(' ')).repeated(200));
        Abrir(*cotacao, QStringLiteral("objeto-enorme"));
        MensagemGravador gravador;
        TfmQRCotacao relatorio(m_tabelas);

        QVERIFY_THROWS_EXCEPTION(EVrtException, relatorio.qrPrincipal.Preparar(*m_medida));
        QCOMPARE(gravador.Mensagens().size(), 1);
        QVERIFY(gravador.Textos().first().startsWith(
            QStringLiteral("Não será possível visualizar/imprimir este relatório")));
    }
};

QTEST_MAIN(TestQRCotacao)
#include "test_ufmQRCotacao.moc"
