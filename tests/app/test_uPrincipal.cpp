#include "app/uPrincipal.h"
#include "common/uExcecoes.h"
#include "common/uPastaTemporaria.h"
#include "components/Dbvalor.h"
#include "components/MemTable.h"
#include "components/vrtDBEdit.h"
#include "components/vrtDBGrid.h"
#include "exchange/uVTExpImpCotacao.h"
#include "exchange/uVTExpImpCotacaoValidacoes.h"
#include "model/uTabelasCotacao.h"
#include "model/uVTExpImpCotacaoDados.h"
#include "model/uVTExpImpCotacaoItens.h"
#include "support/ArquivosTeste.h"
#include "support/CotacaoTeste.h"
#include "support/JanelasTeste.h"
#include "support/MensagemGravador.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QSaveFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString Cotacao = QStringLiteral("Cotacao.kvt");

// A tender of four loose items, two of each quota, or of two lots whose second is reserved:
// items 1 and 2 of treatment 4, items 3 and 4 of treatment 3 (or 1 in the lots).
std::unique_ptr<TDadosCotacao> LicitacaoComCotas(const QString &forma)
{
    auto cotacao = LicitacaoTeste(forma, 4);
    if (cotacao->Itens()) {
        auto itens = std::make_unique<TItens>();
        for (qint32 codigo : {1, 2, 3, 4})
            itens->Adicionar(ItemTeste(codigo, 100 + codigo, codigo <= 2 ? 4 : 3));
        cotacao->SetItens(std::move(itens));
    } else if (TGrupos *grupos = cotacao->Grupos()) {
        for (int i = 0; i < grupos->Count(); ++i) {
            TGrupo &grupo = grupos->Grupo(i);
            grupo.Tratamento = i == 0 ? 1 : 4;
            grupo.Itens().Limpar();
            for (qint32 codigo : {1, 2, 3})
                grupo.Itens().Adicionar(
                    ItemTeste(codigo, 100 + codigo, codigo == 3 ? 1 : grupo.Tratamento));
        }
    }
    return cotacao;
}

// Tender 7/2024 of one loose item: quantity 2.5, maximum price 100, under a modality.
std::unique_ptr<TDadosCotacao> LicitacaoDeUmItem(
    const QString &modalidade, double maximo, double cotado = 0)
{
    auto cotacao = LicitacaoTeste(QStringLiteral("Pi"));
    cotacao->Modalidade = modalidade;
    auto itens = std::make_unique<TItens>();
    for (qint32 codigo : {1, 2}) {
        TItem &item = itens->Adicionar(ItemTeste(codigo, 100 + codigo));
        item.ValorMaximo = maximo;
        item.ValorCotado = codigo == 1 ? cotado : 0;
    }
    cotacao->SetItens(std::move(itens));
    return cotacao;
}

QStringList CamposVisiveis(const TMemoryTable &tabela)
{
    QStringList campos;
    for (int i = 0; i < tabela.FieldCount(); ++i) {
        if (tabela.Fields(i).Visible())
            campos.append(tabela.Fields(i).FieldName());
    }
    return campos;
}

QStringList ValoresDaColuna(TMemoryTable &tabela, const QString &campo)
{
    QStringList valores;
    const TField &coluna = tabela.FieldByName(campo);
    for (int linha = 0; linha < tabela.RecordCount(); ++linha)
        tabela.NaLinha(linha, [&] { valores.append(coluna.AsString()); });
    return valores;
}

} // namespace

class TestPrincipal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsWithNothingOpen();
    void opensEachKindAndJudgementForm_data();
    void opensEachKindAndJudgementForm();
    void aSecondOpenReplacesCaptionAndColumns();
    void aFailedOpenLeavesOnlyOpenAndExit_data();
    void aFailedOpenLeavesOnlyOpenAndExit();
    void globalTenderWithQuotasShowsTheReservedQuotaFirst();
    void perLotTenderFollowsTheChosenLot();
    void quotasNarrowTheItemsOnlyWhileTheyAreShown_data();
    void quotasNarrowTheItemsOnlyWhileTheyAreShown();
    void maximumPriceCheck_data();
    void maximumPriceCheck();
    void itemAndProposalTotalsAreRoundedTheirOwnWay();
    void movingToAnotherLotOrQuotaPostsTheItemFirst_data();
    void movingToAnotherLotOrQuotaPostsTheItemFirst();
    void supplierNumberIsCheckedAndMaskedOnLeaving_data();
    void supplierNumberIsCheckedAndMaskedOnLeaving();
    void savingWithoutANumberSavesNothing();
    void theFirstSaveRenamesTheReceivedFile();
    void theFirstSaveRemovesTheReceivedFileWhateverItsCase_data();
    void theFirstSaveRemovesTheReceivedFileWhateverItsCase();
    void supplierDetailsSurviveAnOpen();
    void commandsShowTheirWindows_data();
    void commandsShowTheirWindows();
    void noGridAddsOrDeletesRows_data();
    void noGridAddsOrDeletesRows();

    // On a supplier's own machine.
    void windowFitsTheScreen();
    void coatOfArmsShowsTheHeaderColour();
    void aPointTypedInAPriceIsTheDecimalSeparator();
    void afterNoTheRefusedPriceIsSelected();
    void closingSavesWhatIsPending_data();
    void closingSavesWhatIsPending();
    void closingStaysOpenWhenACheckRefuses_data();
    void closingStaysOpenWhenACheckRefuses();
    void savingTakesTheNumberBeingTyped_data();
    void savingTakesTheNumberBeingTyped();
    void aFailedSilentSaveSaysSoOnce();
    void savingIntoAnotherFolderLeavesTheReceivedFile();

