#include "common/uFormatFloat.h"

#include "common/uConfiguracaoRegional.h"
#include "common/uConversoes.h"

#include <QList>

#include <charconv>
#include <cmath>
#include <vector>

namespace {

// One element of a picture section.
struct Elemento
{
    enum Tipo { Zero, Cerquilha, Ponto, Virgula, Expoente, Literal };
    Tipo tipo;
    QString texto; // Literal: the text; Expoente: the letter ("E" or "e")
    bool sinalSempre = false; // Expoente: "+" shows the sign of a positive exponent too
    int digitos = 0; // Expoente: minimum number of exponent digits
};

// What a section asks of the number.
struct Disposicao
{
    int inteiros = 0; // integer digit placeholders
    int minInteiros = 0; // integer digits always shown, from the first "0" to the point
    int decimais = 0; // decimal digit placeholders
    int minDecimais = 0; // decimals always shown, up to the last "0" after the point
    bool milhar = false;
    bool temPonto = false;
    bool cientifico = false;
};

// Splits a picture at the semicolons that stand outside quotes; a fourth section and beyond
// are ignored.
QList<QStringView> Secoes(QStringView figura)
{
    QList<QStringView> secoes;
    qsizetype inicio = 0;
    QChar aspa;
    for (qsizetype i = 0; i < figura.size() && secoes.size() < 3; ++i) {
        const QChar c = figura[i];
        if (!aspa.isNull()) {
            if (c == aspa)
                aspa = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            aspa = c;
        } else if (c == QLatin1Char(';')) {
            secoes.append(figura.mid(inicio, i - inicio));
            inicio = i + 1;
        }
    }
    if (secoes.size() < 3)
        secoes.append(figura.mid(inicio));
    return secoes;
}

std::vector<Elemento> Elementos(QStringView secao)
{
    std::vector<Elemento> elementos;
    auto literal = [&elementos](QStringView texto) {
        if (!elementos.empty() && elementos.back().tipo == Elemento::Literal)
            elementos.back().texto += texto;
        else
            elementos.push_back({Elemento::Literal, texto.toString()});
    };
    bool ponto = false;
    bool expoente = false;
    for (qsizetype i = 0; i < secao.size(); ++i) {
        const QChar c = secao[i];
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            qsizetype fim = secao.indexOf(c, i + 1);
            if (fim < 0)
                fim = secao.size();
            literal(secao.mid(i + 1, fim - i - 1));
            i = fim;
        } else if (c == QLatin1Char('0')) {
            elementos.push_back({Elemento::Zero, {}});
        } else if (c == QLatin1Char('#')) {
            elementos.push_back({Elemento::Cerquilha, {}});
        } else if (c == QLatin1Char('.') && !ponto && !expoente) {
            ponto = true;
            elementos.push_back({Elemento::Ponto, {}});
        } else if (c == QLatin1Char(',')) {
            elementos.push_back({Elemento::Virgula, {}});
        } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && !expoente
            && i + 1 < secao.size()
            && (secao[i + 1] == QLatin1Char('+') || secao[i + 1] == QLatin1Char('-'))) {
            expoente = true;
            Elemento e {Elemento::Expoente, QString(c)};
            e.sinalSempre = secao[i + 1] == QLatin1Char('+');
            i += 2;
            while (i < secao.size() && secao[i] == QLatin1Char('0') && e.digitos < 4) {
                ++e.digitos;
                ++i;
            }
            --i;
            elementos.push_back(e);
        } else {
            literal(secao.mid(i, 1));
        }
    }
    return elementos;
}

Disposicao Dispor(const std::vector<Elemento> &elementos)
{
    Disposicao d;
    int primeiroZero = -1;
    for (const Elemento &e : elementos) {
        switch (e.tipo) {
        case Elemento::Zero:
        case Elemento::Cerquilha:
            if (d.temPonto) {
                ++d.decimais;
                if (e.tipo == Elemento::Zero)
                    d.minDecimais = d.decimais;
            } else {
                if (e.tipo == Elemento::Zero && primeiroZero < 0)
                    primeiroZero = d.inteiros;
                ++d.inteiros;
            }
            break;
        case Elemento::Ponto:
            d.temPonto = true;
            break;
        case Elemento::Virgula:
            d.milhar = true;
            break;
        case Elemento::Expoente:
            d.cientifico = true;
            break;
        case Elemento::Literal:
            break;
        }
    }
    if (primeiroZero >= 0)
        d.minInteiros = d.inteiros - primeiroZero;
    return d;
}

// The significant digits of a positive finite value in their shortest decimal form, and the
// power of ten of the first one (1234.5 gives "12345" and 3).
struct Algarismos
{
    QByteArray digitos;
    int expoente = 0;
};

Algarismos Decompor(double valor)
{
    Algarismos a;
    if (valor == 0)
        return a;
    char texto[64];
    const auto fim
        = std::to_chars(texto, texto + sizeof texto, valor, std::chars_format::scientific);
    const char *p = texto;
    for (; p < fim.ptr && *p != 'e'; ++p) {
        if (*p != '.')
            a.digitos.append(*p);
    }
    if (p < fim.ptr) {
        const char *q = p + 1;
        if (q < fim.ptr && *q == '+')
            ++q;
        std::from_chars(q, fim.ptr, a.expoente);
    }
    return a;
}

// Digit at a power of ten, '0' outside the significant digits.
char DigitoEm(const Algarismos &a, int potencia)
{
    const qint64 indice = qint64(a.expoente) - potencia;
    return indice >= 0 && indice < a.digitos.size() ? a.digitos[indice] : '0';
}

// The number in digits, ready to be laid into the picture.
struct Numero
{
    QByteArray inteiro;
    QByteArray fracao;
    int expoente = 0; // scientific notation only
    bool nulo = true; // every shown digit is zero
};

