#include "exchange/uVTManipulaBlobStreamHexa.h"

#include "common/uExcecoes.h"

namespace {

// The text is decoded a slice at a time, each slice an even number of digits.
constexpr int TamanhoFatia = 20;

[[noreturn]] void FalharConversao()
{
    throw EConvertError(QStringLiteral("Ocorreu um erro ao converter um Inteiro para Hexadecimal"));
}

int ValorDigito(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    FalharConversao();
}

void DecodificarFatia(QStringView fatia, QByteArray &bytes)
{
    for (qsizetype i = 0; i < fatia.size(); i += 2) {
        const QStringView par = fatia.mid(i, 2);
        const int valor = HexaParaInteiro(par);
        // A lone last digit is checked like the others but is no byte.
        if (par.size() == 2)
            bytes.append(char(valor & 0xFF));
    }
}

} // namespace

int HexaParaInteiro(QStringView texto)
{
    unsigned valor = 0;
    for (const QChar c : texto)
        valor = valor * 16 + unsigned(ValorDigito(c));
    return int(valor);
}

QByteArray HexaParaStream(QStringView texto)
{
    QByteArray bytes;
    bytes.reserve(texto.size() / 2);
    for (qsizetype inicio = 0; inicio < texto.size(); inicio += TamanhoFatia)
        DecodificarFatia(texto.mid(inicio, TamanhoFatia), bytes);
    return bytes;
}