private:
    QString Gravar(const TDadosCotacao &cotacao, const QString &nome = QStringLiteral("Cotacao"))
    {
        return GravarArquivoCotacao(cotacao, m_pasta->path(), nome);
    }
    void Abrir(const QString &caminho)
    {
        m_janela->EscolherArquivo = [caminho] { return caminho; };
        Acao("mnAbrir")->trigger();
    }
    QAction *Acao(const char *nome) const
    {
        return m_janela->findChild<QAction *>(QLatin1String(nome));
    }
    bool Mostrado(const char *painel) const
    {
        auto *controle = m_janela->findChild<QWidget *>(QLatin1String(painel));
        return controle && !controle->isHidden();
    }
    TvrtDBGrid &Grade(const char *nome) const
    {
        return *m_janela->findChild<TvrtDBGrid *>(QLatin1String(nome));
    }
    TTabelasCotacao &Tabelas() const { return m_janela->Tabelas(); }
    QStringList Arquivos() const { return ArquivosEm(m_pasta->path()); }

    // Types a text into the grid's cell of a field of the current row, as the supplier does.
    void Digitar(TvrtDBGrid &grade, const char *campo, const QString &texto)
    {
        grade.setFocus();
        for (int i = 0; i < grade.Columns().Count(); ++i) {
            if (grade.Columns().Items(i).Field().FieldName() == QLatin1String(campo))
                grade.SetSelectedIndex(i);
        }
        QCOMPARE(grade.SelectedField()->FieldName(), QLatin1String(campo));
        for (const QChar caractere : texto)
            QTest::keyClick(QApplication::focusWidget(), caractere.toLatin1());
    }
    static void Tecla(QWidget &controle, Qt::Key tecla, Qt::KeyboardModifiers mod = Qt::NoModifier)
    {
        controle.setFocus();
        QTest::keyClick(QApplication::focusWidget(), tecla, mod);
    }

    TVrtDBEdit &Fornecedor() const
    {
        return *m_janela->findChild<TVrtDBEdit *>(QStringLiteral("edFornecedor"));
    }

    std::unique_ptr<QTemporaryDir> m_pasta;
    std::unique_ptr<TfmCotacao> m_janela;
};

namespace {

// The quotation a file holds, read as the program reads it.
struct TCotacaoLida
{
    explicit TCotacaoLida(const QString &caminho)
    {
        tabelas.Abrir();
        const QFileInfo arquivo(caminho);
        lida = controlador.Importar(arquivo.completeBaseName(),
            arquivo.absolutePath() + QLatin1Char('/'), PastaTemporaria(), tabelas.mmDados,
            tabelas.mmGrupos, tabelas.mmItens, tabelas.mmCotas);
    }
    double Preco(int item) const { return controlador.Cotacao().Itens()->Item(item).ValorCotado; }
    QString Fornecedor() const { return controlador.Cotacao().CpfCnpjFornecedor; }

    TTabelasCotacao tabelas;
    TExpImpCotacao controlador;
    bool lida = false;
};

// Makes the container's creation fail, as in a folder that cannot be written.
class TPastaSomenteLeitura : public TGravacaoContainer
{
public:
    TPastaSomenteLeitura() { m_anterior = InstalarGravacaoContainer(this); }
    ~TPastaSomenteLeitura() override { InstalarGravacaoContainer(m_anterior); }
    TPastaSomenteLeitura(const TPastaSomenteLeitura &) = delete;
    TPastaSomenteLeitura &operator=(const TPastaSomenteLeitura &) = delete;
    bool Criar(QSaveFile &) override { return false; }

private:
    TGravacaoContainer *m_anterior = nullptr;
};

} // namespace

void TestPrincipal::init()
{
    m_pasta = std::make_unique<QTemporaryDir>();
    m_janela = std::make_unique<TfmCotacao>();
    m_janela->show();
    m_janela->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_janela.get()));
}

void TestPrincipal::cleanup()
{
    m_janela.reset();
    m_pasta.reset();
}

void TestPrincipal::startsWithNothingOpen()
{
    QCOMPARE(m_janela->objectName(), QStringLiteral("fmCotacao"));
    QCOMPARE(m_janela->windowTitle(), QStringLiteral("Varenta-Cotação 2.0"));
    // The design size is the window's outer size, and its smallest.
    const QSize moldura = m_janela->frameGeometry().size() - m_janela->size();
    QCOMPARE(m_janela->frameGeometry().size(), QSize(1024, 768));
    QCOMPARE(m_janela->minimumSize(), QSize(1024, 768) - moldura);

    QStringList menu;
    for (QAction *acao : m_janela->findChild<QMenu *>(QStringLiteral("mnArquivo"))->actions()) {
        menu.append(acao->isSeparator()
                ? QStringLiteral("-")
                : QStringLiteral("%1|%2|%3")
                      .arg(acao->text(), acao->statusTip(),
                          acao->isEnabled() ? QStringLiteral("on") : QStringLiteral("off")));
    }
    QCOMPARE(menu,
        QStringList({QStringLiteral("&Abrir...|Abrir um arquivo|on"),
            QStringLiteral("Abrir recente|Abrir um dos últimos arquivos abertos|off"),
            QStringLiteral("&Salvar...|Salvar a cotação|off"),
            QStringLiteral("Salvar em outra pasta...|Salvar a cotação numa pasta escolhida|off"),
            QStringLiteral("Exportar planilha...|Levar os itens para uma planilha|off"),
            QStringLiteral("Importar planilha...|Trazer as respostas de uma planilha|off"),
            QStringLiteral("&Detalhes da licitação...|Informações da licitação|off"),
            QStringLiteral(
                "Detalhes da &pesquisa de preços...|Informações da pesquisa de preços|off"),
            QStringLiteral("&Fornecedor...|Informações do fornecedor|off"),
            QStringLiteral("&Imprimir...|Imprimir a proposta|off"),
            QStringLiteral("Conferir proposta...|Conferir a proposta antes de enviá-la|off"),
            QStringLiteral("Próximo item sem preço|Ir ao próximo item sem preço|off"),
            QStringLiteral("-"), QStringLiteral("Sai&r|Sair do sistema|on")}));

    for (const char *painel : {"pnEntidade", "pnOutros", "pnBrasao", "pnItens"})
        QVERIFY2(Mostrado(painel), painel);
    for (const char *painel :
        {"pnLicitacao", "pnPesquisaPrecos", "pnTratamento", "pnCotas", "pnGrupoItens"})
        QVERIFY2(!Mostrado(painel), painel);
    auto *brasao = m_janela->findChild<QWidget *>(QStringLiteral("dbImgBrasao"));
    QCOMPARE(brasao->size(), QSize(151, 151));
    QCOMPARE(brasao->mapTo(m_janela.get(), QPoint(151, 0)).x(), m_janela->width());
    QCOMPARE(m_janela->findChild<TVrtDBEdit *>(QStringLiteral("edFornecedor"))->text(), QString());
}

