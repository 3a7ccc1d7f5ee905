#include "CasosDeFoco.h"
#include "TabelaTeste.h"
#include "common/uExcecoes.h"
#include "components/Dbvalor.h"
#include "components/vrtDBEdit.h"
#include "components/vrtDBGrid.h"
#include "support/MensagemGravador.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

class TestVrtDBEdit : public QObject
{
    Q_OBJECT

    std::unique_ptr<TabelaTeste> m_dados;
    std::unique_ptr<QWidget> m_janela;
    TVrtDBEdit *m_marca = nullptr; // ITEMMARCA, text
    TVrtDBEdit *m_valor = nullptr; // VlCotado, real
    QLineEdit *m_outro = nullptr;

    TMemoryTable &Tabela() const { return m_dados->Tabela; }

    void Montar(int linhas)
    {
        m_dados = std::make_unique<TabelaTeste>(linhas);
        m_dados->Campo("VlCotado").SetDisplayFormat(QStringLiteral("#,##0.00"));
        m_dados->Campo("VlCotado").SetEditFormat(QStringLiteral("0.000"));
        m_janela = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(m_janela.get());
        m_marca = new TVrtDBEdit;
        m_valor = new TVrtDBEdit;
        m_outro = new QLineEdit;
        layout->addWidget(m_marca);
        layout->addWidget(m_valor);
        layout->addWidget(m_outro);
        m_marca->SetDataSource(&m_dados->Fonte);
        m_marca->SetDataField(QStringLiteral("itemmarca"));
        m_valor->SetDataSource(&m_dados->Fonte);
        m_valor->SetDataField(QStringLiteral("VlCotado"));
        m_janela->show();
        QVERIFY(QTest::qWaitForWindowActive(m_janela.get()));
    }

private Q_SLOTS:
    void init() { Montar(3); }

    void cleanup()
    {
        m_janela.reset();
        m_dados.reset();
    }

    void showsTheDisplayTextUnlessBeingTypedIn()
    {
        m_outro->setFocus();
        QCOMPARE(m_valor->text(), QStringLiteral("10,00"));
        m_valor->setFocus();
        QCOMPARE(m_valor->text(), QStringLiteral("10,000"));
        m_outro->setFocus();
        QCOMPARE(m_valor->text(), QStringLiteral("10,00"));
        Tabela().Next();
        QCOMPARE(m_valor->text(), QStringLiteral("20,00"));
        m_dados->Campo("VlCotado").SetReadOnly(true);
        m_valor->setFocus();
        QCOMPARE(m_valor->text(), QStringLiteral("20,00"));
        QTest::keyClicks(m_valor, QStringLiteral("5"));
        QCOMPARE(m_valor->text(), QStringLiteral("20,00"));
        QCOMPARE(Tabela().State(), dsBrowse);
    }

    void firstKeystrokePutsTheRowIntoEdit_data()
    {
        QTest::addColumn<int>("linhas");
        QTest::addColumn<int>("estado");
        QTest::newRow("a row") << 3 << int(dsEdit);
        QTest::newRow("empty table") << 0 << int(dsInsert);
    }

    void firstKeystrokePutsTheRowIntoEdit()
    {
        QFETCH(int, linhas);
        QFETCH(int, estado);
        cleanup();
        Montar(linhas);
        m_marca->setFocus();
        QCOMPARE(Tabela().State(), dsBrowse);
        QTest::keyClicks(m_marca, QStringLiteral("Acme"));
        QCOMPARE(int(Tabela().State()), estado);
        QCOMPARE(m_marca->text(), QStringLiteral("Acme"));
    }

    // Leaving writes the typed text, and the leaving handler already finds it in the field.
    void leavingWritesTheTextBeforeTheExitHandler()
    {
        QString visto;
        m_marca->OnExit = [&](TDBEdit &) { visto = m_dados->Campo("ITEMMARCA").AsString(); };
        m_marca->setFocus();
        QTest::keyClicks(m_marca, QStringLiteral("Acme"));
        QVERIFY(m_dados->Campo("ITEMMARCA").IsNull());
        QTest::keyClick(m_marca, Qt::Key_Tab);
        QCOMPARE(visto, QStringLiteral("Acme"));
        QCOMPARE(QApplication::focusWidget(), m_valor);
        QCOMPARE(Tabela().State(), dsEdit);
    }

