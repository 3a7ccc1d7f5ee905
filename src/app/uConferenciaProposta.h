#pragma once

// The check before sending: what a public body would find missing or wrong in the answered
// quotation, one line each. It refuses nothing: the supplier reads the lines and goes to each
// item or field from them.

#include <QString>

#include <vector>

class TRegrasCotacao;

struct TPendencia
{
    // Where going to the line takes the supplier.
    enum TDestino { Nenhum, Fornecedor, DadosEmpresa, Item };
    QString Texto;
    TDestino Destino = Nenhum;
    int Entrada = -1; // the item's index entry, for Item
};

// The lines of the open quotation, from the answers the last totals read.
std::vector<TPendencia> ConferirProposta(const TRegrasCotacao &regras);
