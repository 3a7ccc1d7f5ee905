// The main window answering a tender of hundreds of items: the item's details, the find bar,
// the next item without a price, the progress in the status bar and the check before sending.

#include "app/uBarraLocalizar.h"
#include "app/uDetalhesItem.h"
#include "app/uPrincipal.h"
#include "app/ufmConferirProposta.h"
#include "app/ufmFornecedor.h"
#include "components/MemTable.h"
#include "components/vrtDBEdit.h"
#include "components/vrtDBGrid.h"
#include "exchange/uVTExpImpCotacao.h"
#include "model/uTabelasCotacao.h"
#include "model/uVTExpImpCotacaoDados.h"
#include "support/CotacaoTeste.h"
#include "support/JanelasTeste.h"
#include "support/MensagemGravador.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <memory>

using namespace Qt::StringLiterals;

class TestMuitosItens : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void detailsShowTheWholeCurrentItem();
    void aCellTooNarrowShowsItsTextAsTooltip();
    void findGoesThroughEveryItem_data();
    void findGoesThroughEveryItem();
    void findPostsTheItemBeingTypedFirst();
    void nextItemWithoutAPrice_data();
    void nextItemWithoutAPrice();
    void statusBarCountsAfterEveryPost();
    void checkBeforeSendingGoesToEachLine();
    void theSaveSaysWhichFileToSend();

private:
    void Abrir(const TDadosCotacao &cotacao)
    {
        const QString caminho = GravarArquivoCotacao(cotacao, m_pasta->path(), u"Cotacao"_s);
        m_janela->EscolherArquivo = [caminho] { return caminho; };
        Acao("mnAbrir")->trigger();
    }
    QAction *Acao(const char *nome) const
    {
        return m_janela->findChild<QAction *>(QLatin1String(nome));
    }
    template<typename Controle = QWidget>
    Controle *Achar(const char *nome) const
    {
        return m_janela->findChild<Controle *>(QLatin1String(nome));
    }
    TvrtDBGrid &Itens() const { return *Achar<TvrtDBGrid>("dbgItens"); }
    TTabelasCotacao &Tabelas() const { return m_janela->Tabelas(); }
    // The current item: its number and, per lot, its lot's code.
    QString ItemAtual() const
    {
        TTabelasCotacao &t = Tabelas();
        const int item = t.mmItens.FieldByName(u"Item"_s).AsInteger();
        if (t.mmGrupos.IsEmpty())
            return QString::number(item);
        return QStringLiteral("%1/%2")
            .arg(t.mmGrupos.FieldByName(u"CodGrupo"_s).AsInteger())
            .arg(item);
    }
    void Teclar(Qt::Key tecla, Qt::KeyboardModifiers mod = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), tecla, mod);
    }
    // Types a price into the current item's cell, as the supplier does, and moves down, which
    // posts it.
    void Cotar(const QString &preco)
    {
        TvrtDBGrid &grade = Itens();
        grade.setFocus();
        for (int i = 0; i < grade.Columns().Count(); ++i) {
            if (grade.Columns().Items(i).Field().FieldName() == QLatin1String("VlCotado"))
                grade.SetSelectedIndex(i);
        }
        QTest::keyClicks(QApplication::focusWidget(), preco);
        Teclar(Qt::Key_Down);
    }
    QString Status(const char *nome) const
    {
        const QLabel *parte = Achar<QLabel>(nome);
        return parte->isVisibleTo(m_janela.get()) ? parte->text() : QString();
    }

    std::unique_ptr<MensagemGravador> m_gravador;
    std::unique_ptr<QTemporaryDir> m_pasta;
    std::unique_ptr<TfmCotacao> m_janela;
};

void TestMuitosItens::init()
{
    m_gravador = std::make_unique<MensagemGravador>();
    m_pasta = std::make_unique<QTemporaryDir>();
    m_janela = std::make_unique<TfmCotacao>();
    m_janela->show();
    m_janela->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_janela.get()));
}

