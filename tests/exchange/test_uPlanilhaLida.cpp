#include "exchange/uColunasPlanilha.h"
#include "exchange/uPlanilhaLida.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

struct CasoNumero
{
    const char *texto;
    std::optional<double> valor;
};

class NumeroBrasileiroDeTexto : public testing::TestWithParam<CasoNumero>
{
};

TEST_P(NumeroBrasileiroDeTexto, ReadsBrazilianNumbersAndNothingElse)
{
    const std::optional<double> valor = NumeroBrasileiro(QString::fromUtf8(GetParam().texto));
    ASSERT_EQ(valor.has_value(), GetParam().valor.has_value()) << GetParam().texto;
    if (valor) {
        EXPECT_DOUBLE_EQ(*valor, *GetParam().valor);
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, NumeroBrasileiroDeTexto,
    testing::Values(CasoNumero {"1.234,56", 1234.56}, CasoNumero {"1234,56", 1234.56},
        CasoNumero {"12,5", 12.5}, CasoNumero {" 7 ", 7.0}, CasoNumero {"1.234.567", 1234567.0},
        CasoNumero {"-3,25", -3.25}, CasoNumero {"0,00001", 0.00001},
        CasoNumero {"12.5", std::nullopt}, CasoNumero {"1,234.56", std::nullopt},
        CasoNumero {"12.34,5", std::nullopt}, CasoNumero {"R$ 10,00", std::nullopt},
        CasoNumero {"1e5", std::nullopt}, CasoNumero {"", std::nullopt},
        CasoNumero {"abc", std::nullopt}, CasoNumero {"10,", std::nullopt},
        CasoNumero {",5", std::nullopt}, CasoNumero {"VERDADEIRO", std::nullopt}));

TEST(CelulaDeTexto, CutsALongTextAndSaysSo)
{
    const TCelulaPlanilha curta = CelulaDeTexto(QStringLiteral("Acme"));
    EXPECT_EQ(curta.Tipo, TTipoCelula::Texto);
    EXPECT_FALSE(curta.Cortada);
    const TCelulaPlanilha longa = CelulaDeTexto(QString(LimiteTextoCelula + 1, QLatin1Char('x')));
    EXPECT_TRUE(longa.Cortada);
    EXPECT_EQ(longa.Texto.size(), LimiteTextoCelula);
}

TEST(ColunasPlanilha, TitlesAreExactAndMatchIgnoringCaseAccentsAndBlanks)
{
    EXPECT_EQ(TitulosColunasPlanilha(),
        QStringList({QStringLiteral("Lote"), QStringLiteral("Item"), QStringLiteral("Tratamento"),
            QStringLiteral("Material/Serviço"), QStringLiteral("Quantidade"),
            QStringLiteral("Valor máximo (R$)"), QStringLiteral("Valor unitário cotado (R$)"),
            QStringLiteral("Marca"), QStringLiteral("Observação")}));
    EXPECT_EQ(ColunaPeloTitulo(QStringLiteral("  VALOR   UNITARIO cotado (r$) ")),
        TColunaPlanilha::ValorCotado);
    EXPECT_EQ(ColunaPeloTitulo(QStringLiteral("observacao")), TColunaPlanilha::Observacao);
    EXPECT_EQ(
        ColunaPeloTitulo(QStringLiteral("MATERIAL/SERVIÇO")), TColunaPlanilha::MaterialServico);
    EXPECT_EQ(ColunaPeloTitulo(QStringLiteral("Preço")), std::nullopt);
    EXPECT_EQ(ColunaPeloTitulo(QStringLiteral("Valor cotado")), std::nullopt);
}

} // namespace
