#include "app/uImportacaoPlanilha.h"
#include "app/uPrincipal.h"
#include "app/ufmPreviaPlanilha.h"
#include "components/vrtDBGrid.h"
#include "exchange/uLeitorPlanilha.h"
#include "exchange/uVTExpImpCotacao.h"
#include "model/uTabelasCotacao.h"
#include "model/uVTExpImpCotacaoItens.h"
#include "support/ArquivosTeste.h"
#include "support/CotacaoTeste.h"
#include "support/MensagemGravador.h"

#include <QAbstractItemModel>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A tender of items 1 to 3 (maximum price 12, quantity 2.5) under a modality; or of two lots
// holding items 1 and 2 each.
std::unique_ptr<TDadosCotacao> Licitacao(const QString &forma, const QString &modalidade)
{
    auto cotacao = LicitacaoTeste(forma);
    cotacao->Modalidade = modalidade;
    if (cotacao->Itens())
        cotacao->Itens()->Adicionar(ItemTeste(3, 103));
    return cotacao;
}

QString Nome(QWidget *controle)
{
    QAccessibleInterface *acessivel = QAccessible::queryAccessibleInterface(controle);
    return acessivel ? acessivel->text(QAccessible::Name) : QString();
}

QStringList Linhas(const QAbstractItemModel &modelo)
{
    QStringList linhas;
    for (int linha = 0; linha < modelo.rowCount(); ++linha) {
        QStringList celulas;
        for (int coluna = 0; coluna < modelo.columnCount(); ++coluna)
            celulas.append(modelo.index(linha, coluna).data().toString());
        linhas.append(celulas.join(QLatin1Char('|')));
    }
    return linhas;
}

} // namespace

class TestImportacaoPlanilha : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void exportsTheOpenQuotation();
    void previewListsChangesAndProblemsAndAppliesOnce();
    void cancelChangesNothing();
    void maximumPriceBatchRule_data();
    void maximumPriceBatchRule();
    void perLotSheetTotalsEveryLot();
    void pastedBlockFillsWritableColumnsDownwards();
    void aSheetThatCannotBeReadSaysWhy();

private:
    void Abrir(const TDadosCotacao &cotacao)
    {
        m_arquivo = GravarArquivoCotacao(cotacao, m_pasta->path(), u"Cotacao"_s);
        m_janela->EscolherArquivo = [this] { return m_arquivo; };
        Acao("mnAbrir")->trigger();
    }
    QAction *Acao(const char *nome) const
    {
        return m_janela->findChild<QAction *>(QLatin1String(nome));
    }
    // Imports the CSV text through the menu; the preview is looked at, then answered.
    void Importar(const QByteArray &csv)
    {
        const QString planilha = QDir(m_pasta->path()).filePath(u"precos.csv"_s);
        GravarArquivo(planilha, csv);
        m_janela->Planilha().EscolherArquivo = [planilha](bool) { return planilha; };
        Acao("mnImportarPlanilha")->trigger();
    }
    void Responder(bool aplicar)
    {
        m_janela->Planilha().MostrarPrevia = [this, aplicar](TfmPreviaPlanilha &previa) {
            m_alteracoes = Linhas(*previa.Alteracoes()->model());
            m_problemas = Linhas(*previa.Problemas()->model());
            m_nomes = QStringList {Nome(previa.Alteracoes()), Nome(previa.Problemas()),
                Nome(previa.BotaoAplicar()), Nome(previa.BotaoCancelar())};
            ++m_previas;
            return aplicar;
        };
    }
    double Preco(int linha) const
    {
        double preco = -1;
        TTabelasCotacao &t = m_janela->Tabelas();
        t.mmItens.NaLinha(linha, [&] { preco = t.mmItensVlCotado->AsFloat(); });
        return preco;
    }
    TvrtDBGrid &Itens() const { return *m_janela->findChild<TvrtDBGrid *>(u"dbgItens"_s); }

    std::unique_ptr<QTemporaryDir> m_pasta;
    std::unique_ptr<TfmCotacao> m_janela;
    QString m_arquivo;
    QStringList m_alteracoes;
    QStringList m_problemas;
    QStringList m_nomes;
    int m_previas = 0;
};

