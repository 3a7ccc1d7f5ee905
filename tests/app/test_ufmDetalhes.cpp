#include "DadosDetalhes.h"
#include "app/ufmDetalhesLicitacao.h"
#include "app/ufmDetalhesPesquisa.h"
#include "components/uDBText.h"
#include "components/vrtDBMemo.h"
#include "model/uTabelasCotacao.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <memory>
#include <utility>
#include <vector>

namespace {

// The text a value control shows.
QString TextoDe(QWidget &janela, const QString &nome)
{
    if (auto *texto = janela.findChild<TDBText *>(nome))
        return texto->text();
    if (auto *memo = janela.findChild<TVrtDBMemo *>(nome))
        return memo->toPlainText();
    return QStringLiteral("<no control %1>").arg(nome);
}

QLabel *Rotulo(QWidget &janela, const QString &texto)
{
    const QList<QLabel *> rotulos = janela.findChildren<QLabel *>();
    for (QLabel *rotulo : rotulos) {
        if (rotulo->text() == texto && !qobject_cast<TDBText *>(rotulo))
            return rotulo;
    }
    return nullptr;
}

} // namespace

class TestDetalhes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_tabelas = std::make_unique<TTabelasCotacao>();
        m_tabelas->Abrir();
        m_dsDados = std::make_unique<TDataSource>();
        m_dsDados->SetDataSet(&m_tabelas->mmDados);
    }

    void cleanup()
    {
        m_dsDados.reset();
        m_tabelas.reset();
    }

    void tenderShowsTheHeaderInItsDisplayTexts_data()
    {
        QTest::addColumn<QString>("controle");
        QTest::addColumn<QString>("esperado");
        const auto linha = [](const char *controle, const QString &esperado) {
            QTest::newRow(controle) << QString::fromLatin1(controle) << esperado;
        };
        linha("lbLicitacao", QStringLiteral("12/2024"));
        linha("lbModalidade", QStringLiteral("Pregão"));
        linha("lbRegistroPreco", QStringLiteral("Não"));
        linha("lbFormaJulgamento", QStringLiteral("Por item"));
        linha("lbValorLicitado", QStringLiteral("1.234.567,89"));
        linha("vrtDBMmObjeto", Objeto);
        linha("lbFormaEntregaTipo", QStringLiteral("Parcelada"));
        linha("vrtDBMmEntregaPrazo", PrazoLongo);
        linha("vrtDBMmEntregaLocal", QStringLiteral("Almoxarifado Central, Rua Cel. Joaquim, 123"));
        linha("lbPrazoEntregaData", QStringLiteral("04/11/2024"));
        linha("lbPrazoEntregaHora", QStringLiteral("09:00"));
        linha("vrtDBMmPrazoEntregaLocal", QStringLiteral("Protocolo Geral da Prefeitura"));
        linha("lbAberturaData", QStringLiteral("05/11/2024"));
        linha("lbAberturaHora", QStringLiteral("14:30"));
        linha("vrtDBMmAberturaLocal",
            QStringLiteral("Sala de Licitações, 2º andar do Paço Municipal"));
    }

    void tenderShowsTheHeaderInItsDisplayTexts()
    {
        QFETCH(QString, controle);
        QFETCH(QString, esperado);
        Preencher(Licitacao("Pi"));
        TfmDetalhes janela(m_dsDados.get());
        QCOMPARE(TextoDe(janela, controle), esperado);
    }

    void judgementFormShowsItsName_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("Pi") << QStringLiteral("Pi") << QStringLiteral("Por item");
        QTest::newRow("Gl") << QStringLiteral("Gl") << QStringLiteral("Global");
        QTest::newRow("Gi") << QStringLiteral("Gi") << QStringLiteral("Lote");
        QTest::newRow("unknown") << QStringLiteral("Xx") << QString();
    }

    void judgementFormShowsItsName()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, esperado);
        Preencher(Licitacao(codigo.toLatin1().constData()));
        TfmDetalhes licitacao(m_dsDados.get());
        TfmDetalhesPesquisa pesquisa(m_dsDados.get());
        QCOMPARE(TextoDe(licitacao, QStringLiteral("lbFormaJulgamento")), esperado);
        QCOMPARE(TextoDe(pesquisa, QStringLiteral("lbFormaJulgamento")), esperado);
    }

    void surveyShowsItsHeader()
    {
        Preencher(Pesquisa());
        TfmDetalhesPesquisa janela(m_dsDados.get());
        QCOMPARE(janela.objectName(), QStringLiteral("fmDetalhesPesquisa"));
        QCOMPARE(janela.windowTitle(), QStringLiteral("Detalhes da Pesquisa de preços"));
        const std::pair<const char *, QString> esperados[] = {
            {"lbPesquisa", QStringLiteral("57")},
            {"lbFormaJulgamento", QStringLiteral("Global")},
            {"vrtDBMmObjeto", Objeto},
            {"lbPrazoEntregaData", QStringLiteral("18/03/2025")},
            {"lbPrazoEntregaHora", QStringLiteral("17:45")},
            {"vrtDBMmPrazoEntregaLocal", QStringLiteral("Setor de Compras, Av. Brasil, 900")},
            {"lbFormaEntregaTipo", QStringLiteral("Única")},
            {"vrtDBMmEntregaPrazo", QStringLiteral("Em até 5 (cinco) dias corridos")},
            {"vrtDBMmEntregaLocal", QStringLiteral("Escola Municipal Dona Benta")},
        };
        for (const auto &[controle, texto] : esperados)
            QCOMPARE(TextoDe(janela, QString::fromLatin1(controle)), texto);

        // The deadline comes before the delivery, and its heading names no envelopes.
        QLabel *prazo = Rotulo(janela, QStringLiteral("Prazo final para entrega"));
        QLabel *entrega = Rotulo(janela, QStringLiteral("Forma de entrega"));
        QVERIFY(prazo && entrega);
        QVERIFY(prazo->y() < entrega->y());
        QVERIFY(!Rotulo(janela, QStringLiteral("Prazo final para entrega dos envelopes")));
    }

    // Every title stands whole inside the window, ending just left of its value at its height.
    void titlesAreWholeAndBesideTheirValues_data()
    {
        QTest::addColumn<bool>("licitacao");
        QTest::newRow("tender") << true;
        QTest::newRow("survey") << false;
    }

    void titlesAreWholeAndBesideTheirValues()
    {
        QFETCH(bool, licitacao);
        Preencher(licitacao ? Licitacao("Pi") : Pesquisa());
        std::unique_ptr<QWidget> janela = Criar(licitacao);
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela.get()));

        QList<QWidget *> valores;
        for (TDBText *texto : janela->findChildren<TDBText *>())
            valores.append(texto);
        for (TVrtDBMemo *memo : janela->findChildren<TVrtDBMemo *>())
            valores.append(memo);
        QCOMPARE(valores.size(), licitacao ? 15 : 9);
        const QList<QLabel *> rotulos = janela->findChildren<QLabel *>();
        for (QWidget *valor : valores) {
            const auto titulo = std::find_if(rotulos.cbegin(), rotulos.cend(), [&](QLabel *r) {
                const int fim = r->x() + r->width();
                return !qobject_cast<TDBText *>(r) && r->y() == valor->y() && fim <= valor->x()
                    && fim >= valor->x() - 6;
            });
            QVERIFY2(titulo != rotulos.cend(), qPrintable(valor->objectName()));
            QVERIFY((*titulo)->x() >= 0);
            QVERIFY((*titulo)->width() >= (*titulo)->sizeHint().width());
        }
    }

    void longTextsShowAsTheyShould()
    {
        Preencher(Licitacao("Pi"));
        TfmDetalhes janela(m_dsDados.get());
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));

        // The object shows several lines and scrolls to the rest.
        auto *objeto = janela.findChild<TVrtDBMemo *>(QStringLiteral("vrtDBMmObjeto"));
        QVERIFY(objeto->verticalScrollBar()->isVisible());
        QVERIFY(objeto->verticalScrollBar()->maximum() > 0);
        QVERIFY(objeto->viewport()->height() >= 3 * objeto->fontMetrics().lineSpacing());

        // A term of several lines shows its first line only.
        auto *prazo = janela.findChild<TVrtDBMemo *>(QStringLiteral("vrtDBMmEntregaPrazo"));
        const QRect area = prazo->viewport()->rect();
        const QTextBlock primeiro = prazo->document()->firstBlock();
        QVERIFY(primeiro.layout()->lineCount() > 1);
        QTextCursor cursor(primeiro);
        QVERIFY(area.contains(prazo->cursorRect(cursor)));
        cursor.setPosition(primeiro.position() + primeiro.layout()->lineAt(1).textStart());
        QVERIFY(!area.intersects(prazo->cursorRect(cursor)));
        QVERIFY(!prazo->verticalScrollBar()->isVisible());
    }

    // The windows only show: typing into a memo changes neither the text nor the table, and
    // Tab finds no stop among the values.
    void nothingCanBeChanged()
    {
        Preencher(Licitacao("Pi"));
        TfmDetalhes janela(m_dsDados.get());
        janela.show();
        QVERIFY(QTest::qWaitForWindowActive(&janela));
        for (TVrtDBMemo *memo : janela.findChildren<TVrtDBMemo *>()) {
            QVERIFY(!(memo->focusPolicy() & Qt::TabFocus));
            memo->setFocus();
            QTest::keyClicks(memo, QStringLiteral("x"));
            QTest::keyClick(memo, Qt::Key_Delete);
        }
        QCOMPARE(m_tabelas->mmDados.State(), dsBrowse);
        QCOMPARE(TextoDe(janela, QStringLiteral("vrtDBMmObjeto")), Objeto);
    }

    void headingLinesStretchWithTheWindow()
    {
        Preencher(Licitacao("Pi"));
        TfmDetalhes janela(m_dsDados.get());
        QCOMPARE(janela.objectName(), QStringLiteral("fmDetalhes"));
        QCOMPARE(janela.windowTitle(), QStringLiteral("Detalhes da Licitação"));
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        const QList<QFrame *> linhas = Linhas(janela);
        QCOMPARE(linhas.size(), 3);
        QLabel *abertura = Rotulo(janela, QStringLiteral("Abertura"));
        QVERIFY(abertura->font().bold());
        for (QFrame *linha : linhas)
            QCOMPARE(linha->width(), 778);
        // The heading crosses its line at the heading's mid-height.
        const auto linhaAbertura = std::find_if(linhas.cbegin(), linhas.cend(),
            [&](QFrame *l) { return abertura->geometry().contains(abertura->x(), l->y()); });
        QVERIFY(linhaAbertura != linhas.cend());
        QVERIFY(qAbs((*linhaAbertura)->geometry().center().y() - abertura->geometry().center().y())
            <= 1);

        janela.resize(janela.width() + 100, janela.height());
        for (QFrame *linha : linhas)
            QCOMPARE(linha->width(), 878);
        janela.resize(200, 200);
        QCOMPARE(janela.size(), QSize(784, 561));
    }

private:
    void Preencher(const TValores &valores) { PreencherDados(m_tabelas->mmDados, valores); }

    std::unique_ptr<QWidget> Criar(bool licitacao) const
    {
        if (licitacao)
            return std::make_unique<TfmDetalhes>(m_dsDados.get());
        return std::make_unique<TfmDetalhesPesquisa>(m_dsDados.get());
    }

    static QList<QFrame *> Linhas(QWidget &janela)
    {
        QList<QFrame *> linhas;
        for (QFrame *quadro : janela.findChildren<QFrame *>()) {
            if (quadro->frameShape() == QFrame::HLine)
                linhas.append(quadro);
        }
        return linhas;
    }

    std::unique_ptr<TTabelasCotacao> m_tabelas;
    std::unique_ptr<TDataSource> m_dsDados;
};

QTEST_MAIN(TestDetalhes)
#include "test_ufmDetalhes.moc"
