#include "CotacaoTeste.h"
#include "PdfTeste.h"
#include "exchange/uVTExpImpCotacao.h"
#include "report/uImpressaoCotacao.h"
#include "report/ufmQRCotacao.h"
#include "support/MensagemGravador.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Impressora = QStringLiteral("VarentaPDF");
// An ordinary laser printer: its driver declares a border it cannot print on and Letter paper.
const QString ImpressoraPCL = QStringLiteral("VarentaPCL");

// Where cups-pdf writes what it prints: its "Out" folder, the user's ~/PDF by default.
QString PastaCupsPdf()
{
    QString pasta = QStringLiteral("${HOME}/PDF");
    QFile configuracao(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (configuracao.open(QIODevice::ReadOnly)) {
        const QRegularExpression out(
            QStringLiteral("^Out\\s+(\\S+)"), QRegularExpression::MultilineOption);
        const auto achado = out.match(QString::fromUtf8(configuracao.readAll()));
        if (achado.hasMatch())
            pasta = achado.captured(1);
    }
    return pasta.replace(QLatin1String("${HOME}"), QDir::homePath());
}

// The PDF files of the folder written since the given moment. Every test server numbers its
// jobs from 1, so a file of an earlier run may carry the very name of the new one.
QStringList PdfsEm(const QString &pasta, const QDateTime &desde)
{
    QStringList pdfs;
    const QFileInfoList arquivos
        = QDir(pasta).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files);
    for (const QFileInfo &arquivo : arquivos) {
        if (arquivo.lastModified() >= desde)
            pdfs.append(arquivo.fileName());
    }
    return pdfs;
}

// Accepts the dialog on a test printer after the given change of its settings.
void EscolherNaImpressora(
    std::function<void(QPrinter &)> escolha = {}, const QString &nome = Impressora)
{
    InstalarDialogoImpressao([escolha, nome](QPrintDialog &, QPrinter &impressora) {
        impressora.setPrinterName(nome);
        if (escolha)
            escolha(impressora);
        return int(QDialog::Accepted);
    });
}

} // namespace

class TestImpressaoCotacao : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_pasta;
    TTabelasCotacao m_tabelas;
    TExpImpCotacao m_controlador;
    QStringList m_passos;

    TJanelaImpressao Janela()
    {
        return {[this] { m_passos << QStringLiteral("salvar"); },
            [this] { m_passos << QStringLiteral("guardar"); },
            [this] { m_passos << QStringLiteral("restaurar"); }};
    }

    void Abrir(const TDadosCotacao &cotacao)
    {
        AbrirCotacao(GravarArquivoCotacao(cotacao, m_pasta.path(), QStringLiteral("lic")),
            m_controlador, m_tabelas);
    }

