#include "common/uFormatFloat.h"
#include "support/ImpressaoQt.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>
#include <limits>

namespace {

struct Caso
{
    const char16_t *figura;
    double valor;
    const char16_t *esperado;
};

void PrintTo(const Caso &caso, std::ostream *saida)
{
    *saida << QString::fromUtf16(caso.figura).toStdString() << " / " << caso.valor;
}

class FormatFloatCasos : public ::testing::TestWithParam<Caso>
{
};

TEST_P(FormatFloatCasos, FormataComOSeparadoresBrasileiros)
{
    const Caso &caso = GetParam();
    EXPECT_EQ(FormatFloat(QString::fromUtf16(caso.figura), caso.valor),
        QString::fromUtf16(caso.esperado));
}

// The pictures the program sets on its fields, and the "R$ " texts of the price check.
INSTANTIATE_TEST_SUITE_P(FigurasDoPrograma, FormatFloatCasos,
    ::testing::Values(
        // money totals: zero is a blank, a negative value a whole number without sign
        Caso {u"#,##0.00;0; ", 1234.5, u"1.234,50"}, Caso {u"#,##0.00;0; ", 0, u" "},
        Caso {u"#,##0.00;0; ", -1234.5, u"1235"}, Caso {u"#,##0.00;0; ", 0.004, u"0,00"},
        Caso {u"#,##0.00;0; ", 999.995, u"1.000,00"},
        Caso {u"#,##0.00;0; ", 1234567.891, u"1.234.567,89"},
        Caso {u"#,##0.00;0; ", 3.086, u"3,09"},
        // quoted unit price: exactly five decimals
        Caso {u"#,##0.00000;0; ", 1.23457, u"1,23457"},
        Caso {u"#,##0.00000;0; ", 120, u"120,00000"},
        Caso {u"#,##0.00000;0; ", 1234.5, u"1.234,50000"},
        Caso {u"#,##0.00000;0; ", 1.234565, u"1,23457"},
        // estimated price: five to eight decimals, grouping from the thousands
        Caso {u"#,#####0.00000###;0; ", 1.5, u"1,50000"},
        Caso {u"#,#####0.00000###;0; ", 1.123456789, u"1,12345679"},
        Caso {u"#,#####0.00000###;0; ", 1234567.5, u"1.234.567,50000"},
        Caso {u"#,#####0.00000###;0; ", 0, u" "},
        // maximum price: two to five decimals
        Caso {u"#,#####0.00###;0; ", 100, u"100,00"},
        Caso {u"#,#####0.00###;0; ", 100.12345, u"100,12345"},
        Caso {u"#,#####0.00###;0; ", 100.123456, u"100,12346"},
        Caso {u"#,#####0.00###;0; ", 100.1, u"100,10"},
        // quantity: only the significant digits
        Caso {u"#.#####", 2.5, u"2,5"}, Caso {u"#.#####", 3, u"3"},
        Caso {u"#.#####", 1234.123456, u"1234,12346"}, Caso {u"#.#####", 0.25, u",25"},
        Caso {u"#.#####", 0, u""},
        // header totals
        Caso {u"#,##0.00", 0, u"0,00"}, Caso {u"#,##0.00", -1234.5, u"-1.234,50"},
        Caso {u"#,##0.00", 1e6, u"1.000.000,00"},
        // edit formats: a zero takes the second section
        Caso {u"0.00000;0", 1.234567, u"1,23457"}, Caso {u"0.00000;0", 1234.5, u"1234,50000"},
        Caso {u"0.00000;0", 0, u"0"}, Caso {u"0.00000;0", -2.5, u"3"}, Caso {u"0.00;0", 0, u"0"},
        Caso {u"0.00;0", 3.086, u"3,09"},
        // the price check prefixes the positive section
        Caso {u"R$ #,##0.00000;0; ", 120, u"R$ 120,00000"},
        Caso {u"R$ #,#####0.00###;0; ", 100, u"R$ 100,00"},
        Caso {u"R$ #,##0.00", 1234.5, u"R$ 1.234,50"},
        // width templates of the report's aligned values, and the rounding helper's picture
        Caso {u"#,##0.00", 9999999999999.99, u"9.999.999.999.999,99"},
        Caso {u"#,##0.00000", 9999999999.99999, u"9.999.999.999,99999"},
        Caso {u"#,##", 999999999999999, u"999.999.999.999.999"},
        Caso {u"0.0000000000", 1.005, u"1,0050000000"},
        Caso {u"0.0000000000", -2.123456789012, u"-2,1234567890"}));

INSTANTIATE_TEST_SUITE_P(Secoes, FormatFloatCasos,
    ::testing::Values(
        // an empty negative section: the positive one with a minus
        Caso {u"0.00;;zero", -1.5, u"-1,50"}, Caso {u"0.00;;zero", 0, u"zero"},
        Caso {u"0.00;;zero", 1.5, u"1,50"},
        // an empty zero section: the positive one
        Caso {u"0.00;(0.00);", 0, u"0,00"}, Caso {u"0.00;(0.00);", -2, u"(2,00)"},
        // a value rounded to zero is not the zero section and carries no minus
        Caso {u"0.00;;zero", 0.001, u"0,00"}, Caso {u"0.00", -0.001, u"0,00"},
        Caso {u"0.00;;zero", -0.0, u"zero"},
        // a fourth section is ignored
        Caso {u"0;1;2;3", 0, u"2"},
        // a section without digits is its text alone
        Caso {u"0.00;negativo", -5, u"negativo"}, Caso {u"abc", 5, u"abc"}));

INSTANTIATE_TEST_SUITE_P(Sintaxe, FormatFloatCasos,
    ::testing::Values(
        // quoted literals, semicolons and placeholders inside them included
        Caso {u"\"Total: \"0.00", 1.5, u"Total: 1,50"}, Caso {u"'a;b#0'0", 5, u"a;b#05"},
        Caso {u"0.00\" un\"", 2, u"2,00 un"}, Caso {u"\"aberto0", 5, u"aberto0"},
        // placeholders and literals between them
        Caso {u"00.0", 1.25, u"01,3"}, Caso {u"#.##", 0.5, u",5"}, Caso {u"#", 0, u""},
        Caso {u"0", 0.5, u"1"}, Caso {u"0", 2.5, u"3"}, Caso {u"0", -2.5, u"-3"},
        Caso {u"0-00", 12345, u"123-45"}, Caso {u".00", 12.5, u"12,50"},
        Caso {u"#,##0", 1234567, u"1.234.567"}, Caso {u"0,000", 123, u"0.123"},
        Caso {u"0.0.0", 1.25, u"1,2.5"}, // a second point is text; both zeros are decimals
        // rounding from the shortest decimal form
        Caso {u"0.00", 2.675, u"2,68"}, Caso {u"0.00", 1.005, u"1,01"},
        Caso {u"0.00", 9.999, u"10,00"},
        // large and tiny values
        Caso {u"#,##0", 1e20, u"100.000.000.000.000.000.000"}, Caso {u"0.00", 1e-300, u"0,00"},
        Caso {u"0", 123456789012345678.0, u"123456789012345680"},
        // scientific notation
        Caso {u"0.00E+00", 12345, u"1,23E+04"}, Caso {u"0.00E+00", 0.00012345, u"1,23E-04"},
        Caso {u"0.00E-00", 12345, u"1,23E04"}, Caso {u"0.00E+00", 9.999, u"1,00E+01"},
        Caso {u"0.00E+00", 0, u"0,00E+00"}, Caso {u"00.0e+0", 12345, u"12,3e+3"},
        // the general form for an empty picture or an empty chosen section
        Caso {u"", 1234.5, u"1234,5"}, Caso {u";0", 1234.5, u"1234,5"}));

TEST(FormatFloat, ValoresNaoFinitos)
{
    EXPECT_EQ(FormatFloat(QStringLiteral("0.00"), std::numeric_limits<double>::quiet_NaN()),
        QStringLiteral("NAN"));
    EXPECT_EQ(FormatFloat(QStringLiteral("0.00"), std::numeric_limits<double>::infinity()),
        QStringLiteral("INF"));
    EXPECT_EQ(FormatFloat(QStringLiteral("0.00"), -std::numeric_limits<double>::infinity()),
        QStringLiteral("-INF"));
}

TEST(FormatFloat, MaiorValorTemTodosOsDigitos)
{
    const QString texto = FormatFloat(QStringLiteral("0"), std::numeric_limits<double>::max());
    EXPECT_EQ(texto.size(), 309);
    EXPECT_TRUE(texto.startsWith(QStringLiteral("17976931348623157")));
}

// Any picture text formats without failing and within the size of the number and its
// separators: random pictures over the characters that mean
// something to the syntax, against values of every size.
TEST(FormatFloat, QualquerFiguraTermina)
{
    const QString alfabeto = QStringLiteral("0#.,;Ee+-\"' R$x");
    const double valores[] = {0, -0.0, 1, -1, 0.5, 9.995, 1234567.891, -1e300, 1e-300,
        std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max()};
    QRandomGenerator gerador(20240611);
    for (int i = 0; i < 3000; ++i) {
        QString figura;
        const int tamanho = int(gerador.bounded(12));
        for (int j = 0; j < tamanho; ++j)
            figura += alfabeto[gerador.bounded(int(alfabeto.size()))];
        for (const double valor : valores) {
            const QString texto = FormatFloat(figura, valor);
            EXPECT_LE(texto.size(), figura.size() + 430) << figura.toStdString();
        }
    }
}

} // namespace