void TestMuitosItens::cleanup()
{
    m_janela.reset();
    m_pasta.reset();
    m_gravador.reset();
}

void TestMuitosItens::detailsShowTheWholeCurrentItem()
{
    auto cotacao = LicitacaoGrande(u"Pi"_s);
    TItem &item = cotacao->Itens()->Item(36);
    item.DescricaoMatServ
        = u"Café torrado e moído, "_s + QString(60, u'x') + u" fim da descrição"_s;
    item.ObjetoResumidoItem = u"Pacote de 500 g"_s;
    item.QuantidadeMinima = 10;
    Abrir(*cotacao);
    auto *detalhes = Achar<TPainelDetalhesItem>("gbDetalhesItem");
    QCOMPARE(detalhes->title(), u"Detalhes do item"_s);

    Tabelas().mmItens.SetRecNo(37);

    const QString texto = detalhes->Texto();
    for (const QString &trecho : {u"Material/Serviço: Café torrado e moído"_s,
             u"fim da descrição"_s, u"Resumo do item: Pacote de 500 g"_s, u"Quantidade: 2,5"_s,
             u"Qtd. mínima: 10"_s, u"Valor máximo (R$): 12,00"_s, u"Tratamento: Normal"_s})
        QVERIFY2(texto.contains(trecho), qPrintable(trecho + u" in "_s + texto));
    QVERIFY(!texto.contains(u"Resumo do material"_s));
    // It follows the current row.
    Tabelas().mmItens.Next();
    QVERIFY(detalhes->Texto().startsWith(u"Material/Serviço: Material 38"_s));
}

void TestMuitosItens::aCellTooNarrowShowsItsTextAsTooltip()
{
    auto cotacao = LicitacaoGrande(u"Pi"_s, 3);
    const QString longa
        = u"Caneta esferográfica azul, ponta média, corpo transparente, caixa com 50"_s;
    cotacao->Itens()->Item(0).DescricaoMatServ = longa;
    Abrir(*cotacao);
    TvrtDBGrid &grade = Itens();
    int coluna = 0;
    while (grade.Columns().Items(coluna).Field().FieldName() != QLatin1String("DescMaterial"))
        ++coluna;
    const auto ajuda = [&](int linha) {
        const QRect celula = grade.visualRect(grade.model()->index(linha, coluna));
        QHelpEvent evento(
            QEvent::ToolTip, celula.center(), grade.viewport()->mapToGlobal(celula.center()));
        QCoreApplication::sendEvent(grade.viewport(), &evento);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };

    QCOMPARE(ajuda(1), QString());
    QCOMPARE(ajuda(0), longa);
}

void TestMuitosItens::findGoesThroughEveryItem_data()
{
    QTest::addColumn<QString>("forma");
    QTest::addColumn<int>("tratamento");
    QTest::addColumn<QStringList>("achados");
    // "cafe" finds item 37 of every hundred; under lots each lot numbers its items from 1.
    QTest::newRow("per item") << u"Pi"_s << 1 << QStringList {u"37"_s, u"137"_s, u"237"_s};
    QTest::newRow("per lot") << u"Gi"_s << 1 << QStringList {u"1/37"_s, u"2/37"_s, u"3/37"_s};
    QTest::newRow("quotas") << u"Gl"_s << 4 << QStringList {u"37"_s, u"137"_s, u"237"_s};
}

