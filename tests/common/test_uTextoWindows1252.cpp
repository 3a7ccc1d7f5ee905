#include "common/uTextoWindows1252.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

namespace {

TEST(TextoWindows1252, LetrasDoCodigoOcidental)
{
    struct Caso
    {
        QByteArray bytes;
        QString texto;
    };
    const Caso casos[] = {
        {QByteArray(), QString()},
        {QByteArray("Objeto 1"), QStringLiteral("Objeto 1")},
        {QByteArray("\xE7\xE3o \xC9", 5), QStringLiteral("ção É")},
        {QByteArray("\x80\x85\x93\x94\x96\x9F", 6), QStringLiteral("€…“”–Ÿ")},
        // Unassigned positions keep their control code: nothing is lost.
        {QByteArray("\x81\x8D\x8F\x90\x9D", 5), QStringLiteral("\u0081\u008D\u008F\u0090\u009D")},
        {QByteArray("a\0b", 3), QStringLiteral("a\u0000b")},
    };
    for (const Caso &c : casos)
        EXPECT_EQ(TextoWindows1252(c.bytes), c.texto) << c.bytes.toHex().constData();
}

// Where the platform's converter knows the code page, both agree on every byte.
TEST(TextoWindows1252, ConcordaComOConversorDaPlataforma)
{
    QStringDecoder plataforma("Windows-1252");
    if (!plataforma.isValid())
        GTEST_SKIP() << "conversor Windows-1252 indisponível";
    QByteArray todos(256, '\0');
    for (int i = 0; i < 256; ++i)
        todos[i] = char(i);
    EXPECT_EQ(TextoWindows1252(todos), QString(plataforma(todos)));
}

// Every byte comes back from its text; what the code page cannot hold becomes "?".
TEST(TextoWindows1252, BytesDeVolta)
{
    QByteArray todos(256, '\0');
    for (int i = 0; i < 256; ++i)
        todos[i] = char(i);
    EXPECT_EQ(BytesWindows1252(TextoWindows1252(todos)), todos);
    EXPECT_EQ(BytesWindows1252(QStringLiteral("ção €")), QByteArray("\xE7\xE3o \x80", 5));
    EXPECT_EQ(BytesWindows1252(QStringLiteral("\u0080 \u0100 \u4E2D")), QByteArray("? ? ?"));
}

} // namespace
