#pragma once

// The five memory tables through which the program shows and edits one quotation: the header,
// the lots, the items, the quotas and the supplier's company details. The declaration of every
// field, its display settings, its display and edit pictures and the display texts of coded
// fields live here, so that the main window, the printed proposal and kvt show the same texts.
// The main window owns one instance and attaches its editing rules (before post, insert and
// scroll handlers) to the tables.

#include "components/MemTable.h"

#include <QString>

class TTabelasCotacao
{
public:
    TTabelasCotacao();
    TTabelasCotacao(const TTabelasCotacao &) = delete;
    TTabelasCotacao &operator=(const TTabelasCotacao &) = delete;

    TMemoryTable mmDados;
    TMemoryTable mmGrupos;
    TMemoryTable mmItens;
    TMemoryTable mmCotas;
    TMemoryTable mmForneced;

    // The field objects that carry pictures, display texts or calculations.
    TField *mmDadosFormaJulgamento;
    TField *mmDadosFormaEntregaTipo;
    TField *mmDadosPrazoEntregaHora;
    TField *mmDadosLICMODALIDADE;
    TField *mmDadosLICVALORTOTALLICITADO;
    TField *mmDadosValorTotalCotado;
    TField *mmDadosLICHORAABERTURA;
    TField *mmDadosLICREGISTROPRECOS;
    TField *mmDadosLICTRATAMENTO;
    TField *mmGruposTratamento;
    TField *mmGruposVlTotal;
    TField *mmItensTratamento;
    TField *mmItensQtdLicitada;
    TField *mmItensVlEstimado;
    TField *mmItensVlCotado;
    TField *mmItensVlMaximo;
    TField *mmItenscalcVlTotalCotado;
    TField *mmCotasValorTotal;

    // Opens the tables in the order header, lots, items, supplier, quotas (their after-open
    // handlers set the pictures) and lets the lots and quotas run their before-scroll step.
    void Abrir();
    // Closes them in the order lots, items, header, supplier, quotas.
    void Fechar();
    // Readies the tables for the next file: items, lots, header and quotas made writable and
    // emptied, the item filter switched off and cleared. The supplier's details stay.
    void PrepararParaCarga();

    // After-open handlers: the display and edit pictures of the numeric fields.
    void mmItensAfterOpen(TMemoryTable &tabela);
    void mmGruposAfterOpen(TMemoryTable &tabela);
    void mmDadosAfterOpen(TMemoryTable &tabela);
    void mmCotasAfterOpen(TMemoryTable &tabela);

    // The item total: quantity times quoted price, rounded to 3 places; a null counts as 0.
    void mmItensCalcFields(TMemoryTable &tabela);

    // Display texts of coded fields, the same for display and for editing.
    static void mmDadosFormaJulgamentoGetText(TField &campo, QString &texto, bool displayText);
    static void mmDadosLICTRATAMENTOGetText(TField &campo, QString &texto, bool displayText);
    static void mmGruposTratamentoGetText(TField &campo, QString &texto, bool displayText);
    static void mmItensTratamentoGetText(TField &campo, QString &texto, bool displayText);
    static void mmDadosLICREGISTROPRECOSGetText(TField &campo, QString &texto, bool displayText);
    static void mmDadosLICMODALIDADEGetText(TField &campo, QString &texto, bool displayText);
    static void mmDadosFormaEntregaTipoGetText(TField &campo, QString &texto, bool displayText);
};

// Makes every field of the table writable, then removes all its rows.
void PrepararTabela(TMemoryTable &tabela);

// Appends the two quotas of a tender split by treatment: "Cota Reservada" (4), then "Cota
// Principal" (3), both totalling 0.
void PreencherCotas(TMemoryTable &mmCotas);
