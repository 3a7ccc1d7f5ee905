#pragma once

// The print job of the proposal: the printer check, the print dialog with the side margins of
// the chosen paper, the printing with a progress window and the message of a failed print.

#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include <functional>

class QPrintDialog;
class QPrinter;
class QWidget;
class TRelatorio;
class TTabelasCotacao;

// True when the system lists at least one printer.
bool ExisteImpressora();

// Shows the print dialog and answers its result. The program shows it modally; tests install
// a choice of their own.
using TExibirDialogoImpressao = std::function<int(QPrintDialog &dialogo, QPrinter &impressora)>;
TExibirDialogoImpressao InstalarDialogoImpressao(TExibirDialogoImpressao exibir);

// The printer chosen in the last confirmed print dialog; the next dialog starts on it.
QString ImpressoraAtual();

struct TMargensLaterais
{
    double Esquerda;
    double Direita;
};
TMargensLaterais MargensLaterais(QPageSize::PageSizeId papel, QPageLayout::Orientation orientacao);

// Readies the report for printing on the printer the user confirms: answers false when there is
// no printer (after saying so) or when the dialog was cancelled.
bool ConfigurarImpressao(
    int copias, TRelatorio &relatorio, QPrinter &impressora, QWidget *pai = nullptr);

// What the print job asks of the main window around the printing.
struct TJanelaImpressao
{
    std::function<void()> SalvarCotacao; // the silent save; an error it raises ends the job
    std::function<void()> GuardarEstado; // controls held off, current rows remembered
    std::function<void()> RestaurarEstado; // current rows restored, controls released
};

// The print command: saves, checks the printer, lets the user choose, prints the proposal with
// a progress window and reports a failed print. The tables are read, never changed.
void ImprimirCotacao(TTabelasCotacao &tabelas, const TJanelaImpressao &janela, QWidget *dono);

// The same proposal rendered to a PDF file on A4 portrait, without a printer.
void GerarPropostaEmPdf(TTabelasCotacao &tabelas, const QString &caminho);
