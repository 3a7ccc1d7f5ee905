#include "common/uConversoes.h"

#include "common/uConfiguracaoRegional.h"
#include "common/uExcecoes.h"

#include <QByteArray>
#include <QDate>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr qint64 MS_POR_DIA = 86400000;
constexpr qint64 MAIOR_INTEIRO = 2147483647;

bool EhBranco(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool EhDigito(QChar c)
{
    return c >= u'0' && c <= u'9';
}

QStringView SemBrancos(QStringView texto)
{
    qsizetype inicio = 0;
    qsizetype fim = texto.size();
    while (inicio < fim && EhBranco(texto[inicio]))
        ++inicio;
    while (fim > inicio && EhBranco(texto[fim - 1]))
        --fim;
    return texto.mid(inicio, fim - inicio);
}

// The offending text as a message quotes it; a hostile document may hold megabytes.
QString Citacao(QStringView texto)
{
    constexpr qsizetype limite = 60;
    if (texto.size() <= limite)
        return texto.toString();
    return texto.left(limite).toString() + QStringLiteral("...");
}

// Walks a text from the left; every read either consumes what it asked for or fails.
class Cursor
{
public:
    explicit Cursor(QStringView texto)
        : m_texto(texto)
    { }

    bool NoFim() const { return m_pos >= m_texto.size(); }
    QChar Atual() const { return NoFim() ? QChar() : m_texto[m_pos]; }

    bool Aceitar(QChar c)
    {
        if (NoFim() || m_texto[m_pos] != c)
            return false;
        ++m_pos;
        return true;
    }

    // Reads between minimo and maximo digits as a number.
    std::optional<int> Numero(int minimo, int maximo)
    {
        int valor = 0;
        int lidos = 0;
        while (lidos < maximo && EhDigito(Atual())) {
            valor = valor * 10 + (Atual().unicode() - u'0');
            ++m_pos;
            ++lidos;
        }
        if (lidos < minimo)
            return std::nullopt;
        return valor;
    }

    // Consumes a run of digits and answers how many there were.
    qsizetype PularDigitos()
    {
        const qsizetype inicio = m_pos;
        while (EhDigito(Atual()))
            ++m_pos;
        return m_pos - inicio;
    }

    qsizetype PularBrancos()
    {
        const qsizetype inicio = m_pos;
        while (EhBranco(Atual()))
            ++m_pos;
        return m_pos - inicio;
    }

    qsizetype Posicao() const { return m_pos; }

private:
    QStringView m_texto;
    qsizetype m_pos = 0;
};

qint64 DiaJulianoBase()
{
    static const qint64 base = QDate(1899, 12, 30).toJulianDay();
    return base;
}

QString DoisDigitos(qint64 valor)
{
    return QStringLiteral("%1").arg(valor, 2, 10, QLatin1Char('0'));
}

std::optional<double> LerHora(Cursor &cursor)
{
    const std::optional<int> horas = cursor.Numero(1, 2);
    if (!horas || !cursor.Aceitar(u':'))
        return std::nullopt;
    const std::optional<int> minutos = cursor.Numero(1, 2);
    if (!minutos)
        return std::nullopt;
    std::optional<int> segundos = 0;
    if (cursor.Aceitar(u':'))
        segundos = cursor.Numero(1, 2);
    if (!segundos || *horas > 23 || *minutos > 59 || *segundos > 59)
        return std::nullopt;
    return (*horas * 3600 + *minutos * 60 + *segundos) / 86400.0;
}

std::optional<qint64> LerData(Cursor &cursor)
{
    const std::optional<int> dia = cursor.Numero(1, 2);
    if (!dia || !cursor.Aceitar(u'/'))
        return std::nullopt;
    const std::optional<int> mes = cursor.Numero(1, 2);
    if (!mes || !cursor.Aceitar(u'/'))
        return std::nullopt;
    const std::optional<int> ano = cursor.Numero(4, 4);
    if (!ano || !QDate::isValid(*ano, *mes, *dia))
        return std::nullopt;
    return QDate(*ano, *mes, *dia).toJulianDay() - DiaJulianoBase();
}

} // namespace

QString InteiroParaTexto(qint32 valor)
{
    return QString::number(valor);
}

