#include "app/uPrincipal.h"
#include "support/MensagemGravador.h"

#include <QAction>
#include <QKeySequence>
#include <QTest>

using namespace Qt::StringLiterals;

class TestAtalhos : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fileCommandsHaveTheirKeys_data()
    {
        QTest::addColumn<QString>("comando");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QKeySequence>("atalho");
        QTest::newRow("open") << u"mnAbrir"_s << u"&Abrir..."_s << QKeySequence(u"Ctrl+O"_s);
        QTest::newRow("save") << u"mnSalvar"_s << u"&Salvar..."_s << QKeySequence(u"Ctrl+S"_s);
        QTest::newRow("print") << u"mnImprimir"_s << u"&Imprimir..."_s << QKeySequence(u"Ctrl+P"_s);
        QTest::newRow("quit") << u"mnSair"_s << u"Sai&r"_s << QKeySequence(u"Ctrl+Q"_s);
    }

    void fileCommandsHaveTheirKeys()
    {
        QFETCH(QString, comando);
        QFETCH(QString, texto);
        QFETCH(QKeySequence, atalho);
        TfmCotacao janela;
        auto *acao = janela.findChild<QAction *>(comando);
        QCOMPARE(acao->text(), texto);
        QCOMPARE(acao->shortcut(), atalho);
    }

    // The keys work from the window: Ctrl+O asks for a file, Ctrl+Q closes the window.
    void keysActOnTheWindow()
    {
        const MensagemGravador gravador;
        TfmCotacao janela;
        int perguntas = 0;
        janela.EscolherArquivo = [&perguntas] {
            ++perguntas;
            return QString();
        };
        janela.show();
        janela.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&janela));
        QTest::keyClick(&janela, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(perguntas, 1);
        QVERIFY(janela.isVisible());
        QTest::keyClick(&janela, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!janela.isVisible());
        QVERIFY(gravador.Mensagens().isEmpty());
    }
};

QTEST_MAIN(TestAtalhos)
#include "test_uAtalhos.moc"