void TestImportacaoPlanilha::init()
{
    m_pasta = std::make_unique<QTemporaryDir>();
    m_janela = std::make_unique<TfmCotacao>();
    m_janela->show();
    m_previas = 0;
}

void TestImportacaoPlanilha::cleanup()
{
    m_janela.reset();
    m_pasta.reset();
}

void TestImportacaoPlanilha::exportsTheOpenQuotation()
{
    QVERIFY(!Acao("mnExportarPlanilha")->isEnabled());
    Abrir(*Licitacao(u"Gi"_s, u"Pr"_s));
    QVERIFY(Acao("mnExportarPlanilha")->isEnabled());
    QVERIFY(Acao("mnImportarPlanilha")->isEnabled());
    const QString destino = QDir(m_pasta->path()).filePath(u"itens.xlsx"_s);
    m_janela->Planilha().EscolherArquivo
        = [destino](bool salvar) { return salvar ? destino : QString(); };
    Acao("mnExportarPlanilha")->trigger();
    const TPlanilhaLida lida = LerPlanilha(destino);
    QCOMPARE(int(lida.Linhas.size()), 5); // every lot's items, whatever lot the grid shows
    QCOMPARE(lida.Linhas[4].Celula(0).Numero, 2.0);
}

void TestImportacaoPlanilha::previewListsChangesAndProblemsAndAppliesOnce()
{
    Abrir(*Licitacao(u"Pi"_s, u"Pr"_s));
    const QByteArray antes = LerArquivo(m_arquivo);
    int salvamentos = 0;
    m_janela->Tabelas().mmItens.AfterPost = [&](TMemoryTable &) { ++salvamentos; };
    Responder(true);
    MensagemGravador gravador;
    Importar("Item;Valor unitário cotado (R$);Marca;Observação\r\n1;10,5;Acme;Entrega em 5 dias\r\n"
             "2;abc;;\r\n3;;Bic;\r\n");
    QCOMPARE(m_previas, 1);
    QCOMPARE(m_alteracoes,
        QStringList({u"Item 1|0,00000 → 10,50000|12,00|Acme|Entrega em 5 dias"_s,
            u"Item 3||12,00|Bic|"_s}));
    QCOMPARE(m_problemas, QStringList {u"3|O valor cotado \"abc\" não é um número."_s});
    QCOMPARE(m_nomes, QStringList({u"Alterações"_s, u"Problemas"_s, u"Aplicar"_s, u"Cancelar"_s}));
    QVERIFY(gravador.Mensagens().isEmpty());
    QCOMPARE(salvamentos, 0);
    QCOMPARE(Preco(0), 10.5);
    QCOMPARE(Preco(1), 0.0);
    QCOMPARE(m_janela->Tabelas().mmDadosValorTotalCotado->AsFloat(), 26.25);
    // The one save wrote the canonical file; the file received went, as any save does.
    QVERIFY(antes != LerArquivo(QDir(m_pasta->path()).filePath(u"COT-7-2024.kvt"_s)));
}

void TestImportacaoPlanilha::cancelChangesNothing()
{
    Abrir(*Licitacao(u"Pi"_s, u"Pr"_s));
    const QStringList arquivos = ArquivosEm(m_pasta->path());
    Responder(false);
    Importar("Item;Valor unitário cotado (R$)\r\n1;10\r\n");
    QCOMPARE(m_previas, 1);
    QCOMPARE(Preco(0), 0.0);
    QCOMPARE(ArquivosEm(m_pasta->path()), arquivos + QStringList {u"precos.csv"_s});
}

void TestImportacaoPlanilha::maximumPriceBatchRule_data()
{
    QTest::addColumn<QString>("modalidade");
    QTest::addColumn<int>("resposta");
    QTest::addColumn<int>("mensagens");
    QTest::addColumn<double>("item1");
    QTest::newRow("Pr, Sim") << u"Pr"_s << int(mrYes) << 1 << 20.0;
    QTest::newRow("Pr, Não") << u"Pr"_s << int(mrNo) << 1 << 0.0;
    QTest::newRow("Le") << u"Le"_s << int(mrOk) << 0 << 20.0;
    QTest::newRow("Cs") << u"Cs"_s << int(mrOk) << 0 << 20.0;
    QTest::newRow("Cc") << u"Cc"_s << int(mrOk) << 1 << 20.0;
}

