#pragma once

// A quotation received into a temporary folder and opened as the main window opens it (the
// editing rules with the lot and quota handlers the window attaches), and small spreadsheets
// written cell by cell, for the tests of the spreadsheet import.

#include "app/uRegrasCotacao.h"
#include "exchange/uPlanilhaLida.h"
#include "model/uTabelasCotacao.h"
#include "model/uVTExpImpCotacaoDados.h"

#include <QTemporaryDir>

#include <initializer_list>
#include <vector>

struct TCotacaoAberta
{
    explicit TCotacaoAberta(const TDadosCotacao &cotacao);

    QString Diretorio() const { return pasta.path() + QLatin1Char('/'); }
    // The answers of one item, found by lot (0 for a loose item), number and treatment.
    double Preco(int lote, int item, int tratamento = 1);
    QString Marca(int lote, int item, int tratamento = 1);

    QTemporaryDir pasta;
    TTabelasCotacao tabelas;
    TRegrasCotacao regras {tabelas};
};

// One cell: a number, a text, or empty.
TCelulaPlanilha Num(double valor);
TCelulaPlanilha Txt(const char *texto);
TCelulaPlanilha Vazia();
TCelulaPlanilha Data(double dias);
TCelulaPlanilha Logico(bool valor);

// Rows numbered from 1, the first being the header.
TPlanilhaLida PlanilhaTeste(std::initializer_list<std::vector<TCelulaPlanilha>> linhas);
