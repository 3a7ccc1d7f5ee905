#include "ContadorBip.h"
#include "TabelaTeste.h"
#include "common/uExcecoes.h"
#include "components/vrtDBGrid.h"
#include "support/MensagemGravador.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <memory>

namespace {

// Columns of the test table as the grid shows them.
enum Coluna { cItem, cDescricao, cValor, cObservacao, cMarca };

} // namespace

class TestVrtDBGrid : public QObject
{
    Q_OBJECT

    std::unique_ptr<TabelaTeste> m_dados;
    std::unique_ptr<QWidget> m_janela;
    TvrtDBGrid *m_grade = nullptr;
    QLineEdit *m_outro = nullptr;

    TMemoryTable &Tabela() const { return m_dados->Tabela; }
    QLineEdit *Editor() const { return qobject_cast<QLineEdit *>(QApplication::focusWidget()); }
    QModelIndex Celula(int linha, int coluna) const
    {
        return m_grade->model()->index(linha, coluna);
    }
    void Clicar(int linha, int coluna, Qt::MouseButton botao = Qt::LeftButton)
    {
        QTest::mouseClick(
            m_grade->viewport(), botao, {}, m_grade->visualRect(Celula(linha, coluna)).center());
    }
    void IrPara(int linha, int coluna)
    {
        Tabela().SetRecNo(linha + 1);
        m_grade->SetSelectedIndex(coluna);
    }
    void Rodar(int angulo)
    {
        const QPointF centro = m_grade->viewport()->rect().center();
        QWheelEvent roda(centro, m_grade->viewport()->mapToGlobal(centro), {}, {0, angulo},
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_grade->viewport(), &roda);
    }

private Q_SLOTS:
    void init()
    {
        m_dados = std::make_unique<TabelaTeste>();
        m_janela = std::make_unique<QWidget>();
        auto *layout = new QHBoxLayout(m_janela.get());
        m_grade = new TvrtDBGrid;
        m_outro = new QLineEdit;
        layout->addWidget(m_grade);
        layout->addWidget(m_outro);
        m_grade->SetDataSource(&m_dados->Fonte);
        m_janela->resize(900, 300);
        m_janela->show();
        QVERIFY(QTest::qWaitForWindowActive(m_janela.get()));
        m_grade->setFocus();
        QCOMPARE(m_grade->currentIndex(), Celula(0, cItem));
    }

    void cleanup()
    {
        m_janela.reset();
        m_dados.reset();
    }

    void enterActsAsTab_data()
    {
        QTest::addColumn<int>("coluna");
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<int>("linhaDepois");
        QTest::addColumn<int>("colunaDepois");
        QTest::newRow("next column") << int(cValor) << QString() << 0 << int(cObservacao);
        QTest::newRow("from the editor")
            << int(cValor) << QStringLiteral("7") << 0 << int(cObservacao);
        QTest::newRow("last column: next row") << int(cMarca) << QString() << 1 << int(cItem);
    }

    void enterActsAsTab()
    {
        QFETCH(int, coluna);
        QFETCH(QString, digitado);
        QFETCH(int, linhaDepois);
        QFETCH(int, colunaDepois);
        IrPara(0, coluna);
        QTest::keyClicks(m_grade, digitado);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(Tabela().RecNo() - 1, linhaDepois);
        QCOMPARE(m_grade->SelectedIndex(), colunaDepois);
        QCOMPARE(m_grade->currentIndex(), Celula(linhaDepois, colunaDepois));
        if (!digitado.isEmpty()) {
            QCOMPARE(Tabela().State(), dsEdit);
            QCOMPARE(m_dados->Campo("VlCotado").AsFloat(), 7.0);
        }
    }

    // A real cell never takes the exponent letter; other letters are refused with a beep.
    void realCellRefusesTheExponentLetter()
    {
        ContadorBip bips;
        IrPara(1, cValor);
        QTest::keyClicks(m_grade, QStringLiteral("1e5"));
        QVERIFY(Editor());
        QCOMPARE(Editor()->text(), QStringLiteral("15"));
        QCOMPARE(bips.Bips(), 0);
        QTest::keyClicks(Editor(), QStringLiteral("Ea"));
        QCOMPARE(Editor()->text(), QStringLiteral("15"));
        QCOMPARE(bips.Bips(), 1);
        QTest::keyClick(Editor(), Qt::Key_Tab);
        QCOMPARE(m_dados->Campo("VlCotado").AsFloat(), 15.0);
    }

