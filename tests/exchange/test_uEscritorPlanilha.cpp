#include "common/uExcecoes.h"
#include "exchange/uColunasPlanilha.h"
#include "exchange/uEscritorPlanilha.h"
#include "exchange/uLeitorPlanilha.h"
#include "model/uTabelasCotacao.h"
#include "support/ArquivosTeste.h"
#include "support/CotacaoTeste.h"
#include "support/PlanilhaTeste.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class EscritorPlanilha : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_pasta.isValid());
        m_tabelas.Abrir();
    }

    // The tender's items with answers for item 1 of each lot.
    std::vector<TItemPlanilha> Itens(const QString &forma)
    {
        auto cotacao = LicitacaoTeste(forma);
        const auto responder = [](TItens &itens) {
            itens.Item(0).ValorCotado = 10.12345;
            itens.Item(0).Marca = QStringLiteral("Acme; \"Cia\"");
            itens.Item(0).Observacao = QStringLiteral("Entrega em 5 dias");
        };
        if (cotacao->Itens()) {
            responder(*cotacao->Itens());
        } else {
            for (int i = 0; i < cotacao->Grupos()->Count(); ++i)
                responder(cotacao->Grupos()->Grupo(i).Itens());
        }
        cotacao->PreencherTabelas(
            m_tabelas.mmDados, m_tabelas.mmGrupos, m_tabelas.mmItens, m_tabelas.mmCotas);
        return ItensDaCotacao(m_tabelas);
    }

    QString Caminho(const char *nome) const
    {
        return QDir(m_pasta.path()).filePath(QString::fromUtf8(nome));
    }

    QTemporaryDir m_pasta;
    TTabelasCotacao m_tabelas;
};

TEST_F(EscritorPlanilha, WritesTheCsvBrazilianSpreadsheetProgramsRead)
{
    GravarPlanilha(Itens(QStringLiteral("Gi")), Caminho("itens.csv"));
    EXPECT_EQ(LerArquivo(Caminho("itens.csv")),
        QByteArray(
            "\xEF\xBB\xBF"
            "Lote;Item;Tratamento;Material/Servi\xC3\xA7o;Quantidade;Valor m\xC3\xA1ximo (R$);"
            "Valor unit\xC3\xA1rio cotado (R$);Marca;Observa\xC3\xA7\xC3\xA3o\r\n"
            "1;1;Normal;Material 1;2,5;12;10,12345;\"Acme; \"\"Cia\"\"\";Entrega em 5 dias\r\n"
            "1;2;Normal;Material 2;2,5;12;;;\r\n"
            "2;1;Normal;Material 1;2,5;12;10,12345;\"Acme; \"\"Cia\"\"\";Entrega em 5 dias\r\n"
            "2;2;Normal;Material 2;2,5;12;;;\r\n"));
}

TEST_F(EscritorPlanilha, WritesAnXlsxOfNumbersFrozenHeaderAndOnlyTheAnswersUnlocked)
{
    GravarPlanilha(Itens(QStringLiteral("Pi")), Caminho("itens.xlsx"));
    const TPlanilhaLida lida = LerPlanilha(Caminho("itens.xlsx"));
    ASSERT_EQ(lida.Linhas.size(), 3u);
    for (int coluna = 0; coluna < 9; ++coluna)
        EXPECT_EQ(lida.Linhas[0].Celula(coluna).Texto, TitulosColunasPlanilha().at(coluna));
    const TLinhaPlanilha &item = lida.Linhas[1];
    EXPECT_EQ(item.Celula(0).Tipo, TTipoCelula::Vazia); // a loose item has no lot
    EXPECT_EQ(item.Celula(1).Tipo, TTipoCelula::Numero);
    EXPECT_EQ(item.Celula(4).Numero, 2.5);
    EXPECT_EQ(item.Celula(6).Numero, 10.12345);
    EXPECT_EQ(item.Celula(7).Texto, QStringLiteral("Acme; \"Cia\""));
    EXPECT_EQ(lida.Linhas[2].Celula(6).Tipo, TTipoCelula::Vazia);

    const QByteArray arquivo = LerArquivo(Caminho("itens.xlsx"));
    const QByteArray folha = ParteDoZip(arquivo, QStringLiteral("xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(folha.contains(
        "<pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" state=\"frozen\"/>"))
        << folha.left(2000).constData();
    EXPECT_TRUE(folha.contains("<sheetProtection sheet=\"1\""));
    EXPECT_FALSE(folha.contains("password"));
    EXPECT_TRUE(folha.contains("<col min=\"4\" max=\"4\" width=\"18.7109375\""))
        << "Material/Serviço fits its longest text";
    const QByteArray estilos = ParteDoZip(arquivo, QStringLiteral("xl/styles.xml"));
    EXPECT_TRUE(estilos.contains("formatCode=\"#,##0.00000\""));
    EXPECT_EQ(estilos.count("<protection locked=\"0\"/>"), 2);
}

TEST_F(EscritorPlanilha, RefusesAnotherExtensionAndAnUnwritableFile)
{
    const std::vector<TItemPlanilha> itens = Itens(QStringLiteral("Pi"));
    EXPECT_THROW(GravarPlanilha(itens, Caminho("itens.ods")), EVrtException);
    EXPECT_THROW(GravarPlanilha(itens, Caminho("falta/itens.xlsx")), EVrtException);
    EXPECT_THROW(GravarPlanilha(itens, Caminho("falta/itens.csv")), EVrtException);
    EXPECT_EQ(ArquivosEm(m_pasta.path()), QStringList());
}

} // namespace