void TestPrincipal::opensEachKindAndJudgementForm_data()
{
    QTest::addColumn<bool>("licitacao");
    QTest::addColumn<QString>("forma");
    QTest::addColumn<int>("tratamento");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QStringList>("paineis");
    QTest::addColumn<QStringList>("comandos");
    QTest::addColumn<int>("itens");

    const QString licitacao = QStringLiteral("Varenta-Cotação 2.0 - Licitação: 7/2024");
    const QString pesquisa = QStringLiteral("Varenta-Cotação 2.0 - Pesquisa de preços: 57");
    const QStringList deLicitacao {QStringLiteral("mnSalvar"), QStringLiteral("mnDetalhesLic"),
        QStringLiteral("mnFornecedor"), QStringLiteral("mnImprimir")};
    const QStringList dePesquisa {QStringLiteral("mnSalvar"), QStringLiteral("mnDetalhesPesquisa"),
        QStringLiteral("mnFornecedor")};
    QTest::newRow("tender per item")
        << true << u"Pi"_s << 1 << licitacao << QStringList {u"pnLicitacao"_s, u"pnItens"_s}
        << deLicitacao << 2;
    QTest::newRow("tender global")
        << true << u"Gl"_s << 1 << licitacao
        << QStringList {u"pnLicitacao"_s, u"pnTratamento"_s, u"pnItens"_s} << deLicitacao << 2;
    QTest::newRow("tender global in quotas")
        << true << u"Gl"_s << 4 << licitacao
        << QStringList {u"pnLicitacao"_s, u"pnTratamento"_s, u"pnCotas"_s, u"pnItens"_s}
        << deLicitacao << 2;
    QTest::newRow("tender per lot")
        << true << u"Gi"_s << 1 << licitacao
        << QStringList {u"pnLicitacao"_s, u"pnGrupoItens"_s, u"pnItens"_s} << deLicitacao << 2;
    QTest::newRow("survey per item")
        << false << u"Pi"_s << 0 << pesquisa << QStringList {u"pnPesquisaPrecos"_s, u"pnItens"_s}
        << dePesquisa << 2;
    QTest::newRow("survey global")
        << false << u"Gl"_s << 0 << pesquisa << QStringList {u"pnPesquisaPrecos"_s, u"pnItens"_s}
        << dePesquisa << 2;
    QTest::newRow("survey per lot")
        << false << u"Gi"_s << 0 << pesquisa
        << QStringList {u"pnPesquisaPrecos"_s, u"pnGrupoItens"_s, u"pnItens"_s} << dePesquisa << 2;
}

void TestPrincipal::opensEachKindAndJudgementForm()
{
    QFETCH(bool, licitacao);
    QFETCH(QString, forma);
    QFETCH(int, tratamento);
    QFETCH(QString, titulo);
    QFETCH(QStringList, paineis);
    QFETCH(QStringList, comandos);
    QFETCH(int, itens);
    MensagemGravador gravador;

    Abrir(Gravar(licitacao ? *LicitacaoTeste(forma, tratamento) : *PesquisaTeste(forma)));

    QCOMPARE(gravador.Textos(), QStringList());
    QCOMPARE(m_janela->windowTitle(), titulo);
    for (const char *painel :
        {"pnLicitacao", "pnPesquisaPrecos", "pnTratamento", "pnCotas", "pnGrupoItens", "pnItens"})
        QCOMPARE(Mostrado(painel), paineis.contains(QLatin1String(painel)));
    for (const char *comando :
        {"mnSalvar", "mnDetalhesLic", "mnDetalhesPesquisa", "mnFornecedor", "mnImprimir"})
        QCOMPARE(Acao(comando)->isEnabled(), comandos.contains(QLatin1String(comando)));
    QCOMPARE(Tabelas().mmItens.RecordCount(), itens);

    const QStringList colunasDeLicitacao {
        QStringLiteral("Tratamento"), QStringLiteral("VlEstimado"), QStringLiteral("VlMaximo")};
    const QStringList colunas = CamposVisiveis(Tabelas().mmItens);
    for (const QString &coluna : colunasDeLicitacao)
        QCOMPARE(colunas.contains(coluna), licitacao);
    QCOMPARE(CamposVisiveis(Tabelas().mmGrupos).contains(QStringLiteral("Tratamento")), licitacao);
    QCOMPARE(Grade("dbgItens").model()->columnCount(), colunas.size());

    // What the supplier may change, and nothing else.
    QStringList editaveis;
    for (TMemoryTable *tabela :
        {&Tabelas().mmDados, &Tabelas().mmGrupos, &Tabelas().mmItens, &Tabelas().mmCotas}) {
        for (int i = 0; i < tabela->FieldCount(); ++i) {
            if (!tabela->Fields(i).ReadOnly()
                && (tabela != &Tabelas().mmGrupos || forma == QLatin1String("Gi")))
                editaveis.append(tabela->Fields(i).Name());
        }
    }
    QStringList esperados {QStringLiteral("mmDadosFornecedorCPFCNPJ"),
        QStringLiteral("mmItensVlCotado"), QStringLiteral("mmItensITEMMARCA"),
        QStringLiteral("mmItenscalcVlTotalCotado"), QStringLiteral("mmItensitemobservacao")};
    QCOMPARE(editaveis, esperados);
}

void TestPrincipal::aSecondOpenReplacesCaptionAndColumns()
{
    MensagemGravador gravador;
    Abrir(Gravar(*PesquisaTeste(), QStringLiteral("Pesquisa")));
    QVERIFY(!CamposVisiveis(Tabelas().mmItens).contains(QStringLiteral("VlMaximo")));

    // Only the base name counts: the quotation file beside the chosen one is read.
    Gravar(*LicitacaoTeste(), QStringLiteral("Licitacao"));
    Abrir(QDir(m_pasta->path()).filePath(QStringLiteral("Licitacao.xml")));

    QCOMPARE(gravador.Textos(), QStringList());
    QCOMPARE(m_janela->windowTitle(), QStringLiteral("Varenta-Cotação 2.0 - Licitação: 7/2024"));
    QVERIFY(Mostrado("pnLicitacao"));
    QVERIFY(!Mostrado("pnPesquisaPrecos"));
    QVERIFY(CamposVisiveis(Tabelas().mmItens).contains(QStringLiteral("VlMaximo")));
    QVERIFY(Acao("mnImprimir")->isEnabled());
    QVERIFY(!Acao("mnDetalhesPesquisa")->isEnabled());
}

void TestPrincipal::aFailedOpenLeavesOnlyOpenAndExit_data()
{
    QTest::addColumn<QByteArray>("conteudo");
    QTest::newRow("no such file") << QByteArray();
    QTest::newRow("not a quotation file") << QByteArray("isto não é um arquivo KVT");
}

