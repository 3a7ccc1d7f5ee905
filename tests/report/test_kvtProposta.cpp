#include "CotacaoTeste.h"
#include "PdfTeste.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct TResultado
{
    int Status;
    QString Erro;
};

TResultado Kvt(const QStringList &argumentos)
{
    QProcess kvt;
    kvt.start(QStringLiteral(KVT_EXECUTAVEL), argumentos);
    if (!kvt.waitForFinished(60000))
        return {-1, QString()};
    return {kvt.exitCode(), QString::fromUtf8(kvt.readAllStandardError())};
}

} // namespace

class TestKvtProposta : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_pasta;

    QString Caminho(const QString &nome) const { return m_pasta.filePath(nome); }

    QString Gravar(const QString &nome, const QByteArray &conteudo) const
    {
        QFile arquivo(Caminho(nome));
        if (arquivo.open(QIODevice::WriteOnly))
            arquivo.write(conteudo);
        return arquivo.fileName();
    }

private Q_SLOTS:
    void propostaComFornecedor()
    {
        const QString kvt
            = GravarArquivoCotacao(*LicitacaoDeUmItem(), m_pasta.path(), QStringLiteral("lic"));
        const QString fornecedor = Gravar(QStringLiteral("fornecedor.json"),
            R"({"FORRAZAOSOCIAL": "Papelaria Aurora Ltda", "FORCEP": "85000-000"})");
        const QString pdf = Caminho(QStringLiteral("proposta.pdf"));

        const TResultado resultado = Kvt({QStringLiteral("proposta"), kvt, pdf, fornecedor});

        QVERIFY2(resultado.Status == 0, qPrintable(resultado.Erro));
        const QString texto = TextoDoPdf(pdf);
        for (const char *trecho : {"Pregão nº 12/2023", "Papelaria Aurora Ltda", "85000-000",
                 "Caneta esferográfica azul", "1,50000"})
            QVERIFY2(texto.contains(QString::fromUtf8(trecho)), trecho);

        // A label ends where its value begins: "CEP:" stands right beside the number.
        const QRectF rotulo = CaixaDaPalavra(pdf, QStringLiteral("CEP:"));
        const QRectF valor = CaixaDaPalavra(pdf, QStringLiteral("85000-000"));
        QVERIFY(!rotulo.isNull() && !valor.isNull());
        QCOMPARE_GT(valor.left() - rotulo.right(), 0.0);
        QCOMPARE_LT(valor.left() - rotulo.right(), 3.0);
        QCOMPARE_LT(qAbs(valor.top() - rotulo.top()), 1.0);
    }

    void semFornecedorImprimeOsRotulos()
    {
        const QString kvt
            = GravarArquivoCotacao(*LicitacaoDeUmItem(), m_pasta.path(), QStringLiteral("sem"));
        const QString pdf = Caminho(QStringLiteral("sem.pdf"));

        QCOMPARE(Kvt({QStringLiteral("proposta"), kvt, pdf}).Status, 0);

        const QString texto = TextoDoPdf(pdf);
        QVERIFY(texto.contains(QStringLiteral("Razão social:")));
        QVERIFY(texto.contains(QStringLiteral("11.222.333/0001-81")));
    }

    void recusas_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("erro");
        QTest::newRow("pesquisa de preços")
            << QStringLiteral("pesquisa") << 1 << QStringLiteral("erro: Uma pesquisa de preços");
        QTest::newRow("campo desconhecido") << QStringLiteral(
            "campo") << 1 << QStringLiteral("erro: O fornecedor não tem o campo FORXYZ.");
        QTest::newRow("arquivo inexistente")
            << QStringLiteral("inexistente") << 1 << QStringLiteral("erro: ");
        QTest::newRow("argumento faltando") << QStringLiteral("uso") << 2 << QStringLiteral("Uso:");
    }

    void recusas()
    {
        QFETCH(QString, caso);
        auto pesquisa = LicitacaoDeUmItem();
        pesquisa->TipoCotacao = tcPesquisa;
        pesquisa->PesquisaCodigo = 57;
        const QString kvt = GravarArquivoCotacao(
            caso == QLatin1String("pesquisa") ? *pesquisa : *LicitacaoDeUmItem(), m_pasta.path(),
            caso);
        const QString fornecedor = Gravar(caso + QStringLiteral(".json"), R"({"FORXYZ": "x"})");
        const QString pdf = Caminho(caso + QStringLiteral(".pdf"));
        QStringList argumentos {QStringLiteral("proposta"), kvt, pdf};
        if (caso == QLatin1String("campo"))
            argumentos << fornecedor;
        else if (caso == QLatin1String("inexistente"))
            argumentos[1] = Caminho(QStringLiteral("nao-existe.kvt"));
        else if (caso == QLatin1String("uso"))
            argumentos.removeLast();

        const TResultado resultado = Kvt(argumentos);

        QTEST(resultado.Status, "status");
        QFETCH(QString, erro);
        QVERIFY2(resultado.Erro.contains(erro), qPrintable(resultado.Erro));
        QVERIFY(!QFile::exists(pdf));
    }
};

QTEST_MAIN(TestKvtProposta)
#include "test_kvtProposta.moc"
