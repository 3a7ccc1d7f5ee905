#include "common/uFuncoesLicitacao.h"

#include "common/uConfiguracaoRegional.h"
#include "messages/ExibeMensagens.h"

#include <QByteArray>

#include <charconv>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace {

constexpr int TamanhoMaximoMascara = 18;
constexpr int MaximoCasasArredondamento = 10;
// Digits formatted beyond the wanted places, so that binary noise (1.005 held as
// 1.00499999...) vanishes before the rounding digit is looked at.
constexpr int CasasDeFolga = 8;

// A separator that the mask puts in before a digit when the result has that length.
using TSeparadores = std::vector<std::pair<int, QChar>>;

bool EhDigito(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QString Mascarar(const QString &texto, const TSeparadores &separadores)
{
    QString resultado;
    for (const QChar c : texto) {
        if (resultado.size() >= TamanhoMaximoMascara)
            break;
        if (!EhDigito(c))
            continue;
        for (const auto &[comprimento, separador] : separadores) {
            if (resultado.size() == comprimento) {
                resultado.append(separador);
                break;
            }
        }
        resultado.append(c);
    }
    resultado.truncate(TamanhoMaximoMascara);
    return resultado;
}

// How one taxpayer number is laid out in its masked form and how its check digits are made.
struct TRegraDocumento
{
    const char *tipoPessoa;
    std::vector<int> posicoesDigitos; // in the masked form, counted from 1
    std::vector<int> pesosPrimeiroDigito;
    std::vector<int> pesosSegundoDigito;
};

const TRegraDocumento &RegraCPF()
{
    static const TRegraDocumento regra {"Fi", {1, 2, 3, 5, 6, 7, 9, 10, 11, 13, 14},
        {10, 9, 8, 7, 6, 5, 4, 3, 2}, {11, 10, 9, 8, 7, 6, 5, 4, 3, 2}};
    return regra;
}

const TRegraDocumento &RegraCNPJ()
{
    static const TRegraDocumento regra {"Ju", {1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, 15, 17, 18},
        {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}, {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}};
    return regra;
}

int DigitoVerificador(const std::vector<int> &digitos, const std::vector<int> &pesos)
{
    int soma = 0;
    for (std::size_t i = 0; i < pesos.size(); ++i)
        soma += digitos[i] * pesos[i];
    const int digito = 11 - soma % 11;
    return digito > 9 ? 0 : digito;
}

bool ValidarDocumento(const QString &texto, const TRegraDocumento &regra)
{
    const QString mascarado = texto.left(regra.posicoesDigitos.back());
    if (!TamanhoDocumentoValido(QLatin1String(regra.tipoPessoa), mascarado))
        return false;

    std::vector<int> digitos;
    for (const int posicao : regra.posicoesDigitos) {
        // A text that is not in the masked form has no digit where one is expected.
        if (posicao > mascarado.size() || !EhDigito(mascarado.at(posicao - 1)))
            return false;
        digitos.push_back(mascarado.at(posicao - 1).digitValue());
    }

    const std::size_t quantidade = digitos.size();
    std::vector<int> base(digitos.begin(), digitos.end() - 2);
    const int primeiro = DigitoVerificador(base, regra.pesosPrimeiroDigito);
    base.push_back(primeiro);
    const int segundo = DigitoVerificador(base, regra.pesosSegundoDigito);
    return primeiro == digitos[quantidade - 2] && segundo == digitos[quantidade - 1];
}

QString NomeDaTabela(
    const QString &codigo, const std::vector<std::pair<const char *, const char *>> &tabela)
{
    const QString chave = codigo.left(2);
    for (const auto &[sigla, nome] : tabela) {
        if (chave == QLatin1String(sigla))
            return QString::fromUtf8(nome);
    }
    return QString();
}

// The value in fixed notation with the Brazilian decimal separator.
QString FormatarFixo(long double valor, int casas)
{
    // Fixed notation as printf writes it in the C locale, whatever the process's locale.
    char texto[std::numeric_limits<long double>::max_exponent10 + 64];
    const auto [fim, erro]
        = std::to_chars(texto, texto + sizeof texto, valor, std::chars_format::fixed, casas);
    QString resultado = QString::fromLatin1(texto, erro == std::errc() ? fim - texto : 0);
    resultado.replace(QLatin1Char('.'), FormatoBrasileiro().DecimalSeparator);
    return resultado;
}

long double LerFixo(const QString &texto)
{
    QByteArray comPonto = texto.toLatin1();
    comPonto.replace(FormatoBrasileiro().DecimalSeparator.toLatin1(), '.');
    const char *inicio = comPonto.constData();
    if (*inicio == '-')
        ++inicio;
    long double valor = 0;
    std::from_chars(inicio, comPonto.constData() + comPonto.size(), valor);
    return comPonto.startsWith('-') ? -valor : valor;
}

// Adds one unit in the last place of a text of decimal digits.
void SomarUmNaUltimaCasa(QString &digitos)
{
    for (int i = digitos.size() - 1; i >= 0; --i) {
        if (digitos[i] != QLatin1Char('9')) {
            digitos[i] = QChar(digitos[i].unicode() + 1);
            return;
        }
        digitos[i] = QLatin1Char('0');
    }
    digitos.prepend(QLatin1Char('1'));
}

} // namespace