void TestPrincipal::aFailedOpenLeavesOnlyOpenAndExit()
{
    QFETCH(QByteArray, conteudo);
    MensagemGravador gravador;
    Abrir(Gravar(*LicitacaoTeste()));
    QVERIFY(Acao("mnSalvar")->isEnabled());

    const QString caminho = QDir(m_pasta->path()).filePath(QStringLiteral("Outra.kvt"));
    if (!conteudo.isEmpty())
        GravarArquivo(caminho, conteudo);
    Abrir(caminho);

    QCOMPARE(gravador.Textos(),
        QStringList {QStringLiteral(
            "Ocorreu um erro ao importar as propostas. Contate a administração pública.")});
    for (const char *comando :
        {"mnSalvar", "mnDetalhesLic", "mnDetalhesPesquisa", "mnFornecedor", "mnImprimir"})
        QVERIFY2(!Acao(comando)->isEnabled(), comando);
    QVERIFY(Acao("mnAbrir")->isEnabled());
    QVERIFY(Acao("mnSair")->isEnabled());
}

void TestPrincipal::globalTenderWithQuotasShowsTheReservedQuotaFirst()
{
    MensagemGravador gravador;
    Abrir(Gravar(*LicitacaoComCotas(QStringLiteral("Gl"))));
    TTabelasCotacao &t = Tabelas();

    QCOMPARE(ValoresDaColuna(t.mmCotas, u"CotaDescricao"_s),
        QStringList({QStringLiteral("Cota Reservada"), QStringLiteral("Cota Principal")}));
    QCOMPARE(ValoresDaColuna(t.mmItens, u"Item"_s), QStringList({u"1"_s, u"2"_s}));
    QCOMPARE(Grade("dbgItens").model()->rowCount(), 2);

    Digitar(Grade("dbgItens"), "VlCotado", QStringLiteral("10"));
    Tecla(Grade("dbgItens"), Qt::Key_Down);
    Tecla(Grade("dbgCotas"), Qt::Key_Down);
    QCOMPARE(t.mmCotas.FieldByName(QStringLiteral("CotaCodigo")).AsInteger(), 3);
    QCOMPARE(ValoresDaColuna(t.mmItens, u"Item"_s), QStringList({u"3"_s, u"4"_s}));
    Digitar(Grade("dbgItens"), "VlCotado", QStringLiteral("4"));
    Tecla(Grade("dbgItens"), Qt::Key_Down);

    QCOMPARE(gravador.Textos(), QStringList());
    QCOMPARE(ValoresDaColuna(t.mmCotas, u"ValorTotal"_s), QStringList({u"25"_s, u"10"_s}));
    QCOMPARE(t.mmDadosValorTotalCotado->AsFloat(), 35.0);
    QCOMPARE(t.mmCotas.FieldByName(QStringLiteral("CotaCodigo")).AsInteger(), 3);
    QCOMPARE(t.mmItens.FieldByName(QStringLiteral("Item")).AsInteger(), 4);
}

void TestPrincipal::perLotTenderFollowsTheChosenLot()
{
    MensagemGravador gravador;
    Abrir(Gravar(*LicitacaoComCotas(QStringLiteral("Gi"))));
    TTabelasCotacao &t = Tabelas();

    // The first lot is of treatment 1: all its items.
    QCOMPARE(ValoresDaColuna(t.mmItens, u"Item"_s), QStringList({u"1"_s, u"2"_s, u"3"_s}));
    Digitar(Grade("dbgItens"), "VlCotado", QStringLiteral("2"));
    Tecla(Grade("dbgItens"), Qt::Key_Down);
    QCOMPARE(t.mmGruposVlTotal->AsFloat(), 5.0);

    // The second is reserved: only its reserved items.
    Tecla(Grade("dbgGrupos"), Qt::Key_Down);
    QCOMPARE(t.mmGrupos.FieldByName(QStringLiteral("CodGrupo")).AsInteger(), 2);
    QCOMPARE(ValoresDaColuna(t.mmItens, u"Item"_s), QStringList({u"1"_s, u"2"_s}));
    QCOMPARE(ValoresDaColuna(t.mmItens, u"CodGrupo"_s), QStringList({u"2"_s, u"2"_s}));
    Digitar(Grade("dbgItens"), "VlCotado", QStringLiteral("1"));
    Tecla(Grade("dbgItens"), Qt::Key_Down);

    QCOMPARE(gravador.Textos(), QStringList());
    QCOMPARE(ValoresDaColuna(t.mmGrupos, u"VlTotal"_s), QStringList({u"5"_s, u"2,5"_s}));
    QCOMPARE(t.mmDadosValorTotalCotado->AsFloat(), 7.5);
}

void TestPrincipal::quotasNarrowTheItemsOnlyWhileTheyAreShown_data()
{
    QTest::addColumn<QString>("forma");
    QTest::addColumn<QStringList>("itens");
    QTest::newRow("per item") << u"Pi"_s << QStringList {u"1"_s, u"2"_s, u"3"_s, u"4"_s};
    QTest::newRow("per lot") << u"Gi"_s << QStringList {u"1"_s, u"2"_s, u"3"_s};
}

void TestPrincipal::quotasNarrowTheItemsOnlyWhileTheyAreShown()
{
    QFETCH(QString, forma);
    QFETCH(QStringList, itens);
    MensagemGravador gravador;
    Abrir(Gravar(*LicitacaoComCotas(forma)));
    TTabelasCotacao &t = Tabelas();
    QCOMPARE(t.mmCotas.RecordCount(), 2);
    QVERIFY(!Mostrado("pnCotas"));
    QCOMPARE(ValoresDaColuna(t.mmItens, u"Item"_s), itens);

    // A posted price totals and saves, and the items stay those of the form.
    Digitar(Grade("dbgItens"), "VlCotado", QStringLiteral("2"));
    Tecla(Grade("dbgItens"), Qt::Key_Down);
    QCOMPARE(ValoresDaColuna(t.mmItens, u"Item"_s), itens);
    QCOMPARE(t.mmDadosValorTotalCotado->AsFloat(), 5.0);
    if (forma == QLatin1String("Gi"))
        QCOMPARE(t.mmGruposVlTotal->AsFloat(), 5.0);
    QCOMPARE(gravador.Textos(), QStringList());
}

