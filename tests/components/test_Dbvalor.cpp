#include "ContadorBip.h"
#include "TabelaTeste.h"
#include "components/Dbvalor.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

class TestDbvalor : public QObject
{
    Q_OBJECT

    std::unique_ptr<TabelaTeste> m_dados;
    std::unique_ptr<QWidget> m_janela;
    TDBValor *m_texto = nullptr; // on ITEMMARCA: the key rules alone, no field refusals
    TDBValor *m_valor = nullptr; // on VlCotado
    QLineEdit *m_outro = nullptr;

    // Shows the text in the control as the field's, with the caret or selection given.
    void Preparar(const QString &texto, int inicio, int selecao)
    {
        m_dados->Tabela.Edit();
        m_dados->Campo("ITEMMARCA").SetAsString(texto);
        m_dados->Tabela.Post();
        m_texto->setFocus();
        QCOMPARE(m_texto->text(), texto);
        if (selecao > 0)
            m_texto->setSelection(inicio, selecao);
        else
            m_texto->setCursorPosition(inicio);
    }

private Q_SLOTS:
    void init()
    {
        m_dados = std::make_unique<TabelaTeste>();
        m_janela = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(m_janela.get());
        m_texto = new TDBValor;
        m_valor = new TDBValor;
        m_outro = new QLineEdit;
        layout->addWidget(m_texto);
        layout->addWidget(m_valor);
        layout->addWidget(m_outro);
        m_texto->SetDataSource(&m_dados->Fonte);
        m_texto->SetDataField(QStringLiteral("ITEMMARCA"));
        m_valor->SetDataSource(&m_dados->Fonte);
        m_valor->SetDataField(QStringLiteral("VlCotado"));
        m_janela->show();
        QVERIFY(QTest::qWaitForWindowActive(m_janela.get()));
    }

    void cleanup()
    {
        m_janela.reset();
        m_dados.reset();
    }

    void settingsReadWithinTheirRanges_data()
    {
        QTest::addColumn<bool>("definido");
        QTest::addColumn<int>("dado");
        QTest::addColumn<int>("casas");
        QTest::addColumn<int>("digitos");
        QTest::newRow("at creation") << false << 0 << 2 << 14;
        QTest::newRow("zero") << true << 0 << 0 << 14;
        QTest::newRow("one") << true << 1 << 1 << 1;
        QTest::newRow("fourteen") << true << 14 << 14 << 14;
        QTest::newRow("fifteen") << true << 15 << 0 << 14;
        QTest::newRow("negative") << true << -1 << 0 << 14;
    }

    void settingsReadWithinTheirRanges()
    {
        QFETCH(bool, definido);
        QFETCH(int, dado);
        QFETCH(int, casas);
        QFETCH(int, digitos);
        TDBValor controle;
        if (definido) {
            controle.SetCasasDecimais(dado);
            controle.SetNumeroDigitos(dado);
        }
        QCOMPARE(controle.CasasDecimais(), casas);
        QCOMPARE(controle.NumeroDigitos(), digitos);
        QVERIFY(!controle.AceitaNegativo());
        QVERIFY(!controle.AceitaNulo());
    }

    // Every rule of the key filter: text, caret or selection, typed character, settings, and
    // the text left once the key is released.
    void keyFilter_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("inicio");
        QTest::addColumn<int>("selecao");
        QTest::addColumn<QString>("tecla");
        QTest::addColumn<int>("casas");
        QTest::addColumn<bool>("negativo");
        QTest::addColumn<int>("digitos");
        QTest::addColumn<QString>("esperado");

