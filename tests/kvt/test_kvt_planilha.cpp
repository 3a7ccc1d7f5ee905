#include "exchange/uColunasPlanilha.h"
#include "exchange/uEscritorPlanilha.h"
#include "exchange/uLeitorPlanilha.h"
#include "exchange/uVTExpImpCotacao.h"
#include "support/ArquivosTeste.h"
#include "support/CotacaoTeste.h"
#include "support/KvtTeste.h"
#include "support/PlanilhaTeste.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class KvtPlanilha : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_pasta.isValid());
        ASSERT_TRUE(QDir().mkpath(Caminho("saida")));
    }

    QString Caminho(const char *nome) const
    {
        return QDir(m_pasta.path()).filePath(QString::fromUtf8(nome));
    }
    QString Receber(const TDadosCotacao &cotacao)
    {
        m_arquivo = GravarArquivoCotacao(cotacao, m_pasta.path(), QStringLiteral("Cotacao"));
        m_recebido = LerArquivo(m_arquivo);
        return m_arquivo;
    }
    ResultadoKvt Kvt(const QStringList &argumentos) const
    {
        return ExecutarKvt(argumentos, Caminho("tmp"));
    }
    ResultadoKvt Importar(const QString &planilha, const QStringList &opcoes = {}) const
    {
        return Kvt(QStringList {QStringLiteral("importar"), m_arquivo, planilha, Caminho("saida")}
            + opcoes);
    }
    QStringList Problemas(const ResultadoKvt &resultado) const
    {
        return resultado.erro.filter(QRegularExpression(QStringLiteral("^problema: ")));
    }
    // The refused sheet changed nothing: no file written, the received one as it was.
    void EsperarNadaGravado() const
    {
        EXPECT_EQ(ArquivosEm(Caminho("saida")), QStringList());
        EXPECT_EQ(LerArquivo(m_arquivo), m_recebido);
    }
    QJsonArray ItensGravados(const QString &arquivo) const
    {
        const ResultadoKvt dump = Kvt({QStringLiteral("dump"), arquivo});
        EXPECT_EQ(dump.status, 0);
        return QJsonDocument::fromJson(dump.saida.toUtf8())
            .object()
            .value(QStringLiteral("Itens"))
            .toArray();
    }

    QTemporaryDir m_pasta;
    QString m_arquivo;
    QByteArray m_recebido;
};

std::unique_ptr<TDadosCotacao> Licitacao500()
{
    auto cotacao = LicitacaoTeste(QStringLiteral("Pi"));
    auto itens = std::make_unique<TItens>();
    for (int codigo = 1; codigo <= 500; ++codigo) {
        auto item = ItemTeste(codigo, 1000 + codigo);
        item->DescricaoMatServ = QStringLiteral("Caneta azul; caixa \"grande\" nº %1").arg(codigo);
        item->ValorMaximo = 2.0 * codigo;
        itens->Adicionar(std::move(item));
    }
    cotacao->SetItens(std::move(itens));
    return cotacao;
}

class IdaEVolta
    : public KvtPlanilha
    , public ::testing::WithParamInterface<const char *>
{
};

