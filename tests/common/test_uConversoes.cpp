#include "common/uConversoes.h"
#include "common/uExcecoes.h"
#include "support/ImpressaoQt.h"

#include <QRandomGenerator>

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr double HORA = 1.0 / 24;
constexpr double SEGUNDO = 1.0 / 86400;

struct Leitura
{
    const char16_t *texto;
    std::optional<double> esperado; // nullopt: the text must be refused
};

struct Escrita
{
    double valor;
    const char16_t *texto;
};

QString Texto(const char16_t *texto)
{
    return QString::fromUtf16(texto);
}

// Runs a reader over a table: each text must be refused or give its value.
template<typename Leitor, std::size_t N>
void ConferirLeituras(const Leitura (&casos)[N], Leitor ler, double tolerancia = 0)
{
    for (const Leitura &caso : casos) {
        SCOPED_TRACE(Texto(caso.texto).toStdString());
        const auto lido = ler(Texto(caso.texto));
        ASSERT_EQ(lido.has_value(), caso.esperado.has_value());
        if (lido) {
            EXPECT_NEAR(*lido, *caso.esperado, tolerancia);
        }
    }
}

} // namespace

TEST(Inteiro, ReadsOnlyPlainDecimalTextWithinRange)
{
    const Leitura casos[] = {
        {u"0", 0}, {u"-12", -12}, {u"+7", 7}, {u"00012", 12}, {u" 42\n", 42},
        {u"2147483647", 2147483647.0}, {u"-2147483648", -2147483648.0},
        {u"2147483648", std::nullopt}, {u"-2147483649", std::nullopt},
        {u"99999999999999999999999", std::nullopt}, {u"", std::nullopt}, {u" ", std::nullopt},
        {u"-", std::nullopt}, {u"1 2", std::nullopt}, {u"12a", std::nullopt},
        {u"0x1F", std::nullopt}, {u"$1F", std::nullopt}, {u"1.000", std::nullopt},
        {u"1,0", std::nullopt}, {u"--1", std::nullopt},
        {u"\u0661\u0662", std::nullopt}, // digits of another script
    };
    ConferirLeituras(casos, [](const QString &t) { return TentarTextoParaInteiro(t); });
}

TEST(Inteiro, WritesPlainDecimalAndReportsFailureInPortuguese)
{
    EXPECT_EQ(InteiroParaTexto(-2147483647 - 1), QStringLiteral("-2147483648"));
    EXPECT_EQ(InteiroParaTexto(305), QStringLiteral("305"));
    try {
        TextoParaInteiro(u"abc");
        FAIL() << "no error raised";
    } catch (const EConvertError &erro) {
        EXPECT_EQ(erro.Message(), QStringLiteral("'abc' não é um valor inteiro válido."));
    }
}

TEST(Real, WritesTheShortestGeneralFormWithFifteenDigits)
{
    const Escrita casos[] = {
        {1234.5, u"1234,5"},
        {0.1, u"0,1"},
        {3, u"3"},
        {-3, u"-3"},
        {100, u"100"},
        {0, u"0"},
        {-0.0, u"0"},
        {0.1 + 0.2, u"0,3"},
        {1.0 / 3, u"0,333333333333333"},
        {-2.0 / 3, u"-0,666666666666667"},
        {12345.678, u"12345,678"},
        {1e14, u"100000000000000"},
        {999999999999999, u"999999999999999"},
        {999999999999999.9, u"1E15"},
        {1e15, u"1E15"},
        {-1e15, u"-1E15"},
        {123456789012345678.0, u"1,23456789012346E17"},
        {0.00001, u"0,00001"},
        {0.000015, u"0,000015"},
        {0.0000099999, u"9,9999E-6"},
        {0.000001, u"1E-6"},
        {-2.5e300, u"-2,5E300"},
        {1.5e-300, u"1,5E-300"},
        {std::numeric_limits<double>::max(), u"1,79769313486232E308"},
        {std::numeric_limits<double>::denorm_min(), u"4,94065645841247E-324"},
    };
    for (const Escrita &caso : casos) {
        SCOPED_TRACE(caso.valor);
        EXPECT_EQ(RealParaTexto(caso.valor), Texto(caso.texto));
    }
}

