#pragma once

// A spreadsheet as the import reads it: the non-empty rows of its first sheet, each with its
// cells by column, typed as the spreadsheet typed them.

#include <QString>

#include <optional>
#include <vector>

enum class TTipoCelula { Vazia, Numero, Texto, Booleano, Data };

struct TCelulaPlanilha
{
    TTipoCelula Tipo = TTipoCelula::Vazia;
    double Numero = 0; // numbers and dates (day count); booleans as 0 or 1
    QString Texto; // texts, cut after LimiteTextoCelula characters
    bool Cortada = false; // the text was longer than LimiteTextoCelula
};

// No field of an item takes more; a longer cell is a problem, never stored.
constexpr int LimiteTextoCelula = 1000;

struct TLinhaPlanilha
{
    int Numero = 0; // as the spreadsheet program numbers it, from 1
    std::vector<TCelulaPlanilha> Celulas; // by column, from 0; shorter rows end in empty cells

    const TCelulaPlanilha &Celula(int coluna) const;
};

struct TPlanilhaLida
{
    std::vector<TLinhaPlanilha> Linhas;
};

// A cell's text cut to the limit, flagged when it was longer.
TCelulaPlanilha CelulaDeTexto(const QString &texto);

// A number typed as Brazilian text: an optional "-", digits with "." between groups of three
// or no separator at all, and optionally "," and decimals ("1.234,56", "1234,56", "12,5").
// Blanks around it are ignored; anything else is not a number.
std::optional<double> NumeroBrasileiro(const QString &texto);