// Out through kvt planilha, filled as the supplier fills it, back through kvt importar.
TEST_P(IdaEVolta, ExportsFillsAndImportsA500ItemTender)
{
    Receber(*Licitacao500());
    const QString extensao = QString::fromUtf8(GetParam());
    const QString exportada = Caminho("itens.") + extensao;
    const ResultadoKvt saida = Kvt({QStringLiteral("planilha"), m_arquivo, exportada});
    ASSERT_EQ(saida.status, 0) << saida.erro.join(QLatin1Char('\n')).toStdString();

    const TPlanilhaLida lida = LerPlanilha(exportada);
    ASSERT_EQ(lida.Linhas.size(), 501u);
    for (int coluna = 0; coluna < QuantidadeColunasPlanilha; ++coluna)
        EXPECT_EQ(lida.Linhas[0].Celula(coluna).Texto, TitulosColunasPlanilha().at(coluna));
    std::vector<TItemPlanilha> preenchidos;
    for (std::size_t i = 1; i < lida.Linhas.size(); ++i) {
        const TLinhaPlanilha &linha = lida.Linhas[i];
        TItemPlanilha item;
        item.Item = int(*NumeroBrasileiro(linha.Celula(1).Tipo == TTipoCelula::Numero
                ? QString::number(linha.Celula(1).Numero)
                : linha.Celula(1).Texto));
        item.MaterialServico = linha.Celula(3).Texto;
        EXPECT_EQ(item.MaterialServico,
            QStringLiteral("Caneta azul; caixa \"grande\" nº %1").arg(item.Item));
        item.ValorCotado = 1.5 * item.Item + 0.12345;
        item.Marca = QStringLiteral("Marca %1").arg(item.Item);
        item.Observacao = QStringLiteral("Entrega; em \"5\" dias");
        preenchidos.push_back(item);
    }
    const QString preenchida = Caminho("preenchida.") + extensao;
    GravarPlanilha(preenchidos, preenchida);

    const ResultadoKvt entrada = Importar(preenchida);
    ASSERT_EQ(entrada.status, 0) << entrada.erro.join(QLatin1Char('\n')).toStdString();
    const QString gravado = QDir(Caminho("saida")).filePath(QStringLiteral("COT-7-2024.kvt"));
    EXPECT_EQ(entrada.saida.trimmed(), gravado);
    EXPECT_EQ(LerArquivo(m_arquivo), m_recebido) << "the file received stays as it was";

    const QJsonArray itens = ItensGravados(gravado);
    ASSERT_EQ(itens.size(), 500);
    for (int i : {0, 249, 499}) {
        const QJsonObject item = itens.at(i).toObject();
        EXPECT_DOUBLE_EQ(
            item.value(QStringLiteral("ValorCotado")).toDouble(), 1.5 * (i + 1) + 0.12345);
        EXPECT_EQ(
            item.value(QStringLiteral("Marca")).toString(), QStringLiteral("Marca %1").arg(i + 1));
        EXPECT_EQ(item.value(QStringLiteral("Observacao")).toString(),
            QStringLiteral("Entrega; em \"5\" dias"));
    }
}

INSTANTIATE_TEST_SUITE_P(Formatos, IdaEVolta, ::testing::Values("xlsx", "csv"));

class OutroPrograma
    : public KvtPlanilha
    , public ::testing::WithParamInterface<const char *>
{
};

// The sheet another spreadsheet program wrote holds one row of each problem: the whole sheet
// is refused, each problem said, nothing written.
TEST_P(OutroPrograma, RefusesTheSheetListingEveryProblem)
{
    Receber(*LicitacaoTeste(QStringLiteral("Gi")));
    const ResultadoKvt r
        = Importar(QStringLiteral(PASTA_PLANILHAS "/") + QString::fromUtf8(GetParam()));
    EXPECT_EQ(r.status, 1);
    QStringList esperados {QStringLiteral("problema: Linha 3: O valor cotado (R$ 1.234,56000) é "
                                          "maior que o preço máximo (R$ 12,00)."),
        QStringLiteral("problema: Linha 5: O valor cotado é uma data, não um número."),
        QStringLiteral("problema: Linha 6: O lote 3 não contém o item 1."),
        QStringLiteral("problema: Linha 7: O item 9 não existe nesta cotação."),
        QStringLiteral("problema: Linha 8: Lote 1, item 1 já está na linha 2.")};
    EXPECT_EQ(Problemas(r), esperados) << r.erro.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(r.erro.last(),
        QStringLiteral("erro: A planilha foi recusada: 5 problema(s); nada foi gravado."));
    EsperarNadaGravado();
}

INSTANTIATE_TEST_SUITE_P(
    Arquivos, OutroPrograma, ::testing::Values("respostas.xlsx", "respostas.ods"));

TEST_F(KvtPlanilha, UnderPregaoAPriceAboveTheMaximumIsAProblemUnlessAccepted)
{
    Receber(*LicitacaoTeste(QStringLiteral("Pi")));
    const QString planilha = Caminho("acima.csv");
    GravarArquivo(planilha, "Item;Valor unitário cotado (R$)\r\n1;20\r\n2;5\r\n");

    const ResultadoKvt recusada = Importar(planilha);
    EXPECT_EQ(recusada.status, 1);
    EXPECT_EQ(Problemas(recusada),
        QStringList {QStringLiteral("problema: Linha 2: O valor cotado (R$ 20,00000) é maior que o "
                                    "preço máximo (R$ 12,00).")});
    EsperarNadaGravado();

    const ResultadoKvt aceita = Importar(planilha, {QStringLiteral("--aceitar-acima-do-maximo")});
    ASSERT_EQ(aceita.status, 0) << aceita.erro.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(aceita.erro.filter(QStringLiteral("mensagem:")).isEmpty());
    EXPECT_EQ(
        ItensGravados(aceita.saida.trimmed()).at(0).toObject().value(QStringLiteral("ValorCotado")),
        QJsonValue(20));
}