TEST(Real, RefusesToWriteWhatCannotBeReadBack)
{
    for (double valor : {std::numeric_limits<double>::quiet_NaN(),
             std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()})
        EXPECT_THROW(RealParaTexto(valor), EConvertError);
}

TEST(Real, ReadsCommaDecimalsAndExponentsStrictly)
{
    const Leitura casos[] = {
        {u"1234,5", 1234.5},
        {u"-0,5", -0.5},
        {u"+2", 2},
        {u" 3 ", 3},
        {u",5", 0.5},
        {u"5,", 5},
        {u"1E15", 1e15},
        {u"1e15", 1e15},
        {u"1E-6", 1e-6},
        {u"1,5E+3", 1500},
        {u"-2,5E300", -2.5e300},
        {u"4,94065645841247E-324", std::numeric_limits<double>::denorm_min()},
        {u"0E99999999999999999999", 0},
        {u"", std::nullopt},
        {u" ", std::nullopt},
        {u"1.5", std::nullopt},
        {u"1234.56", std::nullopt},
        {u"1.234,5", std::nullopt},
        {u"1 234,5", std::nullopt},
        {u"1,2,3", std::nullopt},
        {u",", std::nullopt},
        {u"-", std::nullopt},
        {u"E5", std::nullopt},
        {u"1E", std::nullopt},
        {u"1E+", std::nullopt},
        {u"1,5 E3", std::nullopt},
        {u"--1", std::nullopt},
        {u"+-1", std::nullopt},
        {u"1E400", std::nullopt},
        {u"1E-400", std::nullopt},
        {u"NAN", std::nullopt},
        {u"INF", std::nullopt},
        {u"0x10", std::nullopt},
        {u"\u0661", std::nullopt},
    };
    ConferirLeituras(casos, [](const QString &t) { return TentarTextoParaReal(t); });
}

TEST(Real, ReadsALongMantissaWithCorrectRounding)
{
    const QString longo
        = QStringLiteral("0,") + QString(5000, QLatin1Char('0')) + QStringLiteral("1E5000");
    EXPECT_EQ(TextoParaReal(longo), 0.1);
    EXPECT_EQ(TextoParaReal(QString(400, QLatin1Char('9')) + QStringLiteral("E-400")), 1.0);
}

TEST(Real, WrittenTextReadsBackToTheSameText)
{
    // Values of at most 15 significant digits come back exactly; any other value comes back
    // as its 15-digit rounding, whose text is stable from then on.
    for (double valor : {1234.5, -0.001, 7.12345, 1e-5, 5.5e-7, 1e15, 123456789012345.0})
        EXPECT_EQ(TextoParaReal(RealParaTexto(valor)), valor) << valor;

    QRandomGenerator aleatorio(20240601);
    for (int i = 0; i < 2000; ++i) {
        const double valor
            = std::ldexp(aleatorio.generateDouble() - 0.5, aleatorio.bounded(-1070, 1024));
        const QString texto = RealParaTexto(valor);
        ASSERT_EQ(RealParaTexto(TextoParaReal(texto)), texto) << valor;
    }
}

TEST(Real, WritesTheFifteenDigitRoundingOfShortAndLongValues)
{
    // Values of few digits (prices, quantities) and of full precision, normal and subnormal:
    // the text stands for the value rounded to 15 significant digits.
    QRandomGenerator aleatorio(20240712);
    for (int i = 0; i < 4000; ++i) {
        double valor = std::ldexp(aleatorio.generateDouble() - 0.5, aleatorio.bounded(-1074, 1024));
        if (i % 2 == 0)
            valor = double(aleatorio.bounded(100000000)) / std::pow(10.0, aleatorio.bounded(0, 9));
        const double arredondado = QByteArray::number(valor, 'e', 14).toDouble();
        ASSERT_EQ(TextoParaReal(RealParaTexto(valor)), arredondado) << valor;
    }
}

