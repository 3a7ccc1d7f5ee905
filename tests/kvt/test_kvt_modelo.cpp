#include "exchange/uVTExpImpCotacao.h"
#include "exchange/uVTExpImpCotacaoComum.h"
#include "exchange/uVTExpImpCotacaoValidacoes.h"
#include "model/uVTExpImpCotacaoDados.h"
#include "support/ArquivosTeste.h"
#include "support/ImpressaoQt.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ResultadoKvt
{
    int status;
    QString saida;
    QStringList erro; // the lines of standard error
};

// kvt runs with a temporary location of its own, so that what it leaves there shows.
class KvtModelo : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_pasta.isValid());
        ASSERT_TRUE(QDir(m_pasta.path()).mkdir(QStringLiteral("tmp")));
    }

    QString Caminho(const QString &nome) const { return m_pasta.filePath(nome); }

    ResultadoKvt Kvt(const QStringList &argumentos) const
    {
        QProcess kvt;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("TMPDIR"), Caminho(QStringLiteral("tmp")));
        kvt.setProcessEnvironment(ambiente);
        kvt.start(QStringLiteral(KVT_EXECUTAVEL), argumentos);
        EXPECT_TRUE(kvt.waitForFinished(30000));
        EXPECT_TRUE(ArquivosEm(Caminho(QStringLiteral("tmp"))).isEmpty());
        EXPECT_TRUE(QDir(Caminho(QStringLiteral("tmp")))
                        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                        .isEmpty());
        return {kvt.exitCode(), QString::fromUtf8(kvt.readAllStandardOutput()),
            QString::fromUtf8(kvt.readAllStandardError())
                .split(QLatin1Char('\n'), Qt::SkipEmptyParts)};
    }

    // Writes the model's document as a save would and packs it as NOME.kvt.
    QString Gravar(const TDadosCotacao &cotacao, const QString &nome) const
    {
        GravarDocumento(DocumentoDaCotacao(cotacao), Caminho(nome));
        EXPECT_TRUE(CompactarArquivo(
            TextoParaVersao(VERSAO_ARQUIVO_COTACAO), m_pasta.path(), Caminho(nome)));
        QFile::remove(Caminho(nome));
        return Caminho(nome + QStringLiteral(".kvt"));
    }

    QString GravarDocumentoBruto(const QByteArray &xml, const QString &nome) const
    {
        GravarArquivo(Caminho(nome), xml);
        EXPECT_TRUE(CompactarArquivo(
            TextoParaVersao(VERSAO_ARQUIVO_COTACAO), m_pasta.path(), Caminho(nome)));
        QFile::remove(Caminho(nome));
        return Caminho(nome + QStringLiteral(".kvt"));
    }

    QTemporaryDir m_pasta;
};

const QStringList LOG_DE_LEITURA = {
    QStringLiteral("Abrindo arquivo..."),
    QStringLiteral("Arquivo aberto com sucesso."),
    QStringLiteral("Validando arquivo..."),
    QStringLiteral("Arquivo validado com sucesso."),
    QStringLiteral("Carregando dados do arquivo..."),
};

} // namespace

