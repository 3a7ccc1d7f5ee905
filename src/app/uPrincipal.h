#pragma once

#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class TBarraLocalizar;
class TBarraResumo;
class TPainelDetalhesItem;
class QGroupBox;
class QSessionManager;
class QSplitter;
class TDataSource;
class TDBValor;
class TImportacaoPlanilha;
class TMemoryTable;
class TRegrasCotacao;
class TTabelasCotacao;
class TVrtDBEdit;
class TVrtDBImage;
class TvrtDBGrid;

// The main window: the header of the open quotation (entity, tender or price survey, judgement
// form, treatment, the supplier's CPF/CNPJ and the proposal's total, the entity's coat of
// arms), the quota, lot and item grids, and the "Arquivo" menu through which the supplier opens,
// answers, prints and saves a quotation file. The window owns the quotation's tables; the
// editing rules that need no widget are its TRegrasCotacao's.
class TfmCotacao : public QMainWindow
{
    Q_OBJECT

public:
    explicit TfmCotacao(QWidget *parent = nullptr);
    ~TfmCotacao() override;

    // Opens a file as if it had been chosen in the open dialog.
    void Abrir(const QString &caminho);

    TTabelasCotacao &Tabelas() const { return *m_tabelas; }
    // The spreadsheet commands and the paste into the item grid.
    TImportacaoPlanilha &Planilha() const { return *m_planilha; }

    // Asks the user for the file to open; an empty answer is a cancel. The window shows its
    // open dialog; tests answer in its place.
    std::function<QString()> EscolherArquivo;
    // Asks the user for the folder to save into; an empty answer is a cancel.
    std::function<QString()> EscolherPasta;

Q_SIGNALS:
    // The file that holds the open quotation: read into the tables, or written by a save.
    void CotacaoAberta(const QString &caminho);

protected:
    // Closing posts and saves what is pending through the normal road; a refused check keeps
    // the window open.
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // A quotation file dropped on the window opens as if chosen in the open dialog.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void CriarJanela();
    QWidget *CriarCabecalho();
    // A strip holding a titled box around a grid.
    QWidget *CriarPainelGrade(const char *painel, const char *caixa, const QString &titulo,
        const char *grade, TDataSource *fonte, QGroupBox *&gb, TvrtDBGrid *&dbg);
    void CriarMenu();
    void LigarEventos();
    QString MostrarDialogoCotacao();
    QString MostrarDialogoPasta();
    void AjustarATela();
    void HabilitarComandos(bool arquivoAberto);
    void AjustarPaineis();

    void FormCreate();
    void mnAbrirClick();
    void AbrirCotacao();
    void mnSalvarClick();
    void mnSalvarEmOutraPastaClick();
    void mnExportarPlanilhaClick();
    void mnImportarPlanilhaClick();
    bool FornecedorInformado();
    bool PodeFechar();
    void AoEncerrarSessao(QSessionManager &sessao);
    bool SalvarCotacao(bool MostrarMensagem);
    void CalcularTotais();
    void GuardarPosicoes();
    void RestaurarPosicoes();
    void DesabilitarControles();
    void HabilitarControles();
    void mmItensBeforeInsert(TMemoryTable &tabela);
    void mmItensBeforePost(TMemoryTable &tabela);
    void mmItensAfterPost(TMemoryTable &tabela);
    void mmGruposBeforeInsert(TMemoryTable &tabela);
    void mmGruposBeforeScroll(TMemoryTable &tabela);
    void mmGruposAfterScroll(TMemoryTable &tabela);
    void mmCotasBeforeInsert(TMemoryTable &tabela);
    void mmCotasBeforeScroll(TMemoryTable &tabela);
    void mmCotasAfterScroll(TMemoryTable &tabela);
    void edFornecedorExit();
    void ValidarCPFCNPJ(const QString &texto);
    void mnDetalhesLicClick();
    void mnDetalhesPesquisaClick();
    void mnFornecedorClick();
    void mnImprimirClick();
    void mnConferirPropostaClick();
    void mnProximoSemPrecoClick();
    void Localizar(const QString &texto, bool paraTras);
    void IrParaItem(int entrada);
    void AtualizarResumo();
    QWidget *CriarPainelItens();
    void mnSairClick();
    void FormDestroy();

    std::unique_ptr<TTabelasCotacao> m_tabelas;
    std::unique_ptr<TRegrasCotacao> m_regras;
    TImportacaoPlanilha *m_planilha;

    TDataSource *dsDados;
    TDataSource *dsGrupos;
    TDataSource *dsItens;
    TDataSource *dsCotas;
    TDataSource *dsForneced;

    QAction *mnAbrir;
    QAction *mnSalvar;
    QAction *mnSalvarEmOutraPasta;
    QAction *mnExportarPlanilha;
    QAction *mnImportarPlanilha;
    QAction *mnDetalhesLic;
    QAction *mnDetalhesPesquisa;
    QAction *mnFornecedor;
    QAction *mnImprimir;
    QAction *mnConferirProposta;
    QAction *mnProximoSemPreco;
    QAction *mnSair;

    QWidget *pnCabecalho;
    QWidget *pnEntidade;
    QWidget *pnLicitacao;
    QWidget *pnPesquisaPrecos;
    QWidget *pnTratamento;
    QWidget *pnOutros;
    QWidget *pnBrasao;
    TVrtDBImage *dbImgBrasao;
    TVrtDBEdit *edFornecedor;
    TDBValor *edValorTotal;
    QSplitter *Splitter1;
    QWidget *pnSuperior; // the quota and lot panels, the strip that the splitter resizes
    QWidget *pnCotas;
    QWidget *pnGrupoItens;
    QWidget *pnItens;
    QGroupBox *gbCotas;
    QGroupBox *gbGrupoItens;
    QGroupBox *gbItens;
    TvrtDBGrid *dbgCotas;
    TvrtDBGrid *dbgGrupos;
    TvrtDBGrid *dbgItens;
    QSplitter *splItens; // the item grid above the item's details
    TPainelDetalhesItem *pnDetalhesItem;
    TBarraLocalizar *barraLocalizar;
    TBarraResumo *barraResumo;

    bool m_ajustadaAMoldura = false;

    QString NomeArquivo;
    QString ExtensaoArquivo;
    QString DiretorioArquivo;
};