        const auto caso
            = [](const char *nome, const char *texto, int inicio, int selecao, const char *tecla,
                  int casas, bool negativo, int digitos, const char *esperado) {
                  QTest::newRow(nome)
                      << QString::fromUtf8(texto) << inicio << selecao << QString::fromUtf8(tecla)
                      << casas << negativo << digitos << QString::fromUtf8(esperado);
              };
        // Room left in the text.
        caso("e refused", "12", 2, 0, "e", 2, true, 14, "12");
        caso("E refused", "12", 2, 0, "E", 2, true, 14, "12");
        caso("plus refused", "12", 2, 0, "+", 2, true, 14, "12");
        caso("minus not accepted", "123", 3, 0, "-", 2, false, 14, "123");
        caso("minus moves to the front", "123", 3, 0, "-", 2, true, 14, "-123");
        caso("second minus", "-12", 3, 0, "-", 2, true, 14, "-12");
        caso("minus after full decimals", "1,23", 4, 0, "-", 2, true, 14, "1,23");
        caso("separator over a selection holding it", "12,34", 2, 2, ".", 2, false, 14, "12,4");
        caso("separator over a selection without it", "12,34", 0, 1, ",", 2, false, 14, "12,34");
        caso("digit over a selection", "12,34", 3, 2, "5", 2, false, 14, "12,5");
        caso("second separator", "1,2", 0, 0, ".", 2, false, 14, "1,2");
        caso("digit before the separator", "12,34", 1, 0, "5", 2, false, 14, "152,34");
        caso("digit after full decimals", "12,34", 5, 0, "5", 2, false, 14, "12,34");
        caso("digit after the separator", "12,3", 4, 0, "5", 2, false, 14, "12,35");
        caso("full stop with two digits to its right", "1234", 2, 0, ".", 2, false, 14, "12,34");
        caso("comma with two digits to its right", "1234", 2, 0, ",", 2, false, 14, "12,34");
        caso("full stop with three digits to its right", "1234", 1, 0, ".", 2, false, 14, "1234");
        caso("separator counts after a selection", "1234", 0, 2, ".", 2, false, 14, ",34");
        caso("no decimals: separator at the end", "12", 2, 0, ".", 0, false, 14, "12,");
        caso("no decimals: digit after the separator", "12,", 3, 0, "5", 0, false, 14, "12,");
        caso("other characters pass", "12", 2, 0, "x", 2, false, 14, "12x");
        // The text is as long as it may be.
        caso("full: no selection", "12345678901234", 14, 0, "5", 2, false, 14, "12345678901234");
        caso("full: digit over a selection", "12345678901234", 0, 2, "9", 2, false, 14,
            "9345678901234");
        caso("full: separator over the one selected", "12,34", 2, 2, ".", 2, false, 5, "12,4");
        caso("full: separator held elsewhere", "12,34", 0, 1, ".", 2, false, 5, "12,34");
        caso("full: separator with room", "1234", 2, 1, ".", 2, false, 4, "12,4");
        caso("full: separator without room", "1234", 0, 1, ".", 2, false, 4, "1234");
        caso("full: e over a selection", "123", 0, 1, "e", 2, true, 3, "123");
        caso("full: minus over a selection", "123", 0, 1, "-", 2, true, 3, "-23");
        caso("full: minus not accepted", "123", 0, 1, "-", 2, false, 3, "123");
        caso("full: digits count sign and separator", "-1,2", 4, 0, "5", 2, true, 4, "-1,2");
    }

    void keyFilter()
    {
        QFETCH(QString, texto);
        QFETCH(int, inicio);
        QFETCH(int, selecao);
        QFETCH(QString, tecla);
        QFETCH(int, casas);
        QFETCH(bool, negativo);
        QFETCH(int, digitos);
        QFETCH(QString, esperado);
        m_texto->SetCasasDecimais(casas);
        m_texto->SetAceitaNegativo(negativo);
        m_texto->SetNumeroDigitos(digitos);
        Preparar(texto, inicio, selecao);
        ContadorBip bips;
        QTest::keyClick(m_texto, tecla.at(0).toLatin1());
        QCOMPARE(m_texto->text(), esperado);
        const bool recusado = esperado == texto;
        QCOMPARE(bips.Bips(), recusado ? 1 : 0);
        QCOMPARE(m_dados->Tabela.State(), recusado ? dsBrowse : dsEdit);
    }

    // After the filter the field has its say: a real field takes no letters.
    void realFieldRefusesLetters()
    {
        ContadorBip bips;
        m_valor->setFocus();
        m_valor->setCursorPosition(m_valor->text().size());
        const QString antes = m_valor->text();
        QTest::keyClick(m_valor, 'x');
        QCOMPARE(m_valor->text(), antes);
        QCOMPARE(bips.Bips(), 1);
        QCOMPARE(m_dados->Tabela.State(), dsBrowse);
    }

    // A refused change is dropped without a beep, before the filter looks at it.
    void refusedChangeIsSilent()
    {
        ContadorBip bips;
        m_texto->OnBeforeChange() = [](QObject *, bool &cancela) { cancela = true; };
        Preparar(QStringLiteral("12"), 2, 0);
        QTest::keyClicks(m_texto, QStringLiteral("3e"));
        QCOMPARE(m_texto->text(), QStringLiteral("12"));
        QCOMPARE(bips.Bips(), 0);
    }

    // The paste filter looks at the characters and the decimal places only.
    void pasteFilter_data()
    {
        QTest::addColumn<QString>("colado");
        QTest::addColumn<bool>("negativo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("a number") << QStringLiteral("1,23") << false << QString()
                                  << QStringLiteral("1,23");
        QTest::newRow("three decimal places")
            << QStringLiteral("1,234") << false << QString() << QString();
        QTest::newRow("a letter") << QStringLiteral("12a") << false << QString() << QString();
        QTest::newRow("a full stop") << QStringLiteral("1.5") << false << QString() << QString();
        QTest::newRow("minus not accepted")
            << QStringLiteral("-5") << false << QString() << QString();
        QTest::newRow("minus accepted")
            << QStringLiteral("-5") << true << QString() << QStringLiteral("-5");
        QTest::newRow("longer than the digits")
            << QStringLiteral("1234567890123456789") << false << QString()
            << QStringLiteral("1234567890123456789");
        QTest::newRow("a second separator")
            << QStringLiteral(",5") << false << QStringLiteral("1,") << QStringLiteral("1,,5");
    }

    void pasteFilter()
    {
        QFETCH(QString, colado);
        QFETCH(bool, negativo);
        QFETCH(QString, texto);
        QFETCH(QString, esperado);
        m_texto->SetAceitaNegativo(negativo);
        Preparar(texto, int(texto.size()), 0);
        QApplication::clipboard()->setText(colado);
        ContadorBip bips;
        QTest::keyClick(m_texto, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(m_texto->text(), esperado);
        QCOMPARE(bips.Bips(), esperado == texto ? 1 : 0);
    }

    // Left empty while its row is in edit, the control stores 0 unless it takes nulls.
    void emptyTextBecomesZeroOnLeaving_data()
    {
        QTest::addColumn<bool>("aceitaNulo");
        QTest::addColumn<bool>("nulo");
        QTest::newRow("zero") << false << false;
        QTest::newRow("null accepted") << true << true;
    }

    void emptyTextBecomesZeroOnLeaving()
    {
        QFETCH(bool, aceitaNulo);
        QFETCH(bool, nulo);
        m_valor->SetAceitaNulo(aceitaNulo);
        m_valor->setFocus();
        m_valor->selectAll();
        QTest::keyClick(m_valor, Qt::Key_Backspace);
        QCOMPARE(m_valor->text(), QString());
        m_outro->setFocus();
        TField &campo = m_dados->Campo("VlCotado");
        QCOMPARE(campo.IsNull(), nulo);
        QCOMPARE(campo.AsFloat(), 0.0);
        QCOMPARE(m_valor->text(), nulo ? QString() : QStringLiteral("0"));
    }

    // Out of edit, or on a field that cannot change, an empty text is left alone.
    void emptyTextStaysWhenTheRowIsNotEdited()
    {
        m_dados->Tabela.Edit();
        m_dados->Campo("VlCotado").Clear();
        m_dados->Campo("VlCotado").SetReadOnly(true);
        m_valor->setFocus();
        m_outro->setFocus();
        QVERIFY(m_dados->Campo("VlCotado").IsNull());
    }
};

QTEST_MAIN(TestDbvalor)
#include "test_Dbvalor.moc"