TEST_F(KvtPlanilha, UnderOtherModalitiesAPriceAboveTheMaximumIsInformedOrTaken)
{
    for (const char *modalidade : {"Cc", "Le"}) {
        auto cotacao = LicitacaoTeste(QStringLiteral("Pi"));
        cotacao->Modalidade = QString::fromUtf8(modalidade);
        Receber(*cotacao);
        const QString planilha = Caminho("acima.csv");
        GravarArquivo(planilha, "Item;Valor unitário cotado (R$)\r\n1;20\r\n");
        const ResultadoKvt r = Importar(planilha);
        ASSERT_EQ(r.status, 0) << modalidade;
        EXPECT_EQ(r.erro.filter(QStringLiteral("mensagem: Os valores cotados abaixo")).size(),
            qstrcmp(modalidade, "Cc") == 0 ? 1 : 0);
        EXPECT_EQ(
            ItensGravados(r.saida.trimmed()).at(0).toObject().value(QStringLiteral("ValorCotado")),
            QJsonValue(20));
    }
}

TEST_F(KvtPlanilha, HostileSheetsAreRefusedWithAMessageAndChangeNothing)
{
    Receber(*LicitacaoTeste(QStringLiteral("Pi")));
    QByteArray milhaoDeLinhas = "Item;Marca\r\n";
    for (int i = 0; i < 1000000; ++i)
        milhaoDeLinhas += "1;a\r\n";
    const struct
    {
        const char *nome;
        QByteArray conteudo;
        const char *mensagem;
    } casos[] = {
        {"danificada.xlsx", QByteArray("PK\x03\x04 isto não é uma planilha"),
            "erro: A planilha está danificada: o arquivo compactado não pôde ser lido."},
        {"bomba.xlsx", XlsxTeste(QByteArray(1024, ' '), qint64(3) * 1024 * 1024 * 1024),
            "erro: A planilha é grande demais: descompactada passaria de 128 MB."},
        {"mentirosa.xlsx", XlsxTeste(QByteArray(4 * 1024 * 1024, ' '), 1000),
            "erro: A planilha está danificada: o arquivo compactado não pôde ser lido."},
        {"milhao.csv", milhaoDeLinhas, "erro: A planilha tem mais de 100.000 linhas."},
        {"celula.csv",
            "Item;Valor unitário cotado (R$)\r\n1;" + QByteArray(8 * 1024 * 1024, '9') + "\r\n",
            "erro: A planilha foi recusada: 1 problema(s); nada foi gravado."},
        {"planilha.xls", QByteArray("x"),
            "erro: A planilha planilha.xls não é do tipo .xlsx, .ods ou .csv."},
    };
    for (const auto &caso : casos) {
        const QString planilha = Caminho(caso.nome);
        GravarArquivo(planilha, caso.conteudo);
        const ResultadoKvt r = Importar(planilha);
        EXPECT_EQ(r.status, 1) << caso.nome;
        EXPECT_EQ(r.erro.last(), QString::fromUtf8(caso.mensagem)) << caso.nome;
        EsperarNadaGravado();
        EXPECT_EQ(LerArquivo(planilha), caso.conteudo) << caso.nome;
    }
}

TEST_F(KvtPlanilha, WrongUsageExitsTwo)
{
    Receber(*LicitacaoTeste(QStringLiteral("Pi")));
    EXPECT_EQ(Importar(Caminho("a.csv"), {QStringLiteral("--aceitar")}).status, 2);
    EXPECT_EQ(Kvt({QStringLiteral("planilha"), m_arquivo}).status, 2);
    EXPECT_EQ(Kvt({QStringLiteral("planilha"), m_arquivo, Caminho("itens.ods")}).status, 1);
}

} // namespace