void TestPrincipal::maximumPriceCheck_data()
{
    QTest::addColumn<QString>("modalidade");
    QTest::addColumn<double>("maximo");
    QTest::addColumn<double>("cotadoAntes");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("resposta");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<bool>("gravado");

    const QString pergunta
        = QStringLiteral("O valor da proposta (R$ 120,00000) é maior que o preço "
                         "máximo (R$ 100,00).\rContinuar mesmo assim?");
    const QString informacao
        = QStringLiteral("O valor cotado (R$ 120,00000) é maior que o preço máximo (R$ 100,00).");
    QTest::newRow("auction question, no")
        << u"Pr"_s << 100.0 << 0.0 << u"VlCotado"_s << u"120"_s << int(mrNo) << pergunta << false;
    QTest::newRow("auction question, yes")
        << u"Pr"_s << 100.0 << 0.0 << u"VlCotado"_s << u"120"_s << int(mrYes) << pergunta << true;
    QTest::newRow("brand only asks again") << u"Pr"_s << 100.0 << 120.0 << u"ITEMMARCA"_s
                                           << u"Acme"_s << int(mrNo) << pergunta << false;
    QTest::newRow("other modality informs")
        << u"Cc"_s << 100.0 << 0.0 << u"VlCotado"_s << u"120"_s << int(mrOk) << informacao << true;
    QTest::newRow("empty modality informs")
        << u""_s << 100.0 << 0.0 << u"VlCotado"_s << u"120"_s << int(mrOk) << informacao << true;
    QTest::newRow("auction of goods is silent")
        << u"Le"_s << 100.0 << 0.0 << u"VlCotado"_s << u"120"_s << int(mrOk) << QString() << true;
    QTest::newRow("contest is silent")
        << u"Cs"_s << 100.0 << 0.0 << u"VlCotado"_s << u"120"_s << int(mrOk) << QString() << true;
    QTest::newRow("equal to the maximum")
        << u"Pr"_s << 100.0 << 0.0 << u"VlCotado"_s << u"100"_s << int(mrOk) << QString() << true;
    QTest::newRow("no maximum") << u"Pr"_s << 0.0 << 0.0 << u"VlCotado"_s << u"120"_s << int(mrOk)
                                << QString() << true;
}

void TestPrincipal::maximumPriceCheck()
{
    QFETCH(QString, modalidade);
    QFETCH(double, maximo);
    QFETCH(double, cotadoAntes);
    QFETCH(QString, campo);
    QFETCH(QString, texto);
    QFETCH(int, resposta);
    QFETCH(QString, mensagem);
    QFETCH(bool, gravado);
    MensagemGravador gravador({resposta});
    const QString recebido = Gravar(*LicitacaoDeUmItem(modalidade, maximo, cotadoAntes));
    const QByteArray original = LerArquivo(recebido);
    Abrir(recebido);
    TTabelasCotacao &t = Tabelas();

    Digitar(Grade("dbgItens"), campo.toLatin1().constData(), texto);
    Tecla(Grade("dbgItens"), Qt::Key_Down);

    QCOMPARE(gravador.Textos(), mensagem.isEmpty() ? QStringList() : QStringList {mensagem});
    if (!mensagem.isEmpty()) {
        const TMensagem &dita = gravador.Mensagens().constFirst();
        const bool pergunta = modalidade == QLatin1String("Pr");
        QCOMPARE(dita.Tipo, pergunta ? tmPergunta : tmInformacao);
        QCOMPARE(
            dita.Botoes, pergunta ? TBotoesMensagem(bmSim | bmNao) : TBotoesMensagem(bmContinuar));
    }
    const double cotado = campo == QLatin1String("VlCotado") ? texto.toDouble() : cotadoAntes;
    if (gravado) {
        // Posted, totalled and saved under the canonical name, which replaces the received file.
        QCOMPARE(t.mmItens.State(), dsBrowse);
        QCOMPARE(t.mmItens.FieldByName(QStringLiteral("Item")).AsInteger(), 2);
        QCOMPARE(t.mmDadosValorTotalCotado->AsFloat(), 2.5 * cotado);
        QCOMPARE(Arquivos(), QStringList {QStringLiteral("COT-7-2024.kvt")});
    } else {
        QCOMPARE(t.mmItens.State(), dsEdit);
        QCOMPARE(t.mmItens.FieldByName(QStringLiteral("Item")).AsInteger(), 1);
        QCOMPARE(t.mmItensVlCotado->AsFloat(), cotado);
        QCOMPARE(Arquivos(), QStringList {Cotacao});
        QCOMPARE(LerArquivo(recebido), original);
    }
}

void TestPrincipal::itemAndProposalTotalsAreRoundedTheirOwnWay()
{
    MensagemGravador gravador;
    Abrir(Gravar(*LicitacaoDeUmItem(QStringLiteral("Pr"), 0)));
    TTabelasCotacao &t = Tabelas();

    Digitar(Grade("dbgItens"), "VlCotado", QStringLiteral("1,23457"));
    Tecla(Grade("dbgItens"), Qt::Key_Down);
    t.mmItens.First();

    QCOMPARE(t.mmItenscalcVlTotalCotado->AsFloat(), 3.086);
    QCOMPARE(t.mmDadosValorTotalCotado->AsFloat(), 3.09);
    QCOMPARE(m_janela->findChild<TDBValor *>(QStringLiteral("edValorTotal"))->text(),
        QStringLiteral("3,09"));
    // A zero price shows as a blank.
    t.mmItens.Next();
    QCOMPARE(t.mmItensVlCotado->DisplayText(), QStringLiteral(" "));
}

void TestPrincipal::movingToAnotherLotOrQuotaPostsTheItemFirst_data()
{
    QTest::addColumn<QString>("forma");
    QTest::addColumn<QString>("grade");
    QTest::newRow("lot") << u"Gi"_s << u"dbgGrupos"_s;
    QTest::newRow("quota") << u"Gl"_s << u"dbgCotas"_s;
}