    // "." and the numeric keypad's decimal key type the decimal separator, which a number
    // takes once.
    void decimalKeyTypesTheSeparator_data()
    {
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<bool>("teclado");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("bips");
        QTest::newRow("point") << QStringLiteral("12.5") << false << QStringLiteral("12,5") << 0;
        QTest::newRow("keypad") << QStringLiteral("12.5") << true << QStringLiteral("12,5") << 0;
        QTest::newRow("point first") << QStringLiteral(".5") << false << QStringLiteral(",5") << 0;
        QTest::newRow("second separator")
            << QStringLiteral("1,2.3") << false << QStringLiteral("1,23") << 1;
        QTest::newRow("comma") << QStringLiteral("7,25") << false << QStringLiteral("7,25") << 0;
    }

    void decimalKeyTypesTheSeparator()
    {
        QFETCH(QString, digitado);
        QFETCH(bool, teclado);
        ContadorBip bips;
        IrPara(1, cValor);
        for (const QChar caractere : digitado) {
            QWidget *alvo = Editor() ? static_cast<QWidget *>(Editor()) : m_grade;
            if (caractere == u'.')
                QTest::keyClick(
                    alvo, Qt::Key_Period, teclado ? Qt::KeypadModifier : Qt::NoModifier);
            else
                QTest::keyClicks(alvo, QString(caractere));
        }
        QVERIFY(Editor());
        QTEST(Editor()->text(), "texto");
        QTEST(bips.Bips(), "bips");
        QTest::keyClick(Editor(), Qt::Key_Tab);
        QFETCH(QString, texto);
        QCOMPARE(m_dados->Campo("VlCotado").AsFloat(), texto.replace(u',', u'.').toDouble());
    }

    void oneWheelNotchMovesOneRow()
    {
        int rolagens = 0;
        Tabela().AfterScroll = [&](TMemoryTable &) { ++rolagens; };
        Rodar(-120);
        QCOMPARE(Tabela().RecNo(), 2);
        QCOMPARE(rolagens, 1);
        Rodar(-360); // a long turn in one message is still one row
        QCOMPARE(Tabela().RecNo(), 3);
        QCOMPARE(rolagens, 2);
        Rodar(120);
        QCOMPARE(Tabela().RecNo(), 2);
        QCOMPARE(rolagens, 3);
        QCOMPARE(m_grade->currentIndex().row(), 1);
    }