// Digits from the power of ten `primeira` down to `unidade` form the integer part, then
// `decimais` decimals follow, rounded half away from zero at the last one.
void Preencher(Numero &n, const Algarismos &a, int primeira, int unidade, int decimais)
{
    QByteArray todos;
    todos.reserve(qMax(primeira - unidade + 1, 0) + decimais + 1);
    for (qint64 p = primeira; p >= qint64(unidade) - decimais; --p)
        todos.append(DigitoEm(a, int(p)));
    if (DigitoEm(a, unidade - decimais - 1) >= '5') {
        qsizetype i = todos.size() - 1;
        for (; i >= 0 && todos[i] == '9'; --i)
            todos[i] = '0';
        if (i >= 0)
            todos[i] = char(todos[i] + 1);
        else
            todos.prepend('1');
    }
    const qsizetype corte = todos.size() - decimais;
    n.inteiro = todos.left(corte);
    n.fracao = todos.mid(corte);
}

Numero Calcular(double valor, const Disposicao &d)
{
    Numero n;
    const Algarismos a = Decompor(valor);
    if (!d.cientifico) {
        Preencher(n, a, qMax(a.expoente, 0), 0, d.decimais);
    } else {
        const int inteiros = qMax(d.inteiros, 1);
        const int unidade = a.expoente - (inteiros - 1);
        Preencher(n, a, a.expoente, unidade, d.decimais);
        n.expoente = a.digitos.isEmpty() ? 0 : unidade;
        if (n.inteiro.size() > inteiros) {
            // 9,99E+00 rounded up to 10,0: one power of ten more, the last digit dropped
            const QByteArray todos = n.inteiro + n.fracao;
            n.inteiro = todos.left(inteiros);
            n.fracao = todos.mid(inteiros, d.decimais);
            ++n.expoente;
        }
    }
    while (n.fracao.size() > d.minDecimais && n.fracao.endsWith('0'))
        n.fracao.chop(1);
    qsizetype zeros = 0;
    while (zeros < n.inteiro.size() && n.inteiro[zeros] == '0')
        ++zeros;
    n.inteiro.remove(0, zeros);
    if (n.inteiro.size() < d.minInteiros)
        n.inteiro.prepend(QByteArray(d.minInteiros - n.inteiro.size(), '0'));
    n.nulo = true;
    for (const QByteArray *parte : {&n.inteiro, &n.fracao}) {
        for (const char c : *parte) {
            if (c != '0')
                n.nulo = false;
        }
    }
    return n;
}

QString Montar(const std::vector<Elemento> &elementos, const Disposicao &d, const Numero &n)
{
    const TFormatSettings &br = FormatoBrasileiro();
    const qsizetype tamanho = n.inteiro.size();
    QString saida;
    auto digitoInteiro = [&](qsizetype posicao) { // power of ten, from the right
        saida += QLatin1Char(n.inteiro[tamanho - 1 - posicao]);
        if (d.milhar && !d.cientifico && posicao > 0 && posicao % 3 == 0)
            saida += br.ThousandSeparator;
    };
    int inteiro = 0;
    int decimal = 0;
    bool aposPonto = false;
    for (const Elemento &e : elementos) {
        switch (e.tipo) {
        case Elemento::Zero:
        case Elemento::Cerquilha:
            if (aposPonto) {
                if (decimal < n.fracao.size())
                    saida += QLatin1Char(n.fracao[decimal]);
                ++decimal;
            } else {
                const qsizetype posicao = d.inteiros - 1 - inteiro;
                if (inteiro == 0) {
                    for (qsizetype q = tamanho - 1; q >= posicao; --q)
                        digitoInteiro(q);
                } else if (posicao < tamanho) {
                    digitoInteiro(posicao);
                }
                ++inteiro;
            }
            break;
        case Elemento::Ponto:
            aposPonto = true;
            if (d.inteiros == 0) {
                for (qsizetype q = tamanho - 1; q >= 0; --q)
                    digitoInteiro(q);
            }
            if (!n.fracao.isEmpty())
                saida += br.DecimalSeparator;
            break;
        case Elemento::Virgula:
            break;
        case Elemento::Expoente: {
            saida += e.texto;
            if (n.expoente < 0)
                saida += QLatin1Char('-');
            else if (e.sinalSempre)
                saida += QLatin1Char('+');
            const QString digitos = QString::number(std::abs(n.expoente));
            saida += QString(qMax(0, e.digitos - int(digitos.size())), QLatin1Char('0'));
            saida += digitos;
            break;
        }
        case Elemento::Literal:
            saida += e.texto;
            break;
        }
    }
    return saida;
}

} // namespace

QString FormatFloat(const QString &picture, double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (picture.isEmpty())
        return RealParaTexto(value);

    const QList<QStringView> secoes = Secoes(picture);
    QStringView secao = secoes[0];
    bool sinal = false;
    if (value == 0) {
        if (secoes.size() > 1)
            secao = secoes.back();
        if (secao.isEmpty())
            secao = secoes[0];
    } else if (value < 0) {
        if (secoes.size() > 1 && !secoes[1].isEmpty())
            secao = secoes[1];
        else
            sinal = true;
    }
    if (secao.isEmpty())
        return RealParaTexto(value);

    const std::vector<Elemento> elementos = Elementos(secao);
    const Disposicao disposicao = Dispor(elementos);
    const Numero numero = Calcular(std::fabs(value), disposicao);
    const bool temDigitos = disposicao.inteiros + disposicao.decimais > 0;
    QString texto = Montar(elementos, disposicao, numero);
    if (sinal && temDigitos && !numero.nulo)
        texto.prepend(QLatin1Char('-'));
    return texto;
}