    // A leaving handler that aborts keeps the focus, and a click elsewhere goes nowhere.
    void exitHandlerAbortKeepsTheFocus()
    {
        auto *grade = new TvrtDBGrid;
        m_janela->layout()->addWidget(grade);
        grade->SetDataSource(&m_dados->Fonte);
        QTest::qWait(0);
        int saidas = 0;
        m_marca->OnExit = [&](TDBEdit &) {
            ++saidas;
            throw EAbort();
        };
        m_marca->setFocus();
        m_outro->setFocus();
        QCOMPARE(QApplication::focusWidget(), m_marca);
        QTest::mouseClick(grade->viewport(), Qt::LeftButton, {},
            grade->visualRect(grade->model()->index(2, 0)).center());
        QCOMPARE(QApplication::focusWidget(), m_marca);
        QCOMPARE(Tabela().RecNo(), 1);
        QCOMPARE(saidas, 2);
    }

    // A text the field cannot take is shown as an error and the focus stays to correct it.
    void textThatDoesNotConvertKeepsTheFocus()
    {
        MensagemGravador gravador;
        m_valor->setFocus();
        m_valor->selectAll();
        QTest::keyClicks(m_valor, QStringLiteral("1,,2"));
        m_outro->setFocus();
        QCOMPARE(QApplication::focusWidget(), m_valor);
        QCOMPARE(gravador.Mensagens().size(), 1);
        QCOMPARE(gravador.Mensagens().at(0).Tipo, tmErro);
        QCOMPARE(m_valor->text(), QStringLiteral("1,,2"));
        QCOMPARE(Tabela().State(), dsEdit);
    }

    // A post started elsewhere takes the typed text; a text it cannot take refuses the post and
    // leaves the edit as it was, ready for a corrected text.
    void postTakesTheTypedTextOrIsRefusedByIt()
    {
        m_valor->setFocus();
        m_valor->selectAll();
        QTest::keyClicks(m_valor, QStringLiteral("1,,2"));
        QVERIFY_THROWS_EXCEPTION(EConvertError, Tabela().Post());
        QCOMPARE(Tabela().State(), dsEdit);
        m_valor->selectAll();
        QTest::keyClicks(m_valor, QStringLiteral("5,5"));
        Tabela().Post();
        QCOMPARE(Tabela().State(), dsBrowse);
        QCOMPARE(m_dados->Campo("VlCotado").AsFloat(), 5.5);
    }

    // A change of the table's layout that leaves the bound field alone keeps the typed text.
    void layoutChangeKeepsTheTypedText()
    {
        m_marca->setFocus();
        QTest::keyClicks(m_marca, QStringLiteral("Ac"));
        m_dados->Campo("DescMaterial").SetVisible(false);
        QCOMPARE(m_marca->text(), QStringLiteral("Ac"));
        m_outro->setFocus();
        QCOMPARE(m_dados->Campo("ITEMMARCA").AsString(), QStringLiteral("Ac"));
    }

    void escapeShowsTheFieldAgain()
    {
        m_dados->Tabela.Edit();
        m_dados->Campo("ITEMMARCA").SetAsString(QStringLiteral("Acme"));
        m_marca->setFocus();
        QTest::keyClicks(m_marca, QStringLiteral("xyz"));
        QTest::keyClick(m_marca, Qt::Key_Escape);
        QCOMPARE(m_marca->text(), QStringLiteral("Acme"));
        m_outro->setFocus();
        QCOMPARE(m_dados->Campo("ITEMMARCA").AsString(), QStringLiteral("Acme"));
    }

