#pragma once

// The numeric data edit: a data edit that takes only what can make a decimal number within its
// digit count, decimal places and sign, filters what is pasted into it, and stores 0 for a text
// left empty.

#include "components/vrtDBEdit.h"

class TDBValor : public TVrtDBEdit
{
    Q_OBJECT

public:
    explicit TDBValor(QWidget *parent = nullptr);

    // Most digits after the decimal separator, 0 to 14; any other value reads as 0.
    int CasasDecimais() const;
    void SetCasasDecimais(int casas) { m_casasDecimais = casas; }
    // A minus sign may be typed or pasted.
    bool AceitaNegativo() const { return m_aceitaNegativo; }
    void SetAceitaNegativo(bool aceita) { m_aceitaNegativo = aceita; }
    // Longest text that may be typed, separator and sign included, 1 to 14; any other value
    // (0, the value at creation, included) reads as 14.
    int NumeroDigitos() const;
    void SetNumeroDigitos(int digitos) { m_numeroDigitos = digitos; }
    // When false, a text left empty becomes 0 on leaving.
    bool AceitaNulo() const { return m_aceitaNulo; }
    void SetAceitaNulo(bool aceita) { m_aceitaNulo = aceita; }

protected:
    QChar FiltrarCaractere(QChar caractere) override;
    void Colar() override;
    void AntesDeGravar() override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    QChar FiltrarNumero(QChar caractere) const;

    int m_casasDecimais = 2;
    bool m_aceitaNegativo = false;
    int m_numeroDigitos = 0;
    bool m_aceitaNulo = false;
};
