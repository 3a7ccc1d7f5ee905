#include "report/uAlinhaValor.h"

#include "common/uConfiguracaoRegional.h"
#include "messages/ExibeMensagens.h"
#include "report/uBandasRelatorio.h"

namespace {

struct TPredefinicao
{
    quint8 TamanhoCifrao;
    quint8 NumeroZerosADireita;
    quint8 CasasDecimais;
};

// Presets of the kinds tavNenhum to tavValorTotalSemCifrao, in their order; all have 15 digits.
constexpr TPredefinicao Predefinicoes[] = {
    {0, 0, 5},
    {0, 0, 5},
    {3, 2, 5},
    {0, 2, 5},
    {3, 2, 2},
    {0, 2, 2},
};
constexpr quint8 DigitosPredefinidos = 15;

void Informar(const QString &texto)
{
    ExibeMensagem(tmInformacao, QStringLiteral("Atenção"), texto, bmContinuar);
}

// Groups a run of digits in threes with the thousands separator.
QString Agrupar(const QString &digitos)
{
    QString agrupado;
    for (int i = 0; i < digitos.size(); ++i) {
        if (i > 0 && (digitos.size() - i) % 3 == 0)
            agrupado += FormatoBrasileiro().ThousandSeparator;
        agrupado += digitos.at(i);
    }
    return agrupado;
}

} // namespace

TAlinhaValor::TAlinhaValor(TTextoRelatorio *dono)
    : m_dono(dono)
{ }

void TAlinhaValor::Assign(const TAlinhaValor &origem)
{
    m_tamanhoCifrao = origem.m_tamanhoCifrao;
    m_digitos = origem.m_digitos;
    m_casasDecimais = origem.m_casasDecimais;
    m_numeroZerosADireita = origem.m_numeroZerosADireita;
    MostraAsterisco = origem.MostraAsterisco;
    m_tipo = origem.m_tipo;
    if (m_tipo != tavNenhum)
        PrepararDono();
}

bool TAlinhaValor::PermiteMudanca() const
{
    if (m_aplicandoPredefinicao || m_tipo == tavNenhum || m_tipo == tavCustomizado)
        return true;
    Informar(QStringLiteral("Esta propriedade só pode ser mudada se a propriedade "
                            "\"TipoAlinhaValor = tavCustomizado\"."));
    return false;
}

void TAlinhaValor::SetTamanhoCifrao(quint8 valor)
{
    if (valor != m_tamanhoCifrao && PermiteMudanca())
        m_tamanhoCifrao = valor;
}

void TAlinhaValor::SetNumeroZerosADireita(quint8 valor)
{
    if (valor != m_numeroZerosADireita && PermiteMudanca())
        m_numeroZerosADireita = valor;
}

void TAlinhaValor::SetDigitos(quint8 valor)
{
    if (valor == m_digitos || !PermiteMudanca())
        return;
    if (valor == 0)
        Informar(QStringLiteral("O número de dígitos deve ser maior que zero."));
    else if (valor <= m_casasDecimais)
        Informar(
            QStringLiteral("O número de dígitos deve ser maior que o número de casas decimais."));
    else
        m_digitos = valor;
}

void TAlinhaValor::SetCasasDecimais(quint8 valor)
{
    if (valor == m_casasDecimais || !PermiteMudanca())
        return;
    if (valor >= m_digitos)
        Informar(
            QStringLiteral("O número de casas decimais deve ser menor que o número de dígitos."));
    else
        m_casasDecimais = valor;
}

void TAlinhaValor::SetTipoAlinhaValor(TTipoAlinhaValor tipo)
{
    m_aplicandoPredefinicao = true;
    if (tipo != tavNenhum)
        PrepararDono();
    if (tipo != tavCustomizado) {
        const TPredefinicao &p = Predefinicoes[tipo];
        SetTamanhoCifrao(p.TamanhoCifrao);
        SetNumeroZerosADireita(p.NumeroZerosADireita);
        SetDigitos(DigitosPredefinidos);
        SetCasasDecimais(p.CasasDecimais);
    }
    m_aplicandoPredefinicao = false;
    m_tipo = tipo;
}

void TAlinhaValor::PrepararDono()
{
    if (!m_dono)
        return;
    m_dono->SetAlinhamento(Qt::AlignRight);
    m_dono->SetAutoSize(false);
    m_dono->SetEstica(false);
}

QString TAlinhaValor::ModeloLargura() const
{
    const QString inteiros(m_digitos - m_casasDecimais, QLatin1Char('9'));
    QString modelo = Agrupar(inteiros);
    if (m_casasDecimais > 0)
        modelo += FormatoBrasileiro().DecimalSeparator + QString(m_casasDecimais, QLatin1Char('9'));
    return QString(m_tamanhoCifrao, QLatin1Char('0')) + QLatin1Char('-') + modelo;
}

QString TAlinhaValor::ModeloDecimal() const
{
    if (m_casasDecimais == 0)
        return QString();
    return FormatoBrasileiro().DecimalSeparator + QString(m_casasDecimais, QLatin1Char('0'));
}

TPartesValor TAlinhaValor::Dividir(const QString &linha) const
{
    const QChar separador = FormatoBrasileiro().DecimalSeparator;
    const QChar branco = QLatin1Char(' ');
    const QChar zero = QLatin1Char('0');
    const int posicao = linha.indexOf(separador);

    TPartesValor partes;
    partes.Inteira = posicao < 0 ? linha : linha.left(posicao);
    QString decimal = posicao < 0 ? QString() : linha.mid(posicao, m_casasDecimais + 1);

    if (m_numeroZerosADireita > 0) {
        if (decimal.isEmpty())
            decimal = separador;
        if (m_numeroZerosADireita >= decimal.size())
            decimal += QString(m_numeroZerosADireita - decimal.size() + 1, zero);
        // Blank the surplus trailing zeros, keeping at least NumeroZerosADireita digits.
        for (int i = decimal.size() - 1; i > m_numeroZerosADireita && decimal.at(i) == zero; --i)
            decimal[i] = branco;
    } else {
        for (int i = decimal.size() - 1;
             i >= 0 && (decimal.at(i) == zero || decimal.at(i) == separador); --i)
            decimal[i] = branco;
    }
    partes.Decimal = decimal.trimmed();
    if (MostraAsterisco)
        partes.Decimal += QLatin1Char('*');
    return partes;
}
