#include "common/uFormatDateTime.h"

#include "common/uConversoes.h"

#include <QDate>

#include <cmath>

namespace {

const char16_t *const DIAS_CURTOS[] = {u"seg", u"ter", u"qua", u"qui", u"sex", u"sáb", u"dom"};
const char16_t *const DIAS[] = {u"segunda-feira", u"terça-feira", u"quarta-feira", u"quinta-feira",
    u"sexta-feira", u"sábado", u"domingo"};
const char16_t *const MESES_CURTOS[] = {
    u"jan", u"fev", u"mar", u"abr", u"mai", u"jun", u"jul", u"ago", u"set", u"out", u"nov", u"dez"};
const char16_t *const MESES[] = {u"janeiro", u"fevereiro", u"março", u"abril", u"maio", u"junho",
    u"julho", u"agosto", u"setembro", u"outubro", u"novembro", u"dezembro"};

QString Numero(int valor, int largura)
{
    return QStringLiteral("%1").arg(valor, largura, 10, QLatin1Char('0'));
}

// Length of the run of `c` (case-insensitive) that starts at `i`.
qsizetype Repeticoes(const QString &texto, qsizetype i)
{
    const QChar c = texto[i].toLower();
    qsizetype fim = i + 1;
    while (fim < texto.size() && texto[fim].toLower() == c)
        ++fim;
    return fim - i;
}

} // namespace

QString FormatDateTime(const QString &picture, double dataHora)
{
    if (!std::isfinite(dataHora))
        return {};
    double dia = std::trunc(dataHora);
    qint64 ms = std::llround(std::fabs(dataHora - dia) * 86400000.0);
    if (ms >= 86400000) {
        ms -= 86400000;
        dia += 1;
    }
    if (dia < DIA_MINIMO || dia > DIA_MAXIMO)
        return {};
    if (picture.isEmpty()) {
        return ms == 0 ? FormatDateTime(QStringLiteral("dd/mm/yyyy"), dataHora)
                       : FormatDateTime(QStringLiteral("dd/mm/yyyy hh:nn:ss"), dataHora);
    }
    const QDate data = QDate(1899, 12, 30).addDays(qint64(dia));
    const int hora = int(ms / 3600000);
    const int minuto = int(ms / 60000 % 60);
    const int segundo = int(ms / 1000 % 60);
    const int milesimo = int(ms % 1000);

    QString saida;
    bool aposHora = false;
    for (qsizetype i = 0; i < picture.size();) {
        const QChar c = picture[i];
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            qsizetype fim = picture.indexOf(c, i + 1);
            if (fim < 0)
                fim = picture.size();
            saida += QStringView(picture).mid(i + 1, fim - i - 1);
            i = fim + 1;
            continue;
        }
        const qsizetype n = Repeticoes(picture, i);
        switch (c.toLower().unicode()) {
        case 'd':
            if (n >= 4)
                saida += QString::fromUtf16(DIAS[data.dayOfWeek() - 1]);
            else if (n == 3)
                saida += QString::fromUtf16(DIAS_CURTOS[data.dayOfWeek() - 1]);
            else
                saida += Numero(data.day(), int(n));
            aposHora = false;
            break;
        case 'm':
            if (aposHora)
                saida += Numero(minuto, n >= 2 ? 2 : 1);
            else if (n >= 4)
                saida += QString::fromUtf16(MESES[data.month() - 1]);
            else if (n == 3)
                saida += QString::fromUtf16(MESES_CURTOS[data.month() - 1]);
            else
                saida += Numero(data.month(), int(n));
            aposHora = false;
            break;
        case 'y':
            saida += n <= 2 ? Numero(data.year() % 100, 2) : Numero(data.year(), 4);
            aposHora = false;
            break;
        case 'h':
            saida += Numero(hora, n >= 2 ? 2 : 1);
            aposHora = true;
            break;
        case 'n':
            saida += Numero(minuto, n >= 2 ? 2 : 1);
            aposHora = false;
            break;
        case 's':
            saida += Numero(segundo, n >= 2 ? 2 : 1);
            aposHora = false;
            break;
        case 'z':
            saida += Numero(milesimo, n >= 3 ? 3 : 1);
            aposHora = false;
            break;
        default:
            // "/" and ":" are the Brazilian separators themselves
            saida += QStringView(picture).mid(i, n);
            break;
        }
        i += n;
    }
    return saida;
}