void TestPrincipal::movingToAnotherLotOrQuotaPostsTheItemFirst()
{
    QFETCH(QString, forma);
    QFETCH(QString, grade);
    MensagemGravador gravador({int(mrNo)});
    Abrir(Gravar(*LicitacaoComCotas(forma)));
    TTabelasCotacao &t = Tabelas();
    TMemoryTable &acima = forma == QLatin1String("Gi") ? t.mmGrupos : t.mmCotas;

    // A refused price keeps the lot or quota where it is.
    Digitar(Grade("dbgItens"), "VlCotado", QStringLiteral("120"));
    Tecla(Grade(grade.toLatin1().constData()), Qt::Key_Down);
    QCOMPARE(gravador.Mensagens().size(), 1);
    QCOMPARE(acima.RecNo(), 1);
    QCOMPARE(t.mmItens.State(), dsEdit);

    // An accepted one is posted and totalled before the move.
    Digitar(Grade("dbgItens"), "VlCotado", QStringLiteral("\b\b\b2"));
    Tecla(Grade(grade.toLatin1().constData()), Qt::Key_Down);
    QCOMPARE(acima.RecNo(), 2);
    QCOMPARE(t.mmItens.State(), dsBrowse);
    QCOMPARE(t.mmDadosValorTotalCotado->AsFloat(), 5.0);
    QCOMPARE(Arquivos(), QStringList {QStringLiteral("COT-7-2024.kvt")});
}

void TestPrincipal::supplierNumberIsCheckedAndMaskedOnLeaving_data()
{
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("gravado");

    // Every case of the check itself is in the rules' test; here the edit's road.
    const QString cnpj = QStringLiteral("O CNPJ do fornecedor é inválido.");
    const QString tamanho = QStringLiteral("O CPF/CNPJ do fornecedor está inválido.");
    QTest::newRow("empty") << u""_s << QString() << u""_s;
    QTest::newRow("blank") << u"   "_s << QString() << u"   "_s;
    QTest::newRow("CPF digits") << u"11144477735"_s << QString() << u"111.444.777-35"_s;
    QTest::newRow("CNPJ digits") << u"11222333000181"_s << QString() << u"11.222.333/0001-81"_s;
    QTest::newRow("CNPJ check digit") << u"11.222.333/0001-82"_s << cnpj << u"11.222.333/0001-82"_s;
    QTest::newRow("twelve digits") << u"111444777351"_s << tamanho << u"111444777351"_s;
}

void TestPrincipal::supplierNumberIsCheckedAndMaskedOnLeaving()
{
    QFETCH(QString, digitado);
    QFETCH(QString, mensagem);
    QFETCH(QString, gravado);
    MensagemGravador gravador;
    Abrir(Gravar(*LicitacaoTeste()));
    auto *edFornecedor = m_janela->findChild<TVrtDBEdit *>(QStringLiteral("edFornecedor"));

    edFornecedor->setFocus();
    QTest::keyClicks(edFornecedor, digitado);
    QTest::keyClick(edFornecedor, Qt::Key_Tab);

    QCOMPARE(gravador.Textos(), mensagem.isEmpty() ? QStringList() : QStringList {mensagem});
    QCOMPARE(
        Tabelas().mmDados.FieldByName(QStringLiteral("FornecedorCPFCNPJ")).AsString(), gravado);
    QCOMPARE(QApplication::focusWidget() == edFornecedor, !mensagem.isEmpty());
    // Changing the number does not save by itself.
    QCOMPARE(Arquivos(), QStringList {Cotacao});
}

void TestPrincipal::savingWithoutANumberSavesNothing()
{
    MensagemGravador gravador;
    Abrir(Gravar(*LicitacaoTeste()));
    Grade("dbgItens").setFocus();

    Acao("mnSalvar")->trigger();

    QCOMPARE(gravador.Textos(), QStringList {QStringLiteral("Informe o CPF/CNPJ do fornecedor.")});
    QCOMPARE(gravador.Mensagens().constFirst().Botoes, TBotoesMensagem(bmContinuar));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("edFornecedor"));
    QCOMPARE(Arquivos(), QStringList {Cotacao});
}

void TestPrincipal::theFirstSaveRenamesTheReceivedFile()
{
    MensagemGravador gravador;
    Abrir(Gravar(*LicitacaoTeste()));
    auto *edFornecedor = m_janela->findChild<TVrtDBEdit *>(QStringLiteral("edFornecedor"));
    edFornecedor->setFocus();
    QTest::keyClicks(edFornecedor, QStringLiteral("11222333000181"));
    Grade("dbgItens").setFocus();

    Acao("mnSalvar")->trigger();
    Acao("mnSalvar")->trigger();

    QCOMPARE(gravador.Textos(), QStringList(2, QStringLiteral("Arquivo salvo com sucesso.")));
    QCOMPARE(Arquivos(), QStringList {QStringLiteral("COT-7-2024-11222333000181.kvt")});
    QCOMPARE(QDir(QDir::tempPath()).entryList({QStringLiteral("COT-7-2024*")}, QDir::Files),
        QStringList());
}

void TestPrincipal::theFirstSaveRemovesTheReceivedFileWhateverItsCase_data()
{
    QTest::addColumn<QString>("recebido");
    for (const char *nome : {"Cotacao.kvt", "COTACAO.KVT", "Cotacao.Kvt", ".kvt"})
        QTest::newRow(nome) << QString::fromUtf8(nome);
}

void TestPrincipal::theFirstSaveRemovesTheReceivedFileWhateverItsCase()
{
    QFETCH(QString, recebido);
    MensagemGravador gravador;
    const QString caminho = QDir(m_pasta->path()).filePath(recebido);
    QVERIFY(QFile::rename(Gravar(*LicitacaoTeste(), QStringLiteral("Recebido")), caminho));
    Abrir(caminho);
    QVERIFY(Acao("mnSalvar")->isEnabled());
    auto *edFornecedor = m_janela->findChild<TVrtDBEdit *>(QStringLiteral("edFornecedor"));
    edFornecedor->setFocus();
    QTest::keyClicks(edFornecedor, QStringLiteral("11222333000181"));
    Grade("dbgItens").setFocus();

    Acao("mnSalvar")->trigger();

    QCOMPARE(gravador.Textos(), QStringList {QStringLiteral("Arquivo salvo com sucesso.")});
    QCOMPARE(Arquivos(), QStringList {QStringLiteral("COT-7-2024-11222333000181.kvt")});
}

void TestPrincipal::supplierDetailsSurviveAnOpen()
{
    MensagemGravador gravador;
    TMemoryTable &mmForneced = Tabelas().mmForneced;
    Abrir(Gravar(*LicitacaoTeste()));
    mmForneced.Append();
    mmForneced.FieldByName(QStringLiteral("FORRAZAOSOCIAL"))
        .SetAsString(QStringLiteral("Papelaria Boa Vista Ltda"));
    mmForneced.Post();

    Abrir(Gravar(*PesquisaTeste(), QStringLiteral("Pesquisa")));

    QCOMPARE(mmForneced.RecordCount(), 1);
    QCOMPARE(mmForneced.FieldByName(QStringLiteral("FORRAZAOSOCIAL")).AsString(),
        QStringLiteral("Papelaria Boa Vista Ltda"));
}

