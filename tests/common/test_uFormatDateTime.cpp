#include "common/uFormatDateTime.h"
#include "support/ImpressaoQt.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr double DIA_15_03_2024 = 45366; // a Friday
constexpr double HORA = 1.0 / 24;
constexpr double MINUTO = HORA / 60;

struct Caso
{
    const char16_t *figura;
    double valor;
    const char16_t *esperado;
};

TEST(FormatDateTime, Figuras)
{
    const Caso casos[] = {
        {u"hh:mm", 14 * HORA + 5 * MINUTO, u"14:05"},
        {u"hh:mm", DIA_15_03_2024 + 9 * HORA + 30 * MINUTO, u"09:30"},
        {u"h:nn", 9 * HORA + 7 * MINUTO, u"9:07"},
        {u"HH:mm:ss", 23 * HORA + 59 * MINUTO + 59.0 / 86400, u"23:59:59"},
        {u"dd/mm/yyyy", DIA_15_03_2024, u"15/03/2024"},
        {u"d/m/yy", DIA_15_03_2024, u"15/3/24"},
        {u"dddd, d 'de' mmmm", DIA_15_03_2024, u"sexta-feira, 15 de março"},
        {u"ddd mmm", DIA_15_03_2024, u"sex mar"},
        {u"", DIA_15_03_2024, u"15/03/2024"},
        {u"", DIA_15_03_2024 + 12 * HORA, u"15/03/2024 12:00:00"},
        {u"dd/mm/yyyy", 0, u"30/12/1899"},
        {u"dd/mm/yyyy hh:nn", -1.25, u"29/12/1899 06:00"},
        // a time a hair below midnight rounds to the next day
        {u"dd/mm hh:nn:ss.zzz", DIA_15_03_2024 + 0.9999999999, u"16/03 00:00:00.000"},
        {u"\"aberto", 0, u"aberto"},
        {u"dd/mm/yyyy", 1e12, u""},
        {u"hh:mm", std::numeric_limits<double>::quiet_NaN(), u""},
    };
    for (const Caso &caso : casos) {
        EXPECT_EQ(FormatDateTime(QString::fromUtf16(caso.figura), caso.valor),
            QString::fromUtf16(caso.esperado))
            << QString::fromUtf16(caso.figura).toStdString() << " / " << caso.valor;
    }
}

} // namespace