private Q_SLOTS:
    void initTestCase()
    {
        const QStringList impressoras = QPrinterInfo::availablePrinterNames();
        if (!impressoras.contains(Impressora) || !impressoras.contains(ImpressoraPCL)) {
            // CI installs and starts everything these tests need: a skip there hides a fault.
            if (qEnvironmentVariableIsSet("CI"))
                QFAIL("sem as impressoras de teste: o servidor CUPS de teste não está no ar "
                      "(scripts/cups-teste diz por quê)");
            QSKIP("sem as impressoras de teste: o servidor CUPS de teste não está no ar "
                  "(scripts/cups-teste diz por quê)");
        }
        QVERIFY(m_pasta.isValid());
        Abrir(*LicitacaoDeUmItem());
    }

    void init() { m_passos.clear(); }

    void cleanup() { InstalarDialogoImpressao({}); }

    void dialogoComecaNaImpressoraAtual()
    {
        TfmQRCotacao relatorio(m_tabelas);
        QPrinter impressora;
        struct
        {
            bool visto = false;
            int minimo = 0, maximo = 0, copias = 0;
            bool intervalo = false;
            QPageLayout layout;
            QString impressora;
        } dialogo;
        InstalarDialogoImpressao([&dialogo](QPrintDialog &d, QPrinter &escolhida) {
            dialogo = {true, d.minPage(), d.maxPage(), escolhida.copyCount(),
                d.testOption(QAbstractPrintDialog::PrintPageRange), escolhida.pageLayout(),
                escolhida.printerName()};
            return int(QDialog::Rejected);
        });

        QVERIFY(!ConfigurarImpressao(1, relatorio.qrPrincipal, impressora));

        QVERIFY(dialogo.visto);
        QCOMPARE(dialogo.minimo, 1);
        QCOMPARE(dialogo.maximo, 9999);
        QVERIFY(dialogo.intervalo);
        QCOMPARE(dialogo.copias, 1);
        QCOMPARE(dialogo.layout.orientation(), QPageLayout::Portrait);
        QCOMPARE(dialogo.layout.pageSize().id(), QPageSize::A4);
        QVERIFY(!dialogo.impressora.isEmpty());
    }

    void margensPeloPapelEscolhido_data()
    {
        QTest::addColumn<int>("papel");
        QTest::addColumn<int>("orientacao");
        QTest::addColumn<double>("esquerda");
        QTest::addColumn<double>("direita");
        QTest::newRow("A4 paisagem")
            << int(QPageSize::A4) << int(QPageLayout::Landscape) << 20.0 << 20.0;
        QTest::newRow("A4 retrato")
            << int(QPageSize::A4) << int(QPageLayout::Portrait) << 10.0 << 10.0;
        QTest::newRow("Carta paisagem")
            << int(QPageSize::Letter) << int(QPageLayout::Landscape) << 10.0 << 16.0;
        QTest::newRow("Carta retrato")
            << int(QPageSize::Letter) << int(QPageLayout::Portrait) << 10.0 << 10.0;
        QTest::newRow("outro papel")
            << int(QPageSize::A5) << int(QPageLayout::Landscape) << 10.0 << 10.0;
    }

    void margensPeloPapelEscolhido()
    {
        QFETCH(int, papel);
        QFETCH(int, orientacao);
        TfmQRCotacao relatorio(m_tabelas);
        QPrinter impressora;
        EscolherNaImpressora([&](QPrinter &p) {
            p.setPageSize(QPageSize(QPageSize::PageSizeId(papel)));
            p.setPageOrientation(QPageLayout::Orientation(orientacao));
            p.setCopyCount(2);
            p.setPrintRange(QPrinter::PageRange);
            p.setFromTo(2, 3);
        });

        QVERIFY(ConfigurarImpressao(1, relatorio.qrPrincipal, impressora));

        const TRelatorio &r = relatorio.qrPrincipal;
        QTEST(r.MargemEsquerda, "esquerda");
        QTEST(r.MargemDireita, "direita");
        QCOMPARE(int(r.Papel), papel);
        QCOMPARE(int(r.Orientacao), orientacao);
        QCOMPARE(r.Copias, 2);
        QCOMPARE(r.PrimeiraPagina, 2);
        QCOMPARE(r.UltimaPagina, 3);
        QCOMPARE(r.MargemSuperior, 10.0);
        QCOMPARE(ImpressoraAtual(), Impressora);
    }

    void imprimeNaImpressoraPdf()
    {
        const QString pasta = PastaCupsPdf();
        const QDateTime inicio = QDateTime::currentDateTime().addSecs(-1);
        MensagemGravador gravador;
        EscolherNaImpressora();

        ImprimirCotacao(m_tabelas, Janela(), nullptr);

        QCOMPARE(m_passos, Lista({"salvar", "guardar", "restaurar"}));
        QVERIFY2(gravador.Mensagens().isEmpty(), qPrintable(gravador.Textos().join(u'\n')));
        const auto novos = [&] { return PdfsEm(pasta, inicio); };
        QTRY_VERIFY_WITH_TIMEOUT(!novos().isEmpty(), 30000);
        const QString impresso = QDir(pasta).filePath(novos().first());
        // cups-pdf writes the file while it converts the job.
        QTRY_COMPARE_WITH_TIMEOUT(PaginasDoPdf(impresso), 1, 30000);
        QProcess pdfinfo;
        pdfinfo.start(QStringLiteral("pdfinfo"), {impresso});
        QVERIFY(pdfinfo.waitForFinished());
        QVERIFY(
            QString::fromUtf8(pdfinfo.readAllStandardOutput()).contains(QStringLiteral("(A4)")));
        QFile::remove(impresso);
    }

    void imprimeNumaImpressoraComMargens()
    {
        const QString saida = qEnvironmentVariable("VARENTA_CUPS_PCL");
        QFile::remove(saida);
        MensagemGravador gravador;
        EscolherNaImpressora({}, ImpressoraPCL);

        ImprimirCotacao(m_tabelas, Janela(), nullptr);

        QCOMPARE(m_passos, Lista({"salvar", "guardar", "restaurar"}));
        QVERIFY2(gravador.Mensagens().isEmpty(), qPrintable(gravador.Textos().join(u'\n')));
        // The driver turns the job into the printer's own language, PCL XL.
        const auto trabalho = [&] {
            QFile arquivo(saida);
            return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
        };
        QTRY_VERIFY_WITH_TIMEOUT(trabalho().contains(") HP-PCL XL"), 60000);
    }

    void cancelarNaoImprime()
    {
        MensagemGravador gravador;
        InstalarDialogoImpressao([](QPrintDialog &, QPrinter &) { return int(QDialog::Rejected); });

        ImprimirCotacao(m_tabelas, Janela(), nullptr);

        QCOMPARE(m_passos, Lista({"salvar"}));
        QVERIFY(gravador.Mensagens().isEmpty());
    }

    void falhaNaImpressaoEMostradaComDetalhes()
    {
        auto cotacao = LicitacaoDeUmItem();
        cotacao->ObjetoResumido
            = TextoEmHexa(QString(60, QLatin1Char('x')).append(QLatin1Char(' ')).repeated(200));
        Abrir(*cotacao);
        MensagemGravador gravador;
        EscolherNaImpressora();

        ImprimirCotacao(m_tabelas, Janela(), nullptr);

        QCOMPARE(m_passos, Lista({"salvar", "guardar", "restaurar"}));
        QCOMPARE(gravador.Mensagens().size(), 2);
        const TMensagem &problema = gravador.Mensagens().last();
        QCOMPARE(problema.Tipo, tmErro);
        QCOMPARE(problema.Titulo, QStringLiteral("Atenção"));
        QCOMPARE(problema.Texto,
            QStringLiteral("Problemas com a impressão:\n\nExistem problemas com a impressora "
                           "escolhida\nou a(s) página(s) escolhida(s) não existe(m)."));
        QCOMPARE(problema.Detalhes, gravador.Mensagens().first().Texto);
        QVERIFY(!problema.DetalhesAbertos);
        Abrir(*LicitacaoDeUmItem());
    }
};

QTEST_MAIN(TestImpressaoCotacao)
#include "test_uImpressaoCotacao.moc"
