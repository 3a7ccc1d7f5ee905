#include "common/uExcecoes.h"
#include "exchange/uVTManipulaBlobStreamHexa.h"

#include <gtest/gtest.h>

namespace {

const QString ErroConversao
    = QStringLiteral("Ocorreu um erro ao converter um Inteiro para Hexadecimal");

struct CasoDecodificacao
{
    const char *texto;
    QByteArray bytes;
};

class HexDecoding : public ::testing::TestWithParam<CasoDecodificacao>
{
};

QString Texto(const char *latin1)
{
    return QString::fromLatin1(latin1);
}

} // namespace

TEST_P(HexDecoding, GivesTheBytesInOrder)
{
    EXPECT_EQ(HexaParaStream(Texto(GetParam().texto)), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Texts, HexDecoding,
    ::testing::Values(CasoDecodificacao {"", QByteArray()},
        CasoDecodificacao {"4142", QByteArray("AB")},
        CasoDecodificacao {"4a4B", QByteArray("\x4A\x4B")},
        CasoDecodificacao {"00fFfe", QByteArray("\x00\xFF\xFE", 3)},
        CasoDecodificacao {"414", QByteArray("A")},
        // 21 characters: a full slice and a lone digit after it
        CasoDecodificacao {"414243444546474849504", QByteArray("ABCDEFGHIP")}));

TEST(HexDecoding, CrossesSliceBoundariesInOrder)
{
    QByteArray esperado;
    for (int i = 0; i < 45; ++i)
        esperado.append(char(i * 5 + 1));
    const QString texto = QString::fromLatin1(esperado.toHex());
    ASSERT_EQ(texto.size(), 90);

    EXPECT_EQ(HexaParaStream(texto), esperado);
}

TEST(HexDecoding, DecodesMegabytesOfText)
{
    QByteArray esperado(4 * 1024 * 1024, '\0');
    for (int i = 0; i < esperado.size(); ++i)
        esperado[i] = char(i * 7);

    EXPECT_EQ(HexaParaStream(QString::fromLatin1(esperado.toHex().toUpper())), esperado);
}

class HexRefusal : public ::testing::TestWithParam<const char *>
{
};

TEST_P(HexRefusal, RaisesTheConversionError)
{
    try {
        HexaParaStream(Texto(GetParam()));
        FAIL() << "no error for " << GetParam();
    } catch (const EConvertError &e) {
        EXPECT_EQ(e.Message(), ErroConversao);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, HexRefusal,
    ::testing::Values(
        "41G", "4G41", "41 42", "41\n42", "0x41", "g", "4142434445464748494A4B4C4D-", "41\xe9"));

TEST(HexToInteger, ValueOfTheDigitsMostSignificantFirst)
{
    EXPECT_EQ(HexaParaInteiro(QString()), 0);
    EXPECT_EQ(HexaParaInteiro(QStringLiteral("7")), 7);
    EXPECT_EQ(HexaParaInteiro(QStringLiteral("fF")), 255);
    EXPECT_EQ(HexaParaInteiro(QStringLiteral("1a2")), 0x1A2);
    EXPECT_THROW(HexaParaInteiro(QStringLiteral("1z")), EConvertError);
}