void TestMuitosItens::findGoesThroughEveryItem()
{
    QFETCH(QString, forma);
    QFETCH(int, tratamento);
    QFETCH(QStringList, achados);
    Abrir(*LicitacaoGrande(forma, 500, tratamento));
    Itens().setFocus();

    Teclar(Qt::Key_F, Qt::ControlModifier);
    auto *campo = Achar<QLineEdit>("edLocalizar");
    QVERIFY(campo->isVisible());
    QCOMPARE(QApplication::focusWidget(), campo);
    QTest::keyClicks(campo, u"cafe"_s);
    Teclar(Qt::Key_Return);
    QCOMPARE(ItemAtual(), achados.at(0));
    Teclar(Qt::Key_F3);
    QCOMPARE(ItemAtual(), achados.at(1));
    Teclar(Qt::Key_Return);
    QCOMPARE(ItemAtual(), achados.at(2));
    Teclar(Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(ItemAtual(), achados.at(1));
    QCOMPARE(QApplication::focusWidget(), campo);
    // With quotas, item 137 is in the reserved quota: its row there is shown.
    if (tratamento == 4)
        QCOMPARE(Tabelas().mmCotas.FieldByName(u"CotaCodigo"_s).AsInteger(), 4);

    // An item number finds that item exactly.
    campo->selectAll();
    const bool porLote = forma == QLatin1String("Gi");
    QTest::keyClicks(campo, porLote ? u"50"_s : u"250"_s);
    Teclar(Qt::Key_Return);
    QCOMPARE(ItemAtual(), porLote ? u"2/50"_s : u"250"_s);
    QTest::keyClicks(campo, u"xyz"_s);
    Teclar(Qt::Key_Return);
    QCOMPARE(Achar<QLabel>("lbResultadoLocalizar")->text(), u"Nenhum item encontrado."_s);

    Teclar(Qt::Key_Escape);
    QVERIFY(!campo->isVisible());
    QCOMPARE(QApplication::focusWidget(), &Itens());
}

void TestMuitosItens::findPostsTheItemBeingTypedFirst()
{
    m_gravador->Responder({int(mrNo)});
    Abrir(*LicitacaoGrande(u"Gi"_s, 300));
    Itens().setFocus();
    for (int i = 0; i < Itens().Columns().Count(); ++i) {
        if (Itens().Columns().Items(i).Field().FieldName() == QLatin1String("VlCotado"))
            Itens().SetSelectedIndex(i);
    }
    QTest::keyClicks(QApplication::focusWidget(), u"120"_s);

    Teclar(Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), u"acucar"_s);
    Teclar(Qt::Key_Return);

    // The question about the maximum price was asked, and "Não" kept the supplier there.
    QCOMPARE(m_gravador->Mensagens().size(), 1);
    QCOMPARE(ItemAtual(), u"1/1"_s);
    QCOMPARE(Tabelas().mmItens.State(), dsEdit);
}

void TestMuitosItens::nextItemWithoutAPrice_data()
{
    QTest::addColumn<QString>("forma");
    QTest::addColumn<int>("tratamento");
    QTest::addColumn<QStringList>("visitados");
    QTest::newRow("per item") << u"Pi"_s << 1 << QStringList {u"2"_s, u"3"_s};
    // Past the last item of a lot, the next lot.
    QTest::newRow("per lot") << u"Gi"_s << 1 << QStringList {u"1/2"_s, u"2/1"_s};
    // From the reserved quota's items to the principal quota's.
    QTest::newRow("quotas") << u"Gl"_s << 4 << QStringList {u"2"_s, u"3"_s};
}

void TestMuitosItens::nextItemWithoutAPrice()
{
    QFETCH(QString, forma);
    QFETCH(int, tratamento);
    QFETCH(QStringList, visitados);
    Abrir(*LicitacaoGrande(forma, forma == QLatin1String("Gi") ? 102 : 3, tratamento));
    QCOMPARE(Acao("mnProximoSemPreco")->shortcut(), QKeySequence(Qt::Key_F8));

    Cotar(u"5"_s);
    // Lots of 100 items: answer the first lot but its second item.
    if (forma == QLatin1String("Gi")) {
        for (int linha = 3; linha <= 100; ++linha) {
            Tabelas().mmItens.SetRecNo(linha);
            Cotar(u"5"_s);
        }
    }
    for (const QString &visitado : visitados) {
        Tabelas().mmItens.First();
        Itens().setFocus();
        Teclar(Qt::Key_F8);
        QCOMPARE(ItemAtual(), visitado);
        QCOMPARE(Itens().SelectedField()->FieldName(), u"VlCotado"_s);
        Cotar(u"5"_s);
    }
}