std::optional<qint32> TentarTextoParaInteiro(QStringView texto)
{
    const QStringView valor = SemBrancos(texto);
    qsizetype pos = 0;
    const bool negativo = valor.startsWith(u'-');
    if (negativo || valor.startsWith(u'+'))
        ++pos;
    if (pos == valor.size())
        return std::nullopt;
    qint64 absoluto = 0;
    for (; pos < valor.size(); ++pos) {
        if (!EhDigito(valor[pos]))
            return std::nullopt;
        absoluto = absoluto * 10 + (valor[pos].unicode() - u'0');
        if (absoluto > MAIOR_INTEIRO + 1)
            return std::nullopt;
    }
    if (!negativo && absoluto > MAIOR_INTEIRO)
        return std::nullopt;
    return static_cast<qint32>(negativo ? -absoluto : absoluto);
}

qint32 TextoParaInteiro(QStringView texto)
{
    if (const std::optional<qint32> valor = TentarTextoParaInteiro(texto))
        return *valor;
    throw EConvertError(QStringLiteral("'%1' não é um valor inteiro válido.").arg(Citacao(texto)));
}

namespace {

// The value rounded to 15 significant digits: its digits without trailing zeros (one at
// least) and the decimal exponent of the first.
struct TDigitos15
{
    char digitos[24];
    int quantidade = 0;
    int expoente = 0;
    bool negativo = false;
};

// When the shortest text that reads back as the value has at most 15 significant digits, it
// is the rounding: for a normal double any other 15-digit neighbour lies several units in the
// last place farther away. Longer values and subnormal ones (whose few bits make the shortest
// text shorter than the rounding) take the slower path of a correctly rounded "%.14e".
TDigitos15 Digitos15(double valor)
{
    char texto[40];
    const char *fim = nullptr;
    const auto [curto, erro]
        = std::to_chars(texto, texto + sizeof texto, valor, std::chars_format::scientific);
    if (erro == std::errc() && std::isnormal(valor)) {
        int digitos = 0;
        for (const char *c = texto; c != curto && *c != 'e'; ++c)
            digitos += (*c >= '0' && *c <= '9') ? 1 : 0;
        if (digitos <= 15)
            fim = curto;
    }
    if (!fim) {
        const QByteArray longo = QByteArray::number(valor, 'e', 14);
        std::copy(longo.cbegin(), longo.cend(), texto);
        fim = texto + longo.size();
    }

    TDigitos15 resultado;
    const char *c = texto;
    resultado.negativo = *c == '-';
    if (resultado.negativo)
        ++c;
    for (; c != fim && *c != 'e'; ++c) {
        if (*c != '.')
            resultado.digitos[resultado.quantidade++] = *c;
    }
    while (resultado.quantidade > 1 && resultado.digitos[resultado.quantidade - 1] == '0')
        --resultado.quantidade;
    if (c != fim && *++c == '+')
        ++c;
    std::from_chars(c, fim, resultado.expoente);
    return resultado;
}

} // namespace

QString RealParaTexto(double valor)
{
    if (!std::isfinite(valor))
        throw EConvertError(QStringLiteral("Valor real inválido."));
    if (valor == 0.0)
        return QStringLiteral("0");

    const TDigitos15 d = Digitos15(valor);
    const QChar separador = FormatoBrasileiro().DecimalSeparator;
    QString texto;
    texto.reserve(32);
    if (d.negativo)
        texto += QLatin1Char('-');
    const auto digitos = [&](int de, int ate) {
        for (int i = de; i < ate; ++i)
            texto += QLatin1Char(i < d.quantidade ? d.digitos[i] : '0');
    };
    if (d.expoente >= 0 && d.expoente <= 14) {
        digitos(0, d.expoente + 1);
        if (d.quantidade > d.expoente + 1) {
            texto += separador;
            digitos(d.expoente + 1, d.quantidade);
        }
    } else if (d.expoente < 0 && d.expoente >= -5) {
        texto += QLatin1Char('0');
        texto += separador;
        texto += QString(-d.expoente - 1, QLatin1Char('0'));
        digitos(0, d.quantidade);
    } else {
        digitos(0, 1);
        if (d.quantidade > 1) {
            texto += separador;
            digitos(1, d.quantidade);
        }
        texto += QLatin1Char('E') + QString::number(d.expoente);
    }
    return texto;
}