    void fixedColumnsCannotBeEntered()
    {
        m_grade->SetFixedCols(2);
        QCOMPARE(m_grade->FixedCols(), 2);
        QCOMPARE(m_grade->SelectedIndex(), int(cValor));
        m_grade->SetSelectedIndex(cMarca);
        QTest::keyClick(m_grade, Qt::Key_Home);
        QCOMPARE(m_grade->SelectedIndex(), int(cValor));
        QTest::keyClick(m_grade, Qt::Key_Left);
        QCOMPARE(m_grade->SelectedIndex(), int(cValor));
        Clicar(2, cDescricao);
        QCOMPARE(Tabela().RecNo(), 3);
        QCOMPARE(m_grade->currentIndex(), Celula(2, cValor));
        QTest::keyClick(m_grade, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(m_grade->currentIndex(), Celula(1, cMarca));
        QTest::keyClick(m_grade, Qt::Key_Tab);
        QCOMPARE(m_grade->currentIndex(), Celula(2, cValor));
        m_grade->SetFixedCols(10); // all but the last column at most
        QCOMPARE(m_grade->FixedCols(), 4);
    }

    void homeAndEndMoveAlongTheRowOrTheTable()
    {
        IrPara(1, cValor);
        QTest::keyClick(m_grade, Qt::Key_End);
        QCOMPARE(m_grade->currentIndex(), Celula(1, cMarca));
        QTest::keyClick(m_grade, Qt::Key_Home);
        QCOMPARE(m_grade->currentIndex(), Celula(1, cItem));
        QTest::keyClick(m_grade, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(Tabela().RecNo(), 3);
        QTest::keyClick(m_grade, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(Tabela().RecNo(), 1);
        QCOMPARE(m_grade->SelectedIndex(), int(cItem));
    }

    void incrementalSearchIsRefusedOnAMemoryTable()
    {
        MensagemGravador gravador;
        m_grade->SetUsaProcuraIncremental(true);
        QVERIFY(!m_grade->UsaProcuraIncremental());
        QCOMPARE(gravador.Mensagens().size(), 1);
        const TMensagem &mensagem = gravador.Mensagens().at(0);
        QCOMPARE(mensagem.Tipo, tmInformacao);
        QCOMPARE(mensagem.Titulo, QStringLiteral("Atenção"));
        QCOMPARE(
            mensagem.Texto, QStringLiteral("Procura incremental não funciona com MemoryTable."));
        QCOMPARE(mensagem.Botoes, TBotoesMensagem(bmContinuar));
    }

    // Set on a grid not yet bound, the search finds the typed prefix in a read-only grid.
    void incrementalSearchFindsTheTypedPrefix()
    {
        TvrtDBGrid grade;
        grade.SetUsaProcuraIncremental(true);
        QVERIFY(grade.UsaProcuraIncremental());
        m_dados->Adicionar(4, QStringLiteral("Cimento"), 1);
        m_dados->Adicionar(5, QStringLiteral("Cal"), 1);
        Tabela().First();
        grade.SetDataSource(&m_dados->Fonte);
        grade.SetReadOnly(true);
        grade.SetSelectedIndex(cDescricao);
        QTest::keyClicks(&grade, QStringLiteral("ca"));
        QCOMPARE(m_dados->Campo("Item").AsInteger(), 5);
        QCOMPARE(Tabela().State(), dsBrowse);
    }

    // The grid's ways of adding a row all go through Append, which the table may refuse.
    void insertRefusedByTheTableAddsNoRow()
    {
        MensagemGravador gravador;
        int pedidos = 0;
        Tabela().BeforeInsert = [&](TMemoryTable &) {
            ++pedidos;
            throw EAbort();
        };
        int gravacoes = 0;
        Tabela().AfterPost = [&](TMemoryTable &) { ++gravacoes; };
        IrPara(2, cValor);
        QTest::keyClicks(m_grade, QStringLiteral("8"));
        QTest::keyClick(Editor(), Qt::Key_Down); // below the last row: posts, then appends
        QCOMPARE(gravacoes, 1);
        QCOMPARE(m_dados->Campo("VlCotado").AsFloat(), 8.0);
        QTest::keyClick(m_grade, Qt::Key_Insert);
        QTest::keyClick(m_grade, Qt::Key_End);
        QTest::keyClick(m_grade, Qt::Key_Tab);
        QCOMPARE(pedidos, 3);
        QCOMPARE(Tabela().RecordCount(), 3);
        QCOMPARE(Tabela().State(), dsBrowse);
        QCOMPARE(m_grade->model()->rowCount(), 3);
        QVERIFY(gravador.Mensagens().isEmpty());
    }

    void insertedRowNobodyTypedInIsDroppedOnLeaving()
    {
        IrPara(2, cValor);
        QTest::keyClick(m_grade, Qt::Key_Down);
        QCOMPARE(Tabela().State(), dsInsert);
        QCOMPARE(m_grade->model()->rowCount(), 4);
        QCOMPARE(m_grade->currentIndex().row(), 3);
        QTest::keyClick(m_grade, Qt::Key_Up);
        QCOMPARE(Tabela().State(), dsBrowse);
        QCOMPARE(Tabela().RecNo(), 3);
        QTest::keyClick(m_grade, Qt::Key_Insert);
        m_outro->setFocus();
        QCOMPARE(Tabela().State(), dsBrowse);
        QCOMPARE(Tabela().RecordCount(), 3);
    }

    void refusedPostKeepsTheRowInEdit()
    {
        MensagemGravador gravador;
        bool recusa = true;
        Tabela().BeforePost = [&](TMemoryTable &) {
            if (recusa)
                throw EAbort();
        };
        IrPara(0, cValor);
        QTest::keyClicks(m_grade, QStringLiteral("77"));
        QTest::keyClick(Editor(), Qt::Key_Down);
        Clicar(2, cMarca);
        Rodar(-120);
        QCOMPARE(Tabela().RecNo(), 1);
        QCOMPARE(Tabela().State(), dsEdit);
        QCOMPARE(m_grade->currentIndex(), Celula(0, cValor));
        QVERIFY(Editor());
        QCOMPARE(Editor()->text(), QStringLiteral("77"));
        QCOMPARE(m_dados->Campo("VlCotado").AsFloat(), 77.0);
        QVERIFY(gravador.Mensagens().isEmpty());

        recusa = false;
        QTest::keyClick(Editor(), Qt::Key_Down);
        QCOMPARE(Tabela().RecNo(), 2);
        QCOMPARE(Tabela().State(), dsBrowse);
        QCOMPARE(Celula(0, cValor).data().toString(), QStringLiteral("77"));
    }

    // A text the field cannot take is shown as an error and keeps the cursor in the cell.
    void textThatDoesNotConvertKeepsTheCell()
    {
        MensagemGravador gravador;
        IrPara(0, cValor);
        QTest::keyClicks(m_grade, QStringLiteral("1-2"));
        QTest::keyClick(Editor(), Qt::Key_Tab);
        QCOMPARE(gravador.Mensagens().size(), 1);
        QCOMPARE(gravador.Mensagens().at(0).Tipo, tmErro);
        QCOMPARE(m_grade->currentIndex(), Celula(0, cValor));
        QVERIFY(Editor());
        QCOMPARE(Editor()->text(), QStringLiteral("1-2"));
    }

    // Whoever posts the table gets the text still being typed in a cell.
    void postByAnotherControlTakesTheTypedCell()
    {
        IrPara(1, cMarca);
        QTest::keyClicks(m_grade, QStringLiteral("Acme"));
        Tabela().Post();
        QCOMPARE(m_dados->Campo("ITEMMARCA").AsString(), QStringLiteral("Acme"));
        QCOMPARE(Tabela().State(), dsBrowse);
    }

    // Leaving the grid writes the cell being typed; the row stays in edit.
    void leavingTheGridWritesTheTypedCell()
    {
        IrPara(1, cMarca);
        QTest::keyClicks(m_grade, QStringLiteral("Acme"));
        m_outro->setFocus();
        QCOMPARE(Tabela().State(), dsEdit);
        QCOMPARE(m_dados->Campo("ITEMMARCA").AsString(), QStringLiteral("Acme"));
    }

    void escapeDropsTheCellThenTheRow()
    {
        IrPara(0, cMarca);
        QTest::keyClicks(m_grade, QStringLiteral("Acme"));
        QTest::keyClick(Editor(), Qt::Key_Escape);
        QCOMPARE(Tabela().State(), dsEdit);
        QVERIFY(m_dados->Campo("ITEMMARCA").IsNull());
        QTest::keyClick(m_grade, Qt::Key_Escape);
        QCOMPARE(Tabela().State(), dsBrowse);
    }

    void readOnlyFieldsAreNotEdited()
    {
        m_dados->Campo("DescMaterial").SetReadOnly(true);
        IrPara(0, cDescricao);
        QTest::keyClicks(m_grade, QStringLiteral("x"));
        QTest::keyClick(m_grade, Qt::Key_F2);
        QCOMPARE(Tabela().State(), dsBrowse);
        QCOMPARE(QApplication::focusWidget(), m_grade);
    }

    void gridNeverDeletesARow_data()
    {
        QTest::addColumn<int>("modificadores");
        QTest::newRow("Ctrl+Delete") << int(Qt::ControlModifier);
        QTest::newRow("Delete") << int(Qt::NoModifier);
        QTest::newRow("Shift+Delete") << int(Qt::ShiftModifier);
        QTest::newRow("Ctrl+Shift+Delete") << int(Qt::ControlModifier | Qt::ShiftModifier);
    }

    void gridNeverDeletesARow()
    {
        QFETCH(int, modificadores);
        int exclusoes = 0;
        Tabela().BeforeDelete = [&](TMemoryTable &) { ++exclusoes; };
        IrPara(1, cMarca);
        QTest::keyClick(m_grade, Qt::Key_Delete, Qt::KeyboardModifiers(modificadores));
        QTest::keyClicks(m_grade, QStringLiteral("x"));
        QTest::keyClick(Editor(), Qt::Key_Delete, Qt::KeyboardModifiers(modificadores));
        QCOMPARE(exclusoes, 0);
        QCOMPARE(Tabela().RecordCount(), 3);
    }

    void scrollBarActionsCanBeCancelled()
    {
        for (int i = 4; i <= 60; ++i)
            m_dados->Adicionar(i, QStringLiteral("Material"), i);
        QScrollBar *barra = m_grade->verticalScrollBar();
        QVERIFY(barra->maximum() > 0);
        barra->setValue(0);
        QList<TTipoScrollBar> tipos;
        bool cancelar = true;
        m_grade->OnScrollBarClick = [&](TvrtDBGrid &, TTipoScrollBar tipo, bool &cancela) {
            tipos.append(tipo);
            cancela = cancelar;
        };
        barra->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(barra->value(), 0);
        cancelar = false;
        barra->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(barra->value(), 1);
        QCOMPARE(tipos, QList<TTipoScrollBar>({tsVertical, tsVertical}));
    }

    void clickIsRaisedOnEveryLeftRelease()
    {
        int cliques = 0;
        m_grade->OnClick = [&](TvrtDBGrid &) { ++cliques; };
        Clicar(1, cValor);
        Clicar(2, cValor, Qt::RightButton);
        QTest::mouseClick(
            m_grade->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(cliques, 2);
        QCOMPARE(Tabela().RecNo(), 2); // the right button does not move
    }

    void rowIndicatorChoosesTheRowAndKeepsTheColumn()
    {
        IrPara(0, cValor);
        const QRect linha = m_grade->visualRect(Celula(2, cValor));
        QTest::mouseClick(m_grade->verticalHeader()->viewport(), Qt::LeftButton, {},
            QPoint(3, linha.center().y()));
        QCOMPARE(Tabela().RecNo(), 3);
        QCOMPARE(m_grade->SelectedIndex(), int(cValor));
    }

    // Whichever goes first, the window with a cell being typed or the table, nothing breaks.
    void teardownWhileTyping_data()
    {
        QTest::addColumn<bool>("tabelaPrimeiro");
        QTest::newRow("window first") << false;
        QTest::newRow("table first") << true;
    }

    void teardownWhileTyping()
    {
        QFETCH(bool, tabelaPrimeiro);
        IrPara(1, cMarca);
        QTest::keyClicks(m_grade, QStringLiteral("Acme"));
        QVERIFY(Editor());
        if (tabelaPrimeiro) {
            m_dados.reset();
            QCOMPARE(m_grade->model()->rowCount(), 0);
            QTest::keyClick(m_grade, Qt::Key_Down);
            m_grade->repaint();
        }
        m_janela.reset();
    }

    void blobColumnsShowWhatTheyAreSetTo()
    {
        m_grade->Columns().Items(cObservacao).SetBlobUserText(QStringLiteral("ver"));
        QSignalSpy alteradas(&m_grade->Columns(), &TvrtDBGridColumns::colunaAlterada);
        TvrtColumn &coluna = m_grade->Columns().Items(cObservacao);
        QCOMPARE(coluna.BlobDisplay(), cmdUserText);
        coluna.SetBlobDisplay(cmdContent);
        QCOMPARE(coluna.BlobUserText(), QString());
        QCOMPARE(alteradas.count(), 1);
        QCOMPARE(alteradas.at(0).at(0).toInt(), int(cObservacao));
        // Refilling the table keeps the columns and their settings.
        Tabela().DisableControls();
        Tabela().EnableControls();
        QCOMPARE(&m_grade->Columns().Items(cObservacao), &coluna);
        QCOMPARE(coluna.BlobDisplay(), cmdContent);
    }
};

QTEST_MAIN(TestVrtDBGrid)
#include "test_vrtDBGrid.moc"
