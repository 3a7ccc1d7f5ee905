#include "exchange/uVTExpImpCotacao.h"
#include "support/ArquivosTeste.h"
#include "support/CotacaoTeste.h"

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
    QString erro;
};

class KvtTabelas : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_pasta.isValid()); }

    QString Caminho(const QString &nome) const { return QDir(m_pasta.path()).filePath(nome); }
    QString Receber(const TDadosCotacao &cotacao)
    {
        return GravarArquivoCotacao(cotacao, m_pasta.path(), QStringLiteral("Cotacao"));
    }

    ResultadoKvt Kvt(const QStringList &argumentos) const
    {
        QProcess kvt;
        kvt.setWorkingDirectory(m_pasta.path());
        kvt.start(QStringLiteral(KVT_EXECUTAVEL), argumentos);
        EXPECT_TRUE(kvt.waitForFinished(30000));
        return {kvt.exitCode(), QString::fromUtf8(kvt.readAllStandardOutput()),
            QString::fromUtf8(kvt.readAllStandardError())};
    }

    static QString UltimaLinha(const QString &texto)
    {
        return texto.trimmed().split(QLatin1Char('\n')).last();
    }

    QTemporaryDir m_pasta;
};

TEST_F(KvtTabelas, ImprimeAsQuatroTabelasEmJson)
{
    auto cotacao = LicitacaoTeste(QStringLiteral("Gl"), 4);
    cotacao->BrasaoRelatorio = QStringLiteral("FFD8A0");
    cotacao->ObjetoResumido = QStringLiteral("4F626A65746F20E9"); // "Objeto é"
    const QString arquivo = Receber(*cotacao);

    const ResultadoKvt r = Kvt({QStringLiteral("tables"), arquivo});
    ASSERT_EQ(r.status, 0) << r.erro.toStdString();
    EXPECT_FALSE(r.erro.contains(QStringLiteral("erro: ")));
    EXPECT_EQ(UltimaLinha(r.erro), QStringLiteral("Dados carregados com sucesso."));

    QJsonParseError falha {};
    const QJsonObject json = QJsonDocument::fromJson(r.saida.toUtf8(), &falha).object();
    ASSERT_EQ(falha.error, QJsonParseError::NoError) << r.saida.toStdString();
    EXPECT_EQ(json.keys(),
        QStringList({QStringLiteral("mmCotas"), QStringLiteral("mmDados"),
            QStringLiteral("mmGrupos"), QStringLiteral("mmItens")}));

    const QJsonObject dados = json.value(QStringLiteral("mmDados")).toArray().at(0).toObject();
    EXPECT_EQ(dados.size(), 29);
    EXPECT_EQ(
        dados.value(QStringLiteral("ELIBRASAORELATORIO")), QJsonValue(QStringLiteral("ffd8a0")));
    EXPECT_EQ(dados.value(QStringLiteral("Objeto")), QJsonValue(QStringLiteral("Objeto é")));
    EXPECT_EQ(dados.value(QStringLiteral("LICNUMEROALFA")), QJsonValue(QStringLiteral("7/2024")));
    EXPECT_EQ(dados.value(QStringLiteral("LICTRATAMENTO")), QJsonValue(4));
    EXPECT_EQ(dados.value(QStringLiteral("LICREGISTROPRECOS")), QJsonValue(false));
    EXPECT_EQ(dados.value(QStringLiteral("LICDATAABERTURA")), QJsonValue(45500));
    EXPECT_EQ(dados.value(QStringLiteral("LICHORAABERTURA")), QJsonValue(0.5));
    EXPECT_TRUE(dados.value(QStringLiteral("CODIGOPESQUISA")).isNull());
    EXPECT_TRUE(dados.value(QStringLiteral("FornecedorCPFCNPJ")).isNull());

    const QJsonArray itens = json.value(QStringLiteral("mmItens")).toArray();
    ASSERT_EQ(itens.size(), 2);
    const QJsonObject item = itens.at(1).toObject();
    EXPECT_EQ(item.size(), 13);
    EXPECT_EQ(item.value(QStringLiteral("Item")), QJsonValue(2));
    EXPECT_EQ(item.value(QStringLiteral("QtdLicitada")), QJsonValue(2.5));
    EXPECT_EQ(item.value(QStringLiteral("calcVlTotalCotado")), QJsonValue(0));
    EXPECT_TRUE(item.value(QStringLiteral("QtdMinima")).isNull());
    EXPECT_TRUE(item.value(QStringLiteral("ITEMMARCA")).isNull());

    const QJsonArray cotas = json.value(QStringLiteral("mmCotas")).toArray();
    ASSERT_EQ(cotas.size(), 2);
    EXPECT_EQ(cotas.at(0).toObject().value(QStringLiteral("CotaDescricao")),
        QJsonValue(QStringLiteral("Cota Reservada")));
    EXPECT_TRUE(json.value(QStringLiteral("mmGrupos")).toArray().isEmpty());
    EXPECT_EQ(ArquivosEm(m_pasta.path()), QStringList({QStringLiteral("Cotacao.kvt")}));
}

