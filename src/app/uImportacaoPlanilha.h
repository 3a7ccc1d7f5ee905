#pragma once

// The main window's spreadsheet commands: "Exportar planilha..." writes the items to a sheet
// the supplier fills; "Importar planilha..." and a block pasted into the item grid bring
// answers back through the preview, the modality's rule for prices above their maximum, the
// item table, the totals and one silent save. Held by the main window, which hands it the
// editing rules and the folder of the open file.

#include <QObject>
#include <QString>

#include <functional>

class TConferenciaPlanilha;
class TRegrasCotacao;
class TfmPreviaPlanilha;
class TvrtDBGrid;

class TImportacaoPlanilha : public QObject
{
    Q_OBJECT

public:
    TImportacaoPlanilha(
        TRegrasCotacao &regras, std::function<QString()> diretorio, QWidget *janela);

    // The file to write (salvar) or read; an empty answer is a cancel. The window shows its
    // file dialog; tests answer in its place.
    std::function<QString(bool salvar)> EscolherArquivo;
    // Shows the preview; true when the supplier chose "Aplicar". Tests answer in its place.
    std::function<bool(TfmPreviaPlanilha &previa)> MostrarPrevia;

    void ExportarPlanilha();
    void ImportarPlanilha();
    // Fills the writable columns of the visible items from the grid's current cell on, one line
    // of the tab-separated block per item, one cell per column.
    void Colar(TvrtDBGrid &grade, const QString &bloco);
    // Pasting into the grid (its paste keys) comes here.
    void VigiarColagem(TvrtDBGrid &grade);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    QString DialogoArquivo(bool salvar) const;
    // Asks for the file, then runs acao on it; its refusal is shown with the text falha.
    void ComArquivo(
        bool salvar, const QString &falha, const std::function<void(const QString &)> &acao);
    void Conferir(const TConferenciaPlanilha &conferencia, const QString &origem);

    TRegrasCotacao &m_regras;
    std::function<QString()> m_diretorio;
    QWidget *m_janela;
};
