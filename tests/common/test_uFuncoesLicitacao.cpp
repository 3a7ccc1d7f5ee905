#include "common/uFuncoesLicitacao.h"
#include "support/MensagemGravador.h"

#include <gtest/gtest.h>

namespace {

QString T(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

struct CasoMascara
{
    QString (*mascarar)(const QString &);
    const char *entrada;
    const char *mascarado;
};

class Masks : public ::testing::TestWithParam<CasoMascara>
{
};

struct CasoValidacao
{
    bool (*validar)(const QString &);
    const char *numero;
    bool valido;
};

class CheckDigits : public ::testing::TestWithParam<CasoValidacao>
{
};

struct CasoArredondamento
{
    int casas;
    long double valor;
    long double arredondado;
};

class Rounding : public ::testing::TestWithParam<CasoArredondamento>
{
};

TEST(DobrarTexto, LowerCaseWithoutAccents)
{
    EXPECT_EQ(DobrarTexto(QStringLiteral("Café")), QStringLiteral("cafe"));
    EXPECT_EQ(DobrarTexto(QStringLiteral("AÇÚCAR Refinado")), QStringLiteral("acucar refinado"));
    EXPECT_EQ(DobrarTexto(QStringLiteral("Coração, pão")), QStringLiteral("coracao, pao"));
}

} // namespace

TEST_P(Masks, RebuildThePunctuationFromTheDigits)
{
    EXPECT_EQ(GetParam().mascarar(T(GetParam().entrada)), T(GetParam().mascarado));
}

INSTANTIATE_TEST_SUITE_P(Numbers, Masks,
    ::testing::Values(CasoMascara {MascararCPF, "12345678909", "123.456.789-09"},
        CasoMascara {MascararCPF, "123.456.789-09", "123.456.789-09"},
        CasoMascara {MascararCPF, "12a3456789 09", "123.456.789-09"},
        CasoMascara {MascararCPF, "1234", "123.4"}, CasoMascara {MascararCPF, "", ""},
        CasoMascara {MascararCPF, "1234567890912345678", "123.456.789-091234"},
        CasoMascara {MascararCNPJ, "11222333000181", "11.222.333/0001-81"},
        CasoMascara {MascararCNPJ, "11.222.333/0001-81", "11.222.333/0001-81"},
        CasoMascara {MascararCNPJ, "112223330001812", "11.222.333/0001-81"},
        CasoMascara {MascararCNPJ, "1122233", "11.222.33"}));

TEST_P(CheckDigits, AcceptOnlyMatchingCheckDigits)
{
    EXPECT_EQ(GetParam().validar(T(GetParam().numero)), GetParam().valido) << GetParam().numero;
}

INSTANTIATE_TEST_SUITE_P(Numbers, CheckDigits,
    ::testing::Values(CasoValidacao {ValidarCPF, "123.456.789-09", true},
        CasoValidacao {ValidarCPF, "123.456.789-08", false},
        CasoValidacao {ValidarCPF, "123.456.789-19", false},
        // a remainder of 1 gives the check digit 0, not 10
        CasoValidacao {ValidarCPF, "100.000.046-00", true},
        CasoValidacao {ValidarCPF, "100.000.046-10", false},
        CasoValidacao {ValidarCPF, "111.111.111-11", true},
        CasoValidacao {ValidarCPF, "000.000.000-00", true},
        CasoValidacao {ValidarCPF, "123.456.789-0", false}, CasoValidacao {ValidarCPF, "", false},
        // eleven digits out of the masked form are not read as a CPF
        CasoValidacao {ValidarCPF, "12345678909", false},
        // only the first 14 characters count
        CasoValidacao {ValidarCPF, "123.456.789-09xyz", true},
        CasoValidacao {ValidarCNPJ, "11.222.333/0001-81", true},
        CasoValidacao {ValidarCNPJ, "11.222.333/0001-82", false},
        CasoValidacao {ValidarCNPJ, "11.222.333/0001-91", false},
        CasoValidacao {ValidarCNPJ, "00.000.000/0001-91", true},
        CasoValidacao {ValidarCNPJ, "11.222.333/0001", false},
        CasoValidacao {ValidarCNPJ, "11222333000181", false}));

TEST(DocumentLength, CountsTheDigitsForThePersonKind)
{
    EXPECT_FALSE(TamanhoDocumentoValido(T("Fi"), QString()));
    EXPECT_TRUE(TamanhoDocumentoValido(T("Fi"), T("123.456.789-09")));
    EXPECT_FALSE(TamanhoDocumentoValido(T("Ju"), T("123.456.789-09")));
    EXPECT_FALSE(TamanhoDocumentoValido(T("Ju"), T("12.345.678/0001")));
    EXPECT_TRUE(TamanhoDocumentoValido(T("Ju"), T("11.222.333/0001-81")));
    EXPECT_FALSE(TamanhoDocumentoValido(T("fi"), T("12345678909")));
}

TEST(Vocabulary, NamesTheCodesByTheirFirstTwoCharacters)
{
    EXPECT_EQ(NomeModalidade(T("Pr")), T("Pregão"));
    EXPECT_EQ(NomeModalidade(T("Prx")), T("Pregão"));
    EXPECT_EQ(NomeModalidade(T("pr")), QString());
    EXPECT_EQ(NomeModalidade(T("Sc")), T("Seleção de consultores"));
    EXPECT_EQ(NomeModalidade(T("Cr")), T("Credenciamento"));
    EXPECT_EQ(NomeModalidade(QString()), QString());
    EXPECT_EQ(NomeFormaEntrega(T("Un")), T("Única"));
    EXPECT_EQ(NomeFormaEntrega(T("Pa")), T("Parcelada"));
    EXPECT_EQ(NomeFormaEntrega(T("P")), QString());
}

TEST_P(Rounding, RoundsHalfAwayFromZeroOnTheDecimalDigits)
{
    MensagemGravador gravador;
    EXPECT_EQ(Arredondar(GetParam().casas, GetParam().valor), GetParam().arredondado)
        << double(GetParam().valor) << " to " << GetParam().casas;
    EXPECT_TRUE(gravador.Mensagens().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Values, Rounding,
    ::testing::Values(CasoArredondamento {2, 1.005, 1.01L}, CasoArredondamento {2, -2.345, -2.35L},
        CasoArredondamento {0, 2.5, 3.0L}, CasoArredondamento {5, 7.123, 7.123L},
        CasoArredondamento {2, 0.125, 0.13L}, CasoArredondamento {2, -0.125, -0.13L},
        CasoArredondamento {2, 9.995, 10.0L}, CasoArredondamento {3, 0.0004, 0.0L},
        CasoArredondamento {2, -0.001, 0.0L},
        CasoArredondamento {3, 123456789.1235, 123456789.124L},
        CasoArredondamento {10, 0.12345678905, 0.1234567891L},
        CasoArredondamento {2, 1234.0, 1234.0L}));

TEST(Rounding, RefusesMoreThanTenPlacesOnTheMessageScreen)
{
    MensagemGravador gravador;

    EXPECT_EQ(Arredondar(11, 1.5), 0.0L);

    ASSERT_EQ(gravador.Mensagens().size(), 1);
    const TMensagem &m = gravador.Mensagens().first();
    EXPECT_EQ(m.Tipo, tmErro);
    EXPECT_EQ(m.Titulo, T("Atenção, Contate Suporte Técnico"));
    EXPECT_EQ(m.Texto, T("O número máximo de casas decimais a serem arredondadas é 10."));
    EXPECT_EQ(m.Botoes, TBotoesMensagem(bmContinuar));
}

TEST(Rounding, NegativeZeroIsPlainZero)
{
    EXPECT_FALSE(std::signbit(Arredondar(2, -0.001)));
}

TEST(ReplaceAll, ReplacesLeftToRightWithoutRescanning)
{
    EXPECT_EQ(SubstituirTexto(T("12/2023"), T("/"), T("-")), T("12-2023"));
    EXPECT_EQ(SubstituirTexto(T("a.b.c"), T("."), QString()), T("abc"));
    EXPECT_EQ(SubstituirTexto(T("aaa"), T("a"), T("aa")), T("aaaaaa"));
    EXPECT_EQ(SubstituirTexto(T("aaaa"), T("aa"), T("b")), T("bb"));
    EXPECT_EQ(SubstituirTexto(T("Abc abc"), T("abc"), T("x")), T("Abc x"));
    EXPECT_EQ(SubstituirTexto(T("abc"), QString(), T("x")), T("abc"));
}

TEST(TwoWayChoice, GivesTheTextOfTheCondition)
{
    EXPECT_EQ(EscolherTexto(true, T("Sim"), T("Não")), T("Sim"));
    EXPECT_EQ(EscolherTexto(false, T("Sim"), T("Não")), T("Não"));
}