TEST_F(KvtTabelas, RegravaSemApagarOArquivoLido)
{
    auto cotacao = LicitacaoTeste(QStringLiteral("Gi"));
    cotacao->CpfCnpjFornecedor = QStringLiteral("11.222.333/0001-81");
    const QString arquivo = Receber(*cotacao);

    for (const QString &pasta : {m_pasta.path(), Caminho(QStringLiteral("saida"))}) {
        QDir().mkpath(pasta);
        const ResultadoKvt r = Kvt({QStringLiteral("resave"), arquivo, pasta});
        ASSERT_EQ(r.status, 0) << r.erro.toStdString();
        const QString escrito
            = QDir(pasta).filePath(QStringLiteral("COT-7-2024-11222333000181.kvt"));
        EXPECT_EQ(r.saida.trimmed(), escrito);
        EXPECT_EQ(UltimaLinha(r.erro), QStringLiteral("Arquivo KVT salvo com sucesso."));
        EXPECT_TRUE(QFile::exists(escrito));
        EXPECT_TRUE(QFile::exists(arquivo));
    }
    // What was written reads back as the same quotation.
    const ResultadoKvt r = Kvt(
        {QStringLiteral("tables"), Caminho(QStringLiteral("saida/COT-7-2024-11222333000181.kvt"))});
    ASSERT_EQ(r.status, 0) << r.erro.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(r.saida.toUtf8())
                  .object()
                  .value(QStringLiteral("mmItens"))
                  .toArray()
                  .size(),
        4);
}

// Files arrive from systems that ignore letter case, and under odd names: check, tables and
// resave read each, and resave leaves it in place.
TEST_F(KvtTabelas, LeOArquivoRecebidoComQualquerCaixa)
{
    const char *const nomes[] = {"Cotacao.kvt", "COTACAO.KVT", "Cotacao.Kvt", ".kvt"};
    for (int caso = 0; caso < 4; ++caso) {
        const char *nome = nomes[caso];
        SCOPED_TRACE(nome);
        const QString pasta = Caminho(QStringLiteral("caso%1").arg(caso));
        ASSERT_TRUE(QDir().mkpath(pasta));
        const QString arquivo = QDir(pasta).filePath(QString::fromUtf8(nome));
        ASSERT_TRUE(QFile::rename(Receber(*LicitacaoTeste()), arquivo));

        const ResultadoKvt check = Kvt({QStringLiteral("check"), arquivo});
        EXPECT_EQ(check.status, 0) << check.erro.toStdString();
        EXPECT_EQ(check.saida.trimmed(), QStringLiteral("ok"));
        const ResultadoKvt tabelas = Kvt({QStringLiteral("tables"), arquivo});
        EXPECT_EQ(tabelas.status, 0) << tabelas.erro.toStdString();
        const ResultadoKvt regravado = Kvt({QStringLiteral("resave"), arquivo, pasta});
        EXPECT_EQ(regravado.status, 0) << regravado.erro.toStdString();
        QStringList esperados {QStringLiteral("COT-7-2024.kvt"), QString::fromUtf8(nome)};
        esperados.sort();
        EXPECT_EQ(ArquivosEm(pasta), esperados);
    }
}

TEST_F(KvtTabelas, ArquivoRecusadoMostraMensagemDetalhesLogEErro)
{
    auto cotacao = LicitacaoTeste();
    cotacao->ObjetoResumido = QStringLiteral("4G");
    const ResultadoKvt r = Kvt({QStringLiteral("tables"), Receber(*cotacao)});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.saida.isEmpty());
    const QStringList linhas = r.erro.trimmed().split(QLatin1Char('\n'));
    const QString conversao
        = QStringLiteral("Ocorreu um erro ao converter um Inteiro para Hexadecimal");
    EXPECT_TRUE(linhas.contains(QStringLiteral("mensagem: Ocorreu um erro ao importar as "
                                               "propostas. Contate a administração pública.")));
    EXPECT_TRUE(linhas.contains(QStringLiteral("detalhes: ") + conversao));
    EXPECT_TRUE(linhas.contains(QStringLiteral("[Erro] Erro ao adicionar a imagem na memória...")));
    EXPECT_EQ(linhas.last(), QStringLiteral("erro: ") + conversao);
}

struct CasoRecusa
{
    std::vector<const char *> argumentos; // "@" stands for the test's folder
    int status;
    const char *erro; // the start of the last line of standard error
};

class KvtTabelasRecusa
    : public KvtTabelas
    , public ::testing::WithParamInterface<CasoRecusa>
{
};

TEST_P(KvtTabelasRecusa, SaiComOMotivo)
{
    Receber(*LicitacaoTeste());
    QStringList argumentos;
    for (const char *a : GetParam().argumentos)
        argumentos.append(QString::fromUtf8(a).replace(QLatin1Char('@'), m_pasta.path()));
    const ResultadoKvt r = Kvt(argumentos);
    EXPECT_EQ(r.status, GetParam().status);
    EXPECT_TRUE(UltimaLinha(r.erro).startsWith(QString::fromUtf8(GetParam().erro)))
        << r.erro.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Casos, KvtTabelasRecusa,
    ::testing::Values(CasoRecusa {{"tables", "@/Nenhum.kvt"}, 1, "erro: O arquivo "},
        CasoRecusa {{"resave", "@/Nenhum.kvt", "@"}, 1, "erro: O arquivo "},
        CasoRecusa {{"resave", "@/Cotacao.kvt", "@/falta"}, 1, "erro: A pasta "},
        CasoRecusa {{"tables"}, 2, "Saída: "},
        CasoRecusa {{"resave", "@/Cotacao.kvt"}, 2, "Saída: "}));

} // namespace