// Items 1 and 2 above their maximum, item 3 within it: one message at most for the batch.
void TestImportacaoPlanilha::maximumPriceBatchRule()
{
    QFETCH(QString, modalidade);
    QFETCH(int, resposta);
    QFETCH(int, mensagens);
    QFETCH(double, item1);
    Abrir(*Licitacao(u"Pi"_s, modalidade));
    Responder(true);
    MensagemGravador gravador({resposta});
    Importar("Item;Valor unitário cotado (R$)\r\n1;20\r\n2;30\r\n3;5\r\n");
    QCOMPARE(int(gravador.Mensagens().size()), mensagens);
    if (mensagens == 1) {
        const TMensagem &mensagem = gravador.Mensagens().front();
        QCOMPARE(mensagem.Tipo, modalidade == u"Pr"_s ? tmPergunta : tmInformacao);
        QVERIFY(mensagem.Texto.contains(
            u"Item 1: R$ 20,00000, máximo R$ 12,00\rItem 2: R$ 30,00000, máximo R$ 12,00"_s));
    }
    QCOMPARE(Preco(0), item1);
    QCOMPARE(Preco(1), item1 == 0 ? 0.0 : 30.0);
    QCOMPARE(Preco(2), 5.0);
}

void TestImportacaoPlanilha::perLotSheetTotalsEveryLot()
{
    Abrir(*Licitacao(u"Gi"_s, u"Pr"_s));
    Responder(true);
    Importar("Lote;Item;Valor unitário cotado (R$)\r\n1;1;2\r\n2;2;4\r\n");
    TTabelasCotacao &t = m_janela->Tabelas();
    QCOMPARE(t.mmDadosValorTotalCotado->AsFloat(), 15.0);
    QCOMPARE(t.mmGrupos.RecNo(), 1); // the grid stays on the first lot
    QCOMPARE(t.mmGruposVlTotal->AsFloat(), 5.0);
    t.mmGrupos.Next();
    QCOMPARE(t.mmGruposVlTotal->AsFloat(), 10.0);
}

void TestImportacaoPlanilha::pastedBlockFillsWritableColumnsDownwards()
{
    Abrir(*Licitacao(u"Pi"_s, u"Pr"_s));
    Responder(true);
    TvrtDBGrid &grade = Itens();
    m_janela->Tabelas().mmItens.SetRecNo(2);
    for (int i = 0; i < grade.Columns().Count(); ++i) {
        if (grade.Columns().Items(i).Field().FieldName() == u"VlCotado"_s)
            grade.SetSelectedIndex(i);
    }
    // Price, then brand (the maximum price between them cannot be written); a third line
    // has no item left. The question about the price above the maximum is answered yes.
    MensagemGravador gravador({int(mrYes)});
    QApplication::clipboard()->setText(u"7,5\tAcme\n1.234,5\tBic\tRápida\n3\n"_s);
    grade.setFocus();
    QTest::keySequence(&grade, QKeySequence::Paste);
    QCOMPARE(m_previas, 1);
    QCOMPARE(m_alteracoes,
        QStringList({u"Item 2|0,00000 → 7,50000|12,00|Acme|"_s,
            u"Item 3|0,00000 → 1.234,50000|12,00|Bic|Rápida"_s}));
    QCOMPARE(m_problemas, QStringList {u"3|Não há item visível para esta linha."_s});
    QCOMPARE(Preco(1), 7.5);
    QCOMPARE(Preco(2), 1234.5);
    QCOMPARE(Preco(0), 0.0);
}

void TestImportacaoPlanilha::aSheetThatCannotBeReadSaysWhy()
{
    Abrir(*Licitacao(u"Pi"_s, u"Pr"_s));
    Responder(true);
    MensagemGravador gravador;
    Importar("Quantidade;Lote\r\n1;2\r\n");
    QCOMPARE(m_previas, 0);
    QCOMPARE(gravador.Mensagens().size(), 1);
    QCOMPARE(gravador.Mensagens().front().Texto, u"Não foi possível importar a planilha."_s);
    QCOMPARE(gravador.Mensagens().front().Detalhes,
        u"A planilha não tem a coluna \"Item\" na primeira linha."_s);
}

QTEST_MAIN(TestImportacaoPlanilha)
#include "test_uImportacaoPlanilha.moc"
