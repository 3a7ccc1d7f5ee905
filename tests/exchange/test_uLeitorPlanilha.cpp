#include "common/uExcecoes.h"
#include "exchange/uLeitorPlanilha.h"
#include "support/ArquivosTeste.h"
#include "support/PlanilhaTeste.h"

#include <gtest/gtest.h>

namespace {

QString Planilha(const char *nome)
{
    return QStringLiteral(PASTA_PLANILHAS "/") + QString::fromUtf8(nome);
}

QString Recusa(const QByteArray &bytes, TFormatoPlanilha formato)
{
    try {
        LerPlanilha(bytes, formato);
    } catch (const EVrtException &erro) {
        return erro.Message();
    }
    return QString();
}

void EsperarTexto(const TCelulaPlanilha &celula, const char *texto)
{
    EXPECT_EQ(celula.Tipo, TTipoCelula::Texto);
    EXPECT_EQ(celula.Texto, QString::fromUtf8(texto));
}

void EsperarNumero(const TCelulaPlanilha &celula, double numero)
{
    EXPECT_EQ(celula.Tipo, TTipoCelula::Numero);
    EXPECT_DOUBLE_EQ(celula.Numero, numero);
}

// Both files were made by another spreadsheet program from one sheet: numbers, a Brazilian
// number typed as text, a formula, a date and a boolean in the price column, and a second
// sheet that does not count.
class PlanilhaDeOutroPrograma : public testing::TestWithParam<const char *>
{
};

TEST_P(PlanilhaDeOutroPrograma, ReadsTheFirstSheetWithTheKindOfEachCell)
{
    const TPlanilhaLida planilha = LerPlanilha(Planilha(GetParam()));
    ASSERT_EQ(planilha.Linhas.size(), 8u);
    const TLinhaPlanilha &cabecalho = planilha.Linhas[0];
    EXPECT_EQ(cabecalho.Numero, 1);
    EsperarTexto(cabecalho.Celula(0), "ITEM");
    EsperarTexto(cabecalho.Celula(4), "observação");

    const auto preco = [&](int linha) { return planilha.Linhas[std::size_t(linha - 1)].Celula(2); };
    EsperarNumero(planilha.Linhas[1].Celula(0), 1);
    EsperarNumero(preco(2), 10.5);
    EsperarTexto(planilha.Linhas[1].Celula(3), "Acme");
    EsperarTexto(preco(3), "1.234,56");
    EsperarNumero(planilha.Linhas[2].Celula(3), 3);
    EsperarNumero(preco(4), 10); // the formula's value as last computed
    EXPECT_EQ(preco(5).Tipo, TTipoCelula::Data);
    EXPECT_DOUBLE_EQ(preco(5).Numero, 45352); // 01/03/2024
    EXPECT_EQ(planilha.Linhas[7].Numero, 8);
    EXPECT_EQ(planilha.Linhas[7].Celula(40).Tipo, TTipoCelula::Vazia);
}

INSTANTIATE_TEST_SUITE_P(
    Arquivos, PlanilhaDeOutroPrograma, testing::Values("respostas.xlsx", "respostas.ods"));

TEST(LeitorPlanilha, KeepsABooleanOfAnXlsx)
{
    // The OpenDocument filter of the library drops boolean cells: the .ods reads it as empty,
    // which leaves the price as it was.
    EXPECT_EQ(
        LerPlanilha(Planilha("respostas.xlsx")).Linhas[5].Celula(2).Tipo, TTipoCelula::Booleano);
    EXPECT_EQ(LerPlanilha(Planilha("respostas.ods")).Linhas[5].Celula(2).Tipo, TTipoCelula::Vazia);
}

TEST(LeitorPlanilha, ReadsASemicolonSeparatedFileInUtf8OrTheWindowsCodePage)
{
    const QByteArray utf8
        = "\xEF\xBB\xBFItem;Observa\xC3\xA7\xC3\xA3o\r\n1;\"a;b \"\"c\"\"\r\nd\"\r\n;\r\n2;ok\r\n";
    const TPlanilhaLida lida = LerPlanilha(utf8, TFormatoPlanilha::Csv);
    ASSERT_EQ(lida.Linhas.size(), 3u);
    EsperarTexto(lida.Linhas[0].Celula(1), "Observação");
    EsperarTexto(lida.Linhas[1].Celula(1), "a;b \"c\"\nd");
    EXPECT_EQ(lida.Linhas[2].Numero, 4); // the empty row is skipped, not renumbered
    EsperarTexto(lida.Linhas[2].Celula(1), "ok");

    const TPlanilhaLida windows
        = LerPlanilha(QByteArray("Observa\xE7\xE3o\r\n"), TFormatoPlanilha::Csv);
    EsperarTexto(windows.Linhas[0].Celula(0), "Observação");
}

TEST(LeitorPlanilha, RefusesTooManyRowsEarly)
{
    const QString linhasDemais = QStringLiteral("A planilha tem mais de 100.000 linhas.");
    QByteArray csv;
    for (int i = 0; i < 1000000; ++i)
        csv += "1;2\r\n";
    EXPECT_EQ(Recusa(csv, TFormatoPlanilha::Csv), linhasDemais);

    QByteArray linhas;
    for (int i = 1; i <= LimiteLinhasPlanilha + 1; ++i)
        linhas += "<row r=\"" + QByteArray::number(i) + "\"><c r=\"A" + QByteArray::number(i)
            + "\"><v>1</v></c></row>";
    EXPECT_EQ(Recusa(XlsxTeste(linhas), TFormatoPlanilha::Xlsx), linhasDemais);
}

TEST(LeitorPlanilha, CutsAHugeCell)
{
    const QByteArray enorme(5 * 1024 * 1024, 'x');
    const TPlanilhaLida csv
        = LerPlanilha("Item;Marca\r\n1;" + enorme + "\r\n", TFormatoPlanilha::Csv);
    EXPECT_TRUE(csv.Linhas[1].Celula(1).Cortada);
    const TPlanilhaLida xlsx
        = LerPlanilha(XlsxTeste("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>", -1, enorme),
            TFormatoPlanilha::Xlsx);
    ASSERT_EQ(xlsx.Linhas.size(), 1u);
    EXPECT_TRUE(xlsx.Linhas[0].Celula(0).Cortada);
    EXPECT_EQ(xlsx.Linhas[0].Celula(0).Texto.size(), LimiteTextoCelula);
}

TEST(LeitorPlanilha, RefusesDamagedOrMislabelledFilesWithAMessage)
{
    const QByteArray ods = LerArquivo(Planilha("respostas.ods"));
    const QByteArray xlsx = LerArquivo(Planilha("respostas.xlsx"));
    EXPECT_NE(Recusa(QByteArray("isto não é uma planilha"), TFormatoPlanilha::Xlsx), QString());
    EXPECT_NE(Recusa(xlsx.left(xlsx.size() - 100), TFormatoPlanilha::Xlsx), QString());
    EXPECT_NE(Recusa(ods, TFormatoPlanilha::Xlsx), QString());
    EXPECT_NE(Recusa(xlsx, TFormatoPlanilha::Ods), QString());
    EXPECT_NE(Recusa(XlsxTeste("<row r=\"1\"><c r=\"A1\"><v>1</v></c>"), TFormatoPlanilha::Xlsx),
        QString());
    EXPECT_NE(Recusa(QByteArray(LimiteArquivoPlanilha + 1, ' '), TFormatoPlanilha::Csv), QString());
}

TEST(LeitorPlanilha, NamesTheFormatByTheExtension)
{
    EXPECT_EQ(FormatoPlanilha(QStringLiteral("/a/b.XLSX")), TFormatoPlanilha::Xlsx);
    EXPECT_EQ(FormatoPlanilha(QStringLiteral("b.ods")), TFormatoPlanilha::Ods);
    EXPECT_EQ(FormatoPlanilha(QStringLiteral("b.csv")), TFormatoPlanilha::Csv);
    EXPECT_EQ(FormatoPlanilha(QStringLiteral("b.xls")), std::nullopt);
}

} // namespace