    // Enter moves to the next control in Tab order and reaches nothing else.
    void enterMovesToTheNextControl()
    {
        QDialog dialogo;
        auto *layout = new QVBoxLayout(&dialogo);
        auto *primeiro = new TVrtDBEdit;
        auto *numero = new TDBValor;
        auto *ultimo = new QLineEdit;
        auto *botao = new QPushButton(QStringLiteral("OK"));
        botao->setDefault(true);
        for (QWidget *controle : {static_cast<QWidget *>(primeiro), static_cast<QWidget *>(numero),
                 static_cast<QWidget *>(ultimo), static_cast<QWidget *>(botao)})
            layout->addWidget(controle);
        QSignalSpy cliques(botao, &QPushButton::clicked);
        dialogo.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialogo));
        primeiro->setFocus();
        QTest::keyClick(primeiro, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), numero);
        QTest::keyClick(numero, Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), ultimo);
        QCOMPARE(cliques.count(), 0);
        QVERIFY(dialogo.isVisible());
    }

    // A handler that refuses is asked again at every change; one that allows is not asked
    // again until the control is left and entered again.
    void beforeChangeIsAskedAsStated_data()
    {
        QTest::addColumn<bool>("recusa");
        QTest::addColumn<int>("perguntas");
        QTest::addColumn<QString>("texto");
        QTest::newRow("refuses") << true << 6 << QString();
        QTest::newRow("allows") << false << 2 << QStringLiteral("acd");
    }

    void beforeChangeIsAskedAsStated()
    {
        QFETCH(bool, recusa);
        QFETCH(int, perguntas);
        QFETCH(QString, texto);
        QApplication::clipboard()->setText(QStringLiteral("d"));
        int perguntadas = 0;
        m_marca->OnBeforeChange() = [&](QObject *quem, bool &cancela) {
            QCOMPARE(quem, m_marca);
            ++perguntadas;
            cancela = recusa;
        };
        m_marca->setFocus();
        QTest::keyClicks(m_marca, QStringLiteral("ab"));
        QTest::keyClick(m_marca, Qt::Key_Backspace);
        m_outro->setFocus();
        m_marca->setFocus();
        QTest::keyClick(m_marca, Qt::Key_Delete);
        QTest::keyClick(m_marca, Qt::Key_End);
        QTest::keyClicks(m_marca, QStringLiteral("c"));
        QTest::keyClick(m_marca, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(perguntadas, perguntas);
        QCOMPARE(m_marca->text(), texto);
        QCOMPARE(Tabela().State(), recusa ? dsBrowse : dsEdit);
    }

    // Focus only borrowed writes nothing on the way out and keeps the change allowed; a real
    // leaving writes the text and the next change is asked again.
    void borrowedFocusIsNoLeaving_data() { CasosDeFoco(); }

    void borrowedFocusIsNoLeaving()
    {
        QFETCH(int, motivo);
        QFETCH(bool, emprestado);
        int perguntadas = 0;
        m_marca->OnBeforeChange() = [&](QObject *, bool &) { ++perguntadas; };
        m_marca->setFocus();
        QTest::keyClicks(m_marca, QStringLiteral("a"));

        SairEVoltar(m_marca, Qt::FocusReason(motivo));
        QCOMPARE(m_dados->Campo("ITEMMARCA").AsString(), emprestado ? QString() : u"a"_qs);
        QTest::keyClick(m_marca, Qt::Key_End);
        QTest::keyClicks(m_marca, QStringLiteral("b"));
        QCOMPARE(perguntadas, emprestado ? 1 : 2);
        QCOMPARE(m_marca->text(), QStringLiteral("ab"));
    }

    void changesApprovedInAdvanceAreNotAsked()
    {
        int perguntadas = 0;
        m_marca->OnBeforeChange() = [&](QObject *, bool &cancela) {
            ++perguntadas;
            cancela = true;
        };
        m_marca->setFocus();
        TAlteracaoLiberadaEvent libera(0x101);
        QCoreApplication::sendEvent(m_marca, &libera);
        QVERIFY(m_marca->AlteracaoLiberada());
        QTest::keyClicks(m_marca, QStringLiteral("ok"));
        QCOMPARE(perguntadas, 0);
        QCOMPARE(m_marca->text(), QStringLiteral("ok"));
        TAlteracaoLiberadaEvent revoga(0x100);
        QCoreApplication::sendEvent(m_marca, &revoga);
        QTest::keyClicks(m_marca, QStringLiteral("!"));
        QCOMPARE(perguntadas, 1);
        QCOMPARE(m_marca->text(), QStringLiteral("ok"));
    }
};

QTEST_MAIN(TestVrtDBEdit)
#include "test_vrtDBEdit.moc"
