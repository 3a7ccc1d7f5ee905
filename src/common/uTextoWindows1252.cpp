#include "common/uTextoWindows1252.h"

namespace {

// Code points of the bytes 0x80 to 0x9F.
constexpr char16_t FaixaC1[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

} // namespace

QString TextoWindows1252(const QByteArray &bytes)
{
    QString texto(bytes.size(), Qt::Uninitialized);
    QChar *destino = texto.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *destino++
            = (byte >= 0x80 && byte <= 0x9F) ? QChar(FaixaC1[byte - 0x80]) : QChar(char16_t(byte));
    }
    return texto;
}

QByteArray BytesWindows1252(const QString &texto)
{
    QByteArray bytes(texto.size(), Qt::Uninitialized);
    char *destino = bytes.data();
    for (const QChar c : texto) {
        const char16_t codigo = c.unicode();
        char byte = '?';
        if (codigo <= 0xFF && (codigo < 0x80 || codigo > 0x9F)) {
            byte = char(codigo);
        } else {
            for (int i = 0; i < 32; ++i) {
                if (FaixaC1[i] == codigo)
                    byte = char(0x80 + i);
            }
        }
        *destino++ = byte;
    }
    return bytes;
}