void TestMuitosItens::statusBarCountsAfterEveryPost()
{
    m_gravador->Responder({int(mrYes), int(mrYes)});
    Abrir(*LicitacaoGrande(u"Gi"_s, 500));
    QCOMPARE(Status("lbItensCotados"), u"Itens cotados: 0 de 500"_s);
    QCOMPARE(Status("lbAcimaDoMaximo"), QString());
    QCOMPARE(Status("lbTotalProposta"), u"Total da proposta: R$ 0,00"_s);

    Cotar(u"10"_s);
    Cotar(u"20"_s); // above the maximum of 12: the question is answered yes
    Tabelas().mmGrupos.SetRecNo(3);
    Cotar(u"1000,4"_s);

    QCOMPARE(Status("lbItensCotados"), u"Itens cotados: 3 de 500"_s);
    QCOMPARE(Status("lbAcimaDoMaximo"), u"Acima do máximo: 2"_s);
    QCOMPARE(Status("lbTotalProposta"), u"Total da proposta: R$ 2.576,00"_s);
}

void TestMuitosItens::checkBeforeSendingGoesToEachLine()
{
    Abrir(*LicitacaoGrande(u"Gi"_s, 200));
    Tabelas().mmGrupos.SetRecNo(2);
    Cotar(u"5"_s);
    QStringList vistas;
    const auto escolher = [&vistas](int linha) {
        AoAparecer<TfmConferirProposta>([&vistas, linha](TfmConferirProposta &janela) {
            auto *lista = janela.findChild<QListWidget *>(u"lstPendencias"_s);
            for (int i = 0; i < lista->count(); ++i)
                vistas << lista->item(i)->text();
            lista->setCurrentRow(linha);
            Q_EMIT lista->itemActivated(lista->currentItem());
        });
    };
    QCOMPARE(Acao("mnConferirProposta")->text(), u"Conferir proposta..."_s);

    escolher(1);
    Acao("mnConferirProposta")->trigger();

    QCOMPARE(vistas,
        QStringList({u"Informe o CPF/CNPJ do fornecedor."_s,
            u"Lote 2: 99 itens sem preço; o lote cotado precisa do preço de todos os seus itens."_s,
            u"Lote 2, item 1: cotado sem marca."_s,
            u"A proposta impressa sairá sem \"Razão social\"."_s,
            u"A proposta impressa sairá sem \"CPF/CNPJ\"."_s,
            u"A proposta impressa sairá sem \"Endereço\"."_s}));
    QCOMPARE(ItemAtual(), u"2/2"_s);

    // The number line goes to its edit.
    escolher(0);
    Acao("mnConferirProposta")->trigger();
    QCOMPARE(m_janela->focusWidget()->objectName(), u"edFornecedor"_s);

    // The company's details open the supplier window.
    bool fornecedor = false;
    AoAparecer<TfmFornecedor>([&fornecedor](TfmFornecedor &janela) {
        fornecedor = true;
        janela.reject();
    });
    escolher(3);
    Acao("mnConferirProposta")->trigger();
    QVERIFY(fornecedor);
}

void TestMuitosItens::theSaveSaysWhichFileToSend()
{
    Abrir(*LicitacaoGrande(u"Pi"_s, 3));
    auto *edFornecedor = Achar<TVrtDBEdit>("edFornecedor");
    edFornecedor->setFocus();
    QTest::keyClicks(edFornecedor, u"11222333000181"_s);

    Acao("mnSalvar")->trigger();

    QCOMPARE(m_gravador->Textos(), QStringList {u"Arquivo salvo com sucesso."_s});
    QCOMPARE(m_gravador->Mensagens().constFirst().Detalhes,
        QDir::toNativeSeparators(m_pasta->filePath(u"COT-7-2024-11222333000181.kvt"_s)));
}

QTEST_MAIN(TestMuitosItens)
#include "test_MuitosItens.moc"