void TestPrincipal::commandsShowTheirWindows_data()
{
    QTest::addColumn<bool>("licitacao");
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QString>("janela");
    QTest::addColumn<QString>("titulo");
    QTest::newRow("supplier") << true << u"mnFornecedor"_s << u"fmFornecedor"_s << u"Fornecedor"_s;
    QTest::newRow("tender") << true << u"mnDetalhesLic"_s << u"fmDetalhes"_s
                            << u"Detalhes da Licitação"_s;
    // The price survey's window opens with an empty title bar.
    QTest::newRow("price survey") << false << u"mnDetalhesPesquisa"_s << u"fmDetalhesPesquisa"_s
                                  << QString();
}

void TestPrincipal::commandsShowTheirWindows()
{
    QFETCH(bool, licitacao);
    QFETCH(QString, comando);
    QFETCH(QString, janela);
    QFETCH(QString, titulo);
    MensagemGravador gravador;
    Abrir(Gravar(licitacao ? *LicitacaoTeste() : *PesquisaTeste()));

    QString visto;
    AoAparecer<QDialog>([&](QDialog &detalhes) {
        visto = detalhes.objectName() + QLatin1Char('|') + detalhes.windowTitle();
        detalhes.close();
    });
    Acao(comando.toLatin1().constData())->trigger();

    QCOMPARE(visto, janela + QLatin1Char('|') + titulo);
    QCOMPARE(gravador.Textos(), QStringList());
    QVERIFY(m_janela->findChildren<QDialog *>().isEmpty());
}

void TestPrincipal::noGridAddsOrDeletesRows_data()
{
    QTest::addColumn<QString>("forma");
    QTest::addColumn<QString>("grade");
    QTest::newRow("items") << u"Pi"_s << u"dbgItens"_s;
    QTest::newRow("lots") << u"Gi"_s << u"dbgGrupos"_s;
    QTest::newRow("quotas") << u"Gl"_s << u"dbgCotas"_s;
}

void TestPrincipal::noGridAddsOrDeletesRows()
{
    QFETCH(QString, forma);
    QFETCH(QString, grade);
    MensagemGravador gravador;
    Abrir(Gravar(*LicitacaoComCotas(forma)));
    TvrtDBGrid &alvo = Grade(grade.toLatin1().constData());
    TMemoryTable &tabela = *alvo.DataSet();
    const int linhas = tabela.RecordCount();

    Tecla(alvo, Qt::Key_Insert);
    Tecla(alvo, Qt::Key_Delete, Qt::ControlModifier);
    Tecla(alvo, Qt::Key_End, Qt::ControlModifier);
    Tecla(alvo, Qt::Key_Down);

    QCOMPARE(gravador.Textos(), QStringList());
    QCOMPARE(tabela.RecordCount(), linhas);
    QCOMPARE(tabela.State(), dsBrowse);
}

void TestPrincipal::windowFitsTheScreen()
{
    // The suite runs on a desktop screen and again on laptop screens (see CMakeLists.txt).
    const QRect tela = m_janela->screen()->availableGeometry();
    const bool cabe = tela.width() >= 1024 && tela.height() >= 768;
    Abrir(Gravar(*LicitacaoComCotas(QStringLiteral("Gl"))));
    QCOMPARE(m_janela->isMaximized(), !cabe);
    if (cabe)
        QCOMPARE(m_janela->frameGeometry().size(), QSize(1024, 768));
    QVERIFY2(tela.contains(m_janela->frameGeometry()),
        qPrintable(QStringLiteral("%1x%2").arg(tela.width()).arg(tela.height())));
    QVERIFY(m_janela->minimumSize().height() <= tela.height());
    // Nothing falls outside: the item grid's last pixel row, where its scroll bar runs.
    TvrtDBGrid &itens = Grade("dbgItens");
    const QRect grade(itens.mapToGlobal(QPoint(0, 0)), itens.size());
    QVERIFY(tela.contains(grade));
    QVERIFY(itens.height() > 100);
}

void TestPrincipal::coatOfArmsShowsTheHeaderColour()
{
    auto *brasao = m_janela->findChild<QWidget *>(QStringLiteral("dbImgBrasao"));
    auto *cabecalho = m_janela->findChild<QWidget *>(QStringLiteral("pnCabecalho"));
    const QImage quadro = cabecalho->grab().toImage();
    const QPoint meio = brasao->mapTo(cabecalho, brasao->rect().center());
    QCOMPARE(quadro.pixelColor(meio), cabecalho->palette().color(QPalette::Window));
}

void TestPrincipal::aPointTypedInAPriceIsTheDecimalSeparator()
{
    MensagemGravador gravador;
    Abrir(Gravar(*LicitacaoDeUmItem(QStringLiteral("Pr"), 0)));

    Digitar(Grade("dbgItens"), "VlCotado", QStringLiteral("12.5"));
    Tecla(Grade("dbgItens"), Qt::Key_Down);

    QVERIFY(gravador.Textos().isEmpty());
    QCOMPARE(TCotacaoLida(m_pasta->filePath(u"COT-7-2024.kvt"_s)).Preco(0), 12.5);
}

