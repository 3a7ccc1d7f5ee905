#include "app/uAjuda.h"
#include "app/uPrincipal.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

using namespace Qt::StringLiterals;

class TestAjuda : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_janela = std::make_unique<TfmCotacao>();
        m_janela->show();
        m_janela->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_janela.get()));
    }

    void cleanup() { m_janela.reset(); }

    void theHelpMenuFollowsTheFileMenu()
    {
        QStringList menus;
        for (QAction *menu : m_janela->menuBar()->actions())
            menus.append(menu->text());
        QCOMPARE(menus.indexOf(u"Ajuda"_s), menus.indexOf(u"Arquivo"_s) + 1);
        QStringList comandos;
        for (QAction *comando : m_janela->findChild<QMenu *>(u"mnAjuda"_s)->actions())
            comandos.append(comando->text() + u'|' + comando->shortcut().toString());
        QCOMPARE(comandos, QStringList({u"Como usar|F1"_s, u"Sobre o Varenta-Cotação|"_s}));
    }

    // F1 shows the guide with its sections and pictures; pressed again, it brings the same
    // window forward; the guide leaves the main window usable.
    void f1ShowsTheGuide()
    {
        QTest::keyClick(m_janela.get(), Qt::Key_F1);
        auto *guia = m_janela->findChild<TfmComoUsar *>();
        QVERIFY(guia);
        QVERIFY(guia->isVisible());
        QVERIFY(!guia->isModal());
        QCOMPARE(guia->windowTitle(), u"Como usar"_s);
        auto *texto = guia->findChild<QTextBrowser *>(u"txtComoUsar"_s);
        QVERIFY(texto->isReadOnly());
        const QString guiaTexto = texto->toPlainText();
        for (const QString &secao :
            {u"1. Abrir o arquivo"_s, u"2. Responder aos itens"_s, u"3. Conferir antes de enviar"_s,
                u"4. Salvar e enviar"_s, u"5. Imprimir a proposta"_s, u"Conferir proposta..."_s,
                u"Salvar em outra pasta..."_s, u"COT-"_s})
            QVERIFY2(guiaTexto.contains(secao), qPrintable(secao));
        for (const char *figura :
            {"janela-principal.png", "fornecedor.png", "conferir-proposta.png", "proposta.png"}) {
            const QVariant imagem = texto->document()->resource(
                QTextDocument::ImageResource, QUrl(QLatin1String(figura)));
            QVERIFY2(!imagem.value<QImage>().isNull() || !imagem.toByteArray().isEmpty(), figura);
        }

        QTest::keyClick(m_janela.get(), Qt::Key_F1);
        QCOMPARE(m_janela->findChildren<TfmComoUsar *>().size(), 1);
        QTest::mouseClick(guia->findChild<QPushButton *>(u"btFechar"_s), Qt::LeftButton);
        QTRY_VERIFY(!m_janela->findChild<TfmComoUsar *>());
    }

    void aboutShowsTheVersion()
    {
        auto *menu = m_janela->findChild<QMenu *>(u"mnAjuda"_s);
        menu->findChild<QAction *>(u"mnSobre"_s)->trigger();
        auto *sobre = m_janela->findChild<QMessageBox *>(u"fmSobre"_s);
        QVERIFY(sobre);
        QTRY_VERIFY(sobre->isVisible());
        QCOMPARE(sobre->windowTitle(), u"Sobre o Varenta-Cotação"_s);
        QVERIFY(sobre->text().contains(u"Varenta-Cotação"_s));
        QVERIFY(sobre->text().contains(u"Versão 2.0.0"_s));
        QCOMPARE(sobre->buttons().size(), 1);
        QCOMPARE(sobre->buttons().constFirst()->text(), u"&Fechar"_s);
        QTest::mouseClick(sobre->findChild<QPushButton *>(u"btFechar"_s), Qt::LeftButton);
        QTRY_VERIFY(!m_janela->findChild<QMessageBox *>(u"fmSobre"_s));
    }

private:
    std::unique_ptr<TfmCotacao> m_janela;
};

QTEST_MAIN(TestAjuda)
#include "test_uAjuda.moc"