QString MascararCPF(const QString &texto)
{
    return Mascarar(texto, {{3, QLatin1Char('.')}, {7, QLatin1Char('.')}, {11, QLatin1Char('-')}});
}

QString MascararCNPJ(const QString &texto)
{
    return Mascarar(texto,
        {{2, QLatin1Char('.')}, {6, QLatin1Char('.')}, {10, QLatin1Char('/')},
            {15, QLatin1Char('-')}});
}

bool TamanhoDocumentoValido(const QString &tipoPessoa, const QString &texto)
{
    int digitos = 0;
    for (const QChar c : texto) {
        if (EhDigito(c) && digitos < 14)
            ++digitos;
    }
    return (tipoPessoa == QLatin1String("Fi") && digitos == 11)
        || (tipoPessoa == QLatin1String("Ju") && digitos == 14);
}

bool ValidarCPF(const QString &texto)
{
    return ValidarDocumento(texto, RegraCPF());
}

bool ValidarCNPJ(const QString &texto)
{
    return ValidarDocumento(texto, RegraCNPJ());
}

QString NomeModalidade(const QString &codigo)
{
    static const std::vector<std::pair<const char *, const char *>> modalidades {
        {"Cv", "Convite"},
        {"Tp", "Tomada de preços"},
        {"Cc", "Concorrência"},
        {"Le", "Leilão"},
        {"Di", "Dispensa"},
        {"In", "Inexigibilidade"},
        {"Cs", "Concurso"},
        {"Pr", "Pregão"},
        {"Sc", "Seleção de consultores"},
        {"Sp", "Solicitação de proposta"},
        {"Cp", "Comparação de preços"},
        {"Li", "Licitação pública internacional"},
        {"Ln", "Licitação pública nacional"},
        {"Pe", "Pregão RGP"},
        {"Ce", "Concorrência RGP"},
        {"Cr", "Credenciamento"},
    };
    return NomeDaTabela(codigo, modalidades);
}

QString NomeFormaEntrega(const QString &codigo)
{
    static const std::vector<std::pair<const char *, const char *>> formas {
        {"Un", "Única"},
        {"Pa", "Parcelada"},
    };
    return NomeDaTabela(codigo, formas);
}

long double Arredondar(int casas, long double valor)
{
    if (casas < 0 || casas > MaximoCasasArredondamento) {
        ExibeMensagem(tmErro, QStringLiteral("Atenção, Contate Suporte Técnico"),
            QStringLiteral("O número máximo de casas decimais a serem arredondadas é 10."),
            bmContinuar);
        return 0;
    }
    if (!std::isfinite(valor))
        return valor;

    const QString texto = FormatarFixo(valor, casas + CasasDeFolga);
    const int separador = texto.indexOf(FormatoBrasileiro().DecimalSeparator);
    const bool negativo = texto.startsWith(QLatin1Char('-'));
    const int inicio = negativo ? 1 : 0;

    // The integer digits and the kept decimals as one number of units of the last place.
    QString digitos = texto.mid(inicio, separador - inicio) + texto.mid(separador + 1, casas);
    if (texto.at(separador + 1 + casas) >= QLatin1Char('5'))
        SomarUmNaUltimaCasa(digitos);

    QString arredondado = digitos.left(digitos.size() - casas);
    if (casas > 0)
        arredondado += FormatoBrasileiro().DecimalSeparator + digitos.right(casas);
    const long double resultado = LerFixo(arredondado);
    // No negative zero: -0.001 rounds to 0.
    return negativo && resultado != 0 ? -resultado : resultado;
}

QString SubstituirTexto(const QString &texto, const QString &procurado, const QString &substituto)
{
    if (procurado.isEmpty())
        return texto;
    QString resultado = texto;
    return resultado.replace(procurado, substituto, Qt::CaseSensitive);
}

QString EscolherTexto(bool condicao, const QString &seVerdadeiro, const QString &seFalso)
{
    return condicao ? seVerdadeiro : seFalso;
}

QString DobrarTexto(const QString &texto)
{
    const QString decomposto = texto.normalized(QString::NormalizationForm_D);
    QString dobrado;
    dobrado.reserve(decomposto.size());
    for (const QChar caractere : decomposto) {
        if (caractere.category() != QChar::Mark_NonSpacing)
            dobrado.append(caractere);
    }
    return dobrado.toCaseFolded();
}