TEST_F(KvtModelo, DumpPrintsEveryPropertyInOrderAsJson)
{
    TDadosCotacao cotacao;
    cotacao.EntidadeNome = QStringLiteral("Prefeitura de São José \"Centro\"");
    cotacao.NumeroAlfa = QStringLiteral("7/2024");
    cotacao.FormaJulgamento = QStringLiteral("Gi");
    cotacao.RegistroPrecos = true;
    cotacao.DataAbertura = 45000;
    cotacao.HoraAbertura = 0.375;
    cotacao.ValorTotalLicitado = 1234.5;
    cotacao.BrasaoRelatorio = QStringLiteral("FFD8");
    cotacao.SetGrupos(std::make_unique<TGrupos>());
    TGrupo &grupo = cotacao.Grupos()->Adicionar(std::make_unique<TGrupo>());
    grupo.Codigo = 2;
    grupo.Tratamento = 3;
    TItem &item = grupo.Itens().Adicionar(std::make_unique<TItem>());
    item.Codigo = 1;
    item.Marca = QStringLiteral("Acme €");
    item.Quantidade = 1e15;

    const ResultadoKvt dump
        = Kvt({QStringLiteral("dump"), Gravar(cotacao, QStringLiteral("Licitacao"))});
    ASSERT_EQ(dump.status, 0) << dump.erro.join(QLatin1Char('\n')).toStdString();

    QJsonParseError erro;
    const QJsonObject json = QJsonDocument::fromJson(dump.saida.toUtf8(), &erro).object();
    ASSERT_EQ(erro.error, QJsonParseError::NoError) << dump.saida.toStdString();
    EXPECT_EQ(json.value(QLatin1String("TipoCotacao")).toInt(-1), 0);
    EXPECT_EQ(json.value(QLatin1String("EntidadeNome")).toString(), cotacao.EntidadeNome);
    EXPECT_EQ(json.value(QLatin1String("NumeroAlfa")).toString(), QStringLiteral("7/2024"));
    EXPECT_EQ(json.value(QLatin1String("RegistroPrecos")), QJsonValue(true));
    EXPECT_EQ(json.value(QLatin1String("DataAbertura")).toDouble(), 45000);
    EXPECT_EQ(json.value(QLatin1String("HoraAbertura")).toDouble(), 0.375);
    EXPECT_EQ(json.value(QLatin1String("ValorTotalLicitado")).toDouble(), 1234.5);
    EXPECT_EQ(json.value(QLatin1String("BrasaoRelatorio")).toString(), QStringLiteral("FFD8"));
    EXPECT_TRUE(json.value(QLatin1String("Itens")).isNull());
    const QJsonArray grupos = json.value(QLatin1String("Grupos")).toArray();
    ASSERT_EQ(grupos.size(), 1);
    EXPECT_EQ(grupos.at(0)[QLatin1String("Tratamento")].toInt(), 3);
    const QJsonObject lido = grupos.at(0)[QLatin1String("Itens")].toArray().at(0).toObject();
    EXPECT_EQ(lido.value(QLatin1String("Marca")).toString(), QStringLiteral("Acme €"));
    EXPECT_EQ(lido.value(QLatin1String("Quantidade")).toDouble(), 1e15);

    const QStringList ordem = {QStringLiteral("TipoCotacao"), QStringLiteral("EntidadeCodigo"),
        QStringLiteral("EntidadeSerie"), QStringLiteral("EntidadeNome"),
        QStringLiteral("BrasaoRelatorio"), QStringLiteral("Ano"), QStringLiteral("Sequencia"),
        QStringLiteral("FormaJulgamento"), QStringLiteral("ObjetoResumido"),
        QStringLiteral("FormaEntrega"), QStringLiteral("PrazoEntrega"),
        QStringLiteral("LocalEntregaMatServ"), QStringLiteral("LocalEntregaProposta"),
        QStringLiteral("DataEntregaProposta"), QStringLiteral("HoraEntregaProposta"),
        QStringLiteral("CpfCnpjFornecedor"), QStringLiteral("ValorTotalCotado"),
        QStringLiteral("NumeroAlfa"), QStringLiteral("Modalidade"), QStringLiteral("TipoLicitacao"),
        QStringLiteral("Tratamento"), QStringLiteral("LocalAbertura"),
        QStringLiteral("DataAbertura"), QStringLiteral("HoraAbertura"),
        QStringLiteral("ValorTotalLicitado"), QStringLiteral("RegistroPrecos"),
        QStringLiteral("PesquisaCodigo"), QStringLiteral("DataEmissao"),
        QStringLiteral("Observacao"), QStringLiteral("Itens"), QStringLiteral("Grupos")};
    EXPECT_EQ(json.keys().size(), ordem.size());
    qsizetype anterior = -1;
    for (const QString &chave : ordem) {
        const qsizetype posicao
            = dump.saida.indexOf(QLatin1Char('"') + chave + QStringLiteral("\":"));
        EXPECT_GT(posicao, anterior) << chave.toStdString();
        anterior = posicao;
    }
}

TEST_F(KvtModelo, CheckSaysOkAndPrintsTheLogOfTheRead)
{
    TDadosCotacao pesquisa;
    pesquisa.TipoCotacao = tcPesquisa;
    pesquisa.FormaJulgamento = QStringLiteral("Pi");
    pesquisa.SetItens(std::make_unique<TItens>());
    // Only the folder and the base name of the file count, as in the program's open.
    Gravar(pesquisa, QStringLiteral("COT-PESQ-1.2"));

    const ResultadoKvt check
        = Kvt({QStringLiteral("check"), Caminho(QStringLiteral("COT-PESQ-1.2.xml"))});
    EXPECT_EQ(check.status, 0);
    EXPECT_EQ(check.saida, QStringLiteral("ok\n"));
    EXPECT_EQ(check.erro,
        LOG_DE_LEITURA
            + QStringList({QStringLiteral("Carregando itens do arquivo..."),
                QStringLiteral("Itens carregados com sucesso."),
                QStringLiteral("Dados carregados com sucesso.")}));
}

TEST_F(KvtModelo, CheckRefusesWhatTheOpenRefuses)
{
    const struct
    {
        const char *nome;
        QByteArray documento; // empty: no container at all
        const char *ultimoLog;
        const char *erro;
    } casos[] = {
        {"Ausente", QByteArray(), "[Erro] Não foi possível carregar o arquivo KVT.", nullptr},
        {"SemDados", "<cotacao/>", "[Erro] Arquivo inválido.", "erro: Arquivo inválido."},
        {"Quebrado", "<dados><cotacao>", "[Erro] Arquivo inválido.", "erro: Arquivo inválido."},
        {"ValorRuim", "<dados><cotacao><licano>20x4</licano></cotacao></dados>",
            "[Erro] Erro ao carregar os dados do XML.",
            "erro: '20x4' não é um valor inteiro válido."},
        {"SemGrupos",
            "<dados><cotacao><licformajulgamento>Gi</licformajulgamento></cotacao></dados>",
            "[Erro] Erro ao carregar os dados do XML.",
            "erro: O elemento \"grupos\" não existe no arquivo."},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        const QString nome = QString::fromUtf8(caso.nome);
        const QString arquivo = caso.documento.isEmpty()
            ? Caminho(nome + QStringLiteral(".kvt"))
            : GravarDocumentoBruto(caso.documento, nome);
        const ResultadoKvt check = Kvt({QStringLiteral("check"), arquivo});
        EXPECT_EQ(check.status, 1);
        EXPECT_TRUE(check.saida.isEmpty());
        ASSERT_GE(check.erro.size(), 2);
        EXPECT_EQ(check.erro.at(check.erro.size() - 2), QString::fromUtf8(caso.ultimoLog));
        const QString erro = caso.erro
            ? QString::fromUtf8(caso.erro)
            : QStringLiteral("erro: O arquivo %1 não existe.").arg(arquivo);
        EXPECT_EQ(check.erro.constLast(), erro);
    }
}