std::optional<double> TentarTextoParaReal(QStringView texto)
{
    const QStringView valor = SemBrancos(texto);
    Cursor cursor(valor);
    if (!cursor.Aceitar(u'-'))
        cursor.Aceitar(u'+');
    const qsizetype inicioNumero = cursor.Posicao();
    qsizetype digitos = cursor.PularDigitos();
    if (cursor.Aceitar(FormatoBrasileiro().DecimalSeparator))
        digitos += cursor.PularDigitos();
    if (digitos == 0)
        return std::nullopt;
    if (cursor.Aceitar(u'E') || cursor.Aceitar(u'e')) {
        if (!cursor.Aceitar(u'-'))
            cursor.Aceitar(u'+');
        if (cursor.PularDigitos() == 0)
            return std::nullopt;
    }
    if (!cursor.NoFim())
        return std::nullopt;

    // The same number in the C notation: std::from_chars reads it without any locale,
    // rounds correctly at any length and reports a value beyond the range of a double.
    QByteArray c = valor.mid(inicioNumero).toLatin1();
    c.replace(FormatoBrasileiro().DecimalSeparator.toLatin1(), '.');
    double numero = 0.0;
    const std::from_chars_result lido = std::from_chars(c.cbegin(), c.cend(), numero);
    if (lido.ec != std::errc() || lido.ptr != c.cend())
        return std::nullopt;
    return valor.startsWith(u'-') ? -numero : numero;
}

double TextoParaReal(QStringView texto)
{
    if (const std::optional<double> valor = TentarTextoParaReal(texto))
        return *valor;
    throw EConvertError(QStringLiteral("'%1' não é um valor real válido.").arg(Citacao(texto)));
}

QString DataHoraParaTexto(double dataHora)
{
    const double dia = std::trunc(dataHora);
    if (!std::isfinite(dataHora) || dia < DIA_MINIMO || dia > DIA_MAXIMO)
        throw EConvertError(QStringLiteral("Data e hora fora do intervalo válido."));

    // Rounding to milliseconds first absorbs the binary noise of the fraction (0.5 may be
    // held as 0.49999999999); the last millisecond of a day stays on that day.
    const qint64 ms = qMin(std::llround(std::fabs(dataHora - dia) * MS_POR_DIA), MS_POR_DIA - 1);
    const QDate data = QDate::fromJulianDay(DiaJulianoBase() + static_cast<qint64>(dia));
    QString texto = DoisDigitos(data.day()) + QLatin1Char('/') + DoisDigitos(data.month())
        + QLatin1Char('/') + QStringLiteral("%1").arg(data.year(), 4, 10, QLatin1Char('0'));

    const qint64 segundos = ms / 1000;
    if (segundos != 0) {
        texto += QLatin1Char(' ') + DoisDigitos(segundos / 3600) + QLatin1Char(':')
            + DoisDigitos(segundos / 60 % 60) + QLatin1Char(':') + DoisDigitos(segundos % 60);
    }
    return texto;
}

std::optional<double> TentarTextoParaDataHora(QStringView texto)
{
    const QStringView valor = SemBrancos(texto);
    Cursor cursor(valor);
    if (!valor.contains(u'/')) {
        const std::optional<double> hora = LerHora(cursor);
        if (!hora || !cursor.NoFim())
            return std::nullopt;
        return *hora;
    }

    const std::optional<qint64> dia = LerData(cursor);
    if (!dia)
        return std::nullopt;
    double hora = 0.0;
    if (!cursor.NoFim()) {
        if (cursor.PularBrancos() == 0)
            return std::nullopt;
        const std::optional<double> lida = LerHora(cursor);
        if (!lida || !cursor.NoFim())
            return std::nullopt;
        hora = *lida;
    }
    // Before 30/12/1899 the day count is negative while the time still runs forward.
    return *dia < 0 ? static_cast<double>(*dia) - hora : static_cast<double>(*dia) + hora;
}

double TextoParaDataHora(QStringView texto)
{
    if (const std::optional<double> valor = TentarTextoParaDataHora(texto))
        return *valor;
    throw EConvertError(QStringLiteral("'%1' não é uma data e hora válida.").arg(Citacao(texto)));
}