void TestPrincipal::afterNoTheRefusedPriceIsSelected()
{
    MensagemGravador gravador({int(mrNo)});
    Abrir(Gravar(*LicitacaoDeUmItem(QStringLiteral("Pr"), 100)));
    TvrtDBGrid &itens = Grade("dbgItens");

    Digitar(itens, "VlCotado", QStringLiteral("120"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor);
    QCOMPARE(editor->selectedText(), QStringLiteral("120"));
    QTest::keyClicks(editor, QStringLiteral("32"));
    QTest::keyClick(editor, Qt::Key_Down);

    QCOMPARE(gravador.Mensagens().size(), 1);
    QCOMPARE(TCotacaoLida(m_pasta->filePath(u"COT-7-2024.kvt"_s)).Preco(0), 32.0);
}

void TestPrincipal::closingSavesWhatIsPending_data()
{
    QTest::addColumn<QString>("pendente");
    QTest::addColumn<QString>("arquivo");
    QTest::newRow("a price being typed") << u"preço"_s << u"COT-7-2024.kvt"_s;
    QTest::newRow("an item row in edit") << u"linha"_s << u"COT-7-2024.kvt"_s;
    QTest::newRow("a number being typed") << u"fornecedor"_s << u"COT-7-2024-11222333000181.kvt"_s;
}

void TestPrincipal::closingSavesWhatIsPending()
{
    QFETCH(QString, pendente);
    QFETCH(QString, arquivo);
    MensagemGravador gravador;
    Abrir(Gravar(*LicitacaoDeUmItem(QStringLiteral("Pr"), 0)));
    if (pendente == QLatin1String("fornecedor")) {
        Fornecedor().setFocus();
        QTest::keyClicks(&Fornecedor(), QStringLiteral("11222333000181"));
    } else {
        Digitar(Grade("dbgItens"), "VlCotado", QStringLiteral("7,5"));
        if (pendente == QLatin1String("linha"))
            Tecla(Grade("dbgItens"), Qt::Key_Tab);
    }

    QVERIFY(m_janela->close());

    QVERIFY(gravador.Textos().isEmpty());
    QCOMPARE(Arquivos(), QStringList {arquivo});
    const TCotacaoLida lida(m_pasta->filePath(arquivo));
    QVERIFY(lida.lida);
    if (pendente == QLatin1String("fornecedor"))
        QCOMPARE(lida.Fornecedor(), QStringLiteral("11.222.333/0001-81"));
    else
        QCOMPARE(lida.Preco(0), 7.5);
}

void TestPrincipal::closingStaysOpenWhenACheckRefuses_data()
{
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("mensagem");
    QTest::newRow("price above the maximum, no") << u"120"_s
                                                 << u"O valor da proposta (R$ 120,00000) é maior "
                                                    "que o preço máximo (R$ 100,00).\rContinuar "
                                                    "mesmo assim?"_s;
    QTest::newRow("invalid number") << u"11222333000180"_s << u"O CNPJ do fornecedor é inválido."_s;
}

void TestPrincipal::closingStaysOpenWhenACheckRefuses()
{
    QFETCH(QString, digitado);
    MensagemGravador gravador({int(mrNo)});
    const QString recebido = Gravar(*LicitacaoDeUmItem(QStringLiteral("Pr"), 100));
    Abrir(recebido);
    const bool numero = digitado.size() > 3;
    if (numero) {
        Fornecedor().setFocus();
        QTest::keyClicks(&Fornecedor(), digitado);
    } else {
        Digitar(Grade("dbgItens"), "VlCotado", digitado);
    }

    QVERIFY(!m_janela->close());

    QVERIFY(m_janela->isVisible());
    QTEST(gravador.Textos().value(0), "mensagem");
    QCOMPARE(Arquivos(), QStringList {Cotacao});
    if (numero)
        QCOMPARE(QApplication::focusWidget(), &Fornecedor());
    else
        QCOMPARE(Tabelas().mmItens.State(), dsEdit);
}

void TestPrincipal::savingTakesTheNumberBeingTyped_data()
{
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QStringList>("mensagens");
    QTest::addColumn<QStringList>("arquivos");
    QTest::newRow("valid") << u"11222333000181"_s << QStringList {u"Arquivo salvo com sucesso."_s}
                           << QStringList {u"COT-7-2024-11222333000181.kvt"_s};
    QTest::newRow("invalid") << u"11222333000180"_s
                             << QStringList {u"O CNPJ do fornecedor é inválido."_s}
                             << QStringList {Cotacao};
}

void TestPrincipal::savingTakesTheNumberBeingTyped()
{
    QFETCH(QString, digitado);
    MensagemGravador gravador;
    Abrir(Gravar(*LicitacaoTeste()));
    Fornecedor().setFocus();
    QTest::keyClicks(&Fornecedor(), digitado);

    Acao("mnSalvar")->trigger();

    QTEST(gravador.Textos(), "mensagens");
    QTEST(Arquivos(), "arquivos");
    QCOMPARE(QApplication::focusWidget(), &Fornecedor());
}

void TestPrincipal::aFailedSilentSaveSaysSoOnce()
{
    MensagemGravador gravador;
    Abrir(Gravar(*LicitacaoDeUmItem(QStringLiteral("Pr"), 0)));
    TTabelasCotacao &t = Tabelas();
    const TPastaSomenteLeitura somenteLeitura;

    Digitar(Grade("dbgItens"), "VlCotado", QStringLiteral("7,5"));
    Tecla(Grade("dbgItens"), Qt::Key_Down);

    QCOMPARE(gravador.Mensagens().size(), 1);
    QCOMPARE(t.mmItens.State(), dsBrowse);
    QCOMPARE(t.mmItens.FieldByName(QStringLiteral("Item")).AsInteger(), 2);
    QCOMPARE(t.mmDadosValorTotalCotado->AsFloat(), 18.75);
    QCOMPARE(Arquivos(), QStringList {Cotacao});
}

void TestPrincipal::savingIntoAnotherFolderLeavesTheReceivedFile()
{
    MensagemGravador gravador;
    const QString recebido = Gravar(*LicitacaoDeUmItem(QStringLiteral("Pr"), 0));
    const QByteArray original = LerArquivo(recebido);
    Abrir(recebido);
    QTemporaryDir outra;
    // The other folder holds a file of the received one's name, which is not the quotation's.
    GravarArquivo(QDir(outra.path()).filePath(Cotacao), "outro");
    m_janela->EscolherPasta = [&outra] { return outra.path(); };
    Fornecedor().setFocus();
    QTest::keyClicks(&Fornecedor(), QStringLiteral("11222333000181"));

    Acao("mnSalvarEmOutraPasta")->trigger();
    Digitar(Grade("dbgItens"), "VlCotado", QStringLiteral("3"));
    Tecla(Grade("dbgItens"), Qt::Key_Down);

    QCOMPARE(gravador.Textos(), QStringList {QStringLiteral("Arquivo salvo com sucesso.")});
    QCOMPARE(Arquivos(), QStringList {Cotacao});
    QCOMPARE(LerArquivo(recebido), original);
    const QString salvo = u"COT-7-2024-11222333000181.kvt"_s;
    QCOMPARE(ArquivosEm(outra.path()), QStringList({salvo, Cotacao}));
    QCOMPARE(TCotacaoLida(QDir(outra.path()).filePath(salvo)).Preco(0), 3.0);
}

QTEST_MAIN(TestPrincipal)
#include "test_uPrincipal.moc"
