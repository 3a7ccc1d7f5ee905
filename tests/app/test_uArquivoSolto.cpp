#include "app/uArquivoSolto.h"
#include "app/uPrincipal.h"
#include "exchange/uVTExpImpCotacao.h"
#include "support/CotacaoTeste.h"
#include "support/MensagemGravador.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<QMimeData> Arrastado(const QList<QUrl> &urls)
{
    auto dados = std::make_unique<QMimeData>();
    if (!urls.isEmpty())
        dados->setUrls(urls);
    else
        dados->setText(u"/tmp/Cotacao.kvt"_s);
    return dados;
}

QUrl Local(const char *caminho)
{
    return QUrl::fromLocalFile(QString::fromUtf8(caminho));
}

} // namespace

class TestArquivoSolto : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theFirstLocalQuotationFile_data()
    {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<QString>("arquivo");
        QTest::newRow("one file") << QList<QUrl> {Local("/tmp/Cotacao.kvt")}
                                  << u"/tmp/Cotacao.kvt"_s;
        QTest::newRow("any letter case")
            << QList<QUrl> {Local("/tmp/COT-7-2024.KvT")} << u"/tmp/COT-7-2024.KvT"_s;
        QTest::newRow("several: the first quotation file")
            << QList<QUrl> {Local("/tmp/leia-me.txt"), Local("/tmp/b.kvt"), Local("/tmp/c.kvt")}
            << u"/tmp/b.kvt"_s;
        QTest::newRow("another kind of file")
            << QList<QUrl> {Local("/tmp/Cotacao.kvt.zip")} << QString();
        QTest::newRow("not a local file")
            << QList<QUrl> {QUrl(u"https://exemplo.gov.br/Cotacao.kvt"_s)} << QString();
        QTest::newRow("text, no file") << QList<QUrl> {} << QString();
    }

    void theFirstLocalQuotationFile()
    {
        QFETCH(QList<QUrl>, urls);
        QFETCH(QString, arquivo);
        QCOMPARE(ArquivoCotacaoSolto(Arrastado(urls).get()), arquivo);
    }

    // The window takes a quotation file and opens it as the open dialog would; it refuses
    // anything else.
    void aFileDroppedOnTheWindowOpens_data()
    {
        QTest::addColumn<bool>("cotacao");
        QTest::newRow("quotation file") << true;
        QTest::newRow("other file") << false;
    }

    void aFileDroppedOnTheWindowOpens()
    {
        QFETCH(bool, cotacao);
        const MensagemGravador gravador;
        QTemporaryDir pasta;
        const QString licitacao
            = GravarArquivoCotacao(*LicitacaoTeste(), pasta.path(), u"Licitacao"_s);
        const QString caminho = cotacao ? licitacao : licitacao + u".txt"_s;
        TfmCotacao janela;
        janela.EscolherArquivo = [] {
            QTest::qFail("the open dialog was shown", __FILE__, __LINE__);
            return QString();
        };
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        const std::unique_ptr<QMimeData> dados = Arrastado({QUrl::fromLocalFile(caminho)});
        const QPoint ponto = janela.rect().center();

        QDragEnterEvent entrada(ponto, Qt::CopyAction, dados.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&janela, &entrada);
        QCOMPARE(entrada.isAccepted(), cotacao);
        QDropEvent solto(ponto, Qt::CopyAction, dados.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&janela, &solto);
        QCOMPARE(solto.isAccepted(), cotacao);

        const QString titulo
            = cotacao ? u"Varenta-Cotação 2.0 - Licitação: 7/2024"_s : u"Varenta-Cotação 2.0"_s;
        QTRY_COMPARE(janela.windowTitle(), titulo);
        QTest::qWait(20);
        QCOMPARE(janela.windowTitle(), titulo);
        QVERIFY(gravador.Mensagens().isEmpty());
    }
};

QTEST_MAIN(TestArquivoSolto)
#include "test_uArquivoSolto.moc"