TEST(DataHora, WritesTheDateAndTheTimeOnlyWhenNotMidnight)
{
    const Escrita casos[] = {
        {0, u"30/12/1899"},
        {2, u"01/01/1900"},
        {45000, u"15/03/2023"},
        {45000.5, u"15/03/2023 12:00:00"},
        {14.5 * HORA, u"30/12/1899 14:30:00"},
        {0.5 * SEGUNDO, u"30/12/1899"},
        {45000 + 86399.9996 * SEGUNDO, u"15/03/2023 23:59:59"},
        {-1.25, u"29/12/1899 06:00:00"},
        {DIA_MINIMO, u"01/01/0001"},
        {DIA_MAXIMO + 0.99999, u"31/12/9999 23:59:59"},
    };
    for (const Escrita &caso : casos) {
        SCOPED_TRACE(caso.valor);
        EXPECT_EQ(DataHoraParaTexto(caso.valor), Texto(caso.texto));
    }
    for (double valor :
        {DIA_MAXIMO + 1.0, DIA_MINIMO - 1.0, 1e300, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_THROW(DataHoraParaTexto(valor), EConvertError) << valor;
}

TEST(DataHora, ReadsADateADateWithTimeOrATimeAlone)
{
    const Leitura casos[] = {
        {u"15/03/2023", 45000},
        {u"1/1/1900", 2},
        {u" 15/03/2023\n", 45000},
        {u"15/03/2023 12:00:00", 45000.5},
        {u"15/03/2023 12:00", 45000.5},
        {u"15/03/2023   6:00", 45000.25},
        {u"14:30", 14.5 * HORA},
        {u"14:30:00", 14.5 * HORA},
        {u"0:00", 0},
        {u"23:59:59", 1 - SEGUNDO},
        {u"29/02/2024", 45351},
        {u"29/12/1899 06:00", -1.25},
        {u"01/01/0001", DIA_MINIMO},
        {u"31/12/9999", DIA_MAXIMO},
        {u"", std::nullopt},
        {u" ", std::nullopt},
        {u"29/02/2023", std::nullopt},
        {u"31/04/2023", std::nullopt},
        {u"00/01/2023", std::nullopt},
        {u"01/13/2023", std::nullopt},
        {u"01/01/0000", std::nullopt},
        {u"01/01/23", std::nullopt},
        {u"01/01/20233", std::nullopt},
        {u"123/03/2023", std::nullopt},
        {u"15-03-2023", std::nullopt},
        {u"15/03/2023T12:00", std::nullopt},
        {u"15/03/2023 12:00:00:00", std::nullopt},
        {u"15/03/2023 12:00:00,5", std::nullopt},
        {u"12:00 15/03/2023", std::nullopt},
        {u"24:00", std::nullopt},
        {u"12:60", std::nullopt},
        {u"12:00:60", std::nullopt},
        {u"12", std::nullopt},
        {u"12:", std::nullopt},
        {u"-1:00", std::nullopt},
        {u"45000", std::nullopt},
    };
    ConferirLeituras(
        casos, [](const QString &t) { return TentarTextoParaDataHora(t); }, 1e-9);
    EXPECT_THROW(TextoParaDataHora(u"32/01/2023"), EConvertError);
}

TEST(DataHora, AnyAcceptedTextWritesBackTheSameValue)
{
    // Random texts over the characters a date-time is made of: the reader never fails
    // other than by refusing, and what it accepts it writes back as an equal value.
    const QString alfabeto = QStringLiteral("0123456789/: ,-");
    QRandomGenerator aleatorio(7);
    int aceitos = 0;
    for (int i = 0; i < 200000; ++i) {
        QString texto;
        const int tamanho = aleatorio.bounded(1, 20);
        for (int j = 0; j < tamanho; ++j)
            texto += alfabeto.at(aleatorio.bounded(alfabeto.size()));
        const std::optional<double> lido = TentarTextoParaDataHora(texto);
        if (!lido)
            continue;
        ++aceitos;
        const QString escrito = DataHoraParaTexto(*lido);
        ASSERT_EQ(DataHoraParaTexto(TextoParaDataHora(escrito)), escrito) << texto.toStdString();
    }
    EXPECT_GT(aceitos, 0);
}
