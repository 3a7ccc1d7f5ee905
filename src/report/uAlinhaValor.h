#pragma once

#include <QString>

class TTextoRelatorio;

// How a report text control lines its values up at the decimal separator.
enum TTipoAlinhaValor : quint8 {
    tavNenhum,
    tavQuantidade,
    tavValorUnitarioComCifrao,
    tavValorUnitarioSemCifrao,
    tavValorTotalComCifrao,
    tavValorTotalSemCifrao,
    tavCustomizado,
};

// One line of a value split for decimal alignment: the integer part is drawn ending at the
// separator's column, the decimal part starting there.
struct TPartesValor
{
    QString Inteira;
    QString Decimal;
};

// The value-alignment settings of one report text control, which owns it. A preset kind fixes
// the widths; only tavNenhum and tavCustomizado let the widths be changed one by one, and the
// refusing setters say so in an information message.
class TAlinhaValor
{
public:
    explicit TAlinhaValor(TTextoRelatorio *dono = nullptr);
    TAlinhaValor(const TAlinhaValor &) = delete;
    TAlinhaValor &operator=(const TAlinhaValor &) = delete;

    // Copies every setting of the other object; the owner is set up as the kind asks.
    void Assign(const TAlinhaValor &origem);

    quint8 TamanhoCifrao() const { return m_tamanhoCifrao; }
    void SetTamanhoCifrao(quint8 valor);
    quint8 Digitos() const { return m_digitos; }
    void SetDigitos(quint8 valor);
    quint8 CasasDecimais() const { return m_casasDecimais; }
    void SetCasasDecimais(quint8 valor);
    quint8 NumeroZerosADireita() const { return m_numeroZerosADireita; }
    void SetNumeroZerosADireita(quint8 valor);
    TTipoAlinhaValor TipoAlinhaValor() const { return m_tipo; }
    void SetTipoAlinhaValor(TTipoAlinhaValor tipo);
    bool MostraAsterisco = false;

    // The widest text a value may take ("000-9.999.999.999.999,99"): it fixes the control's
    // width.
    QString ModeloLargura() const;
    // The widest decimal part (",00"): it fixes the column of the separator.
    QString ModeloDecimal() const;
    // Splits one line of text into its integer part and its padded or blanked decimal part.
    TPartesValor Dividir(const QString &linha) const;

private:
    // Asks whether a width may change now; refuses with the message when a preset holds.
    bool PermiteMudanca() const;
    void PrepararDono();

    TTextoRelatorio *m_dono;
    quint8 m_tamanhoCifrao = 0;
    quint8 m_digitos = 15;
    quint8 m_casasDecimais = 5;
    quint8 m_numeroZerosADireita = 0;
    TTipoAlinhaValor m_tipo = tavNenhum;
    bool m_aplicandoPredefinicao = false;
};
