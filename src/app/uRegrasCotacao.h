#pragma once

// The editing rules of the open quotation that need no window: loading a file into the tables
// and readying them for editing, which fields the supplier may change, the items that follow
// the chosen lot or quota, the maximum-price check, the totals, the save, and the CPF/CNPJ
// check. The main window holds one and calls it from its handlers; tests drive it alone.

#include "app/uIndiceItens.h"
#include "components/MemTable.h"

#include <QString>

#include <functional>
#include <memory>

class TExpImpCotacao;
class TTabelasCotacao;

// What the CPF/CNPJ check makes of a typed number.
struct TConferenciaCPFCNPJ
{
    enum TResultado { Vazio, Aceito, Recusado };
    TResultado Resultado = Vazio;
    QString Mascarado; // the number to store, when accepted
    QString Mensagem; // why it was refused
};
TConferenciaCPFCNPJ ConferirCPFCNPJ(const QString &texto);

// The progress of the proposal, as the totals read it.
struct TResumoProposta
{
    int Itens = 0; // every item of the quotation
    int Cotados = 0; // those with a price above zero
    int AcimaDoMaximo = 0;
    double Total = 0; // the proposal's total
};

// What a quoted price above its item's maximum calls for, by the tender's modality: a question
// under "Pr" (Pregão), nothing under "Le" (Leilão) and "Cs" (Concurso), an information under
// any other.
enum class TRegraPrecoMaximo { Perguntar, Aceitar, Informar };
TRegraPrecoMaximo RegraPrecoMaximo(const QString &modalidade);

// A price in the display picture of its field, with the currency in front ("R$ 1.234,50").
QString EmReais(const TField &campo, double valor);

class TRegrasCotacao
{
public:
    explicit TRegrasCotacao(TTabelasCotacao &tabelas);
    ~TRegrasCotacao();
    TRegrasCotacao(const TRegrasCotacao &) = delete;
    TRegrasCotacao &operator=(const TRegrasCotacao &) = delete;

    TTabelasCotacao &Tabelas() const { return m_tabelas; }

    // True while a file is being loaded into the tables; the handlers stand still meanwhile.
    // A load that raised leaves it true until the next one.
    bool Carregando = false;

    // The controller of the open file; a new one for every open.
    TExpImpCotacao *ExpImpCotacao() const { return m_expImpCotacao.get(); }
    void NovoControlador();
    void LiberarControlador();

    // Empties the tables and reads pasta/nome.kvt into them, then readies them for editing:
    // the columns of the quotation's kind, the fields the supplier may change, and the items
    // of the current lot for a tender judged per lot. False (after the controller's message)
    // when the file could not be read. The controller's errors pass on, and the tables stay
    // in their loading state.
    bool Carregar(const QString &nome, const QString &pasta);

    // What the open quotation calls for.
    int TipoCotacao() const;
    QString FormaJulgamento() const;
    bool MostraTratamento() const; // global judgement of a tender
    bool MostraCotas() const; // the same with the tender split into quotas
    bool MostraLotes() const; // judgement per lot

    // The items shown follow the current lot (judgement per lot) or the current quota (while
    // the quotas are shown). Nothing happens during a load.
    void SeguirLote();
    void SeguirCota();
    // Refuses, with a silent abort, a new row in any table outside a load.
    void RecusarInclusao() const;
    // Posts a pending item before the current lot or quota changes.
    void ConfirmarItemPendente();

    // Checks the quoted price of the item being posted against its maximum; raises a silent
    // abort when the supplier declines to go on.
    void VerificarPrecoMaximo();

    // The proposal's total, the current lot's total (or every lot's, after a change that
    // reached items of several lots) and the quotas' totals; the same walk reads every item's
    // answers into the index and the summary.
    enum class TLotes { Atual, Todos };
    void CalcularTotais(TLotes lotes = TLotes::Atual);
    const TResumoProposta &Resumo() const { return m_resumo; }
    // Runs after every computation of the totals.
    std::function<void()> AoCalcularTotais;

    // Every item of the open quotation, and the one the item table is on (-1 when none).
    const TIndiceItens &Indice() const { return m_indice; }
    int EntradaAtual() const;
    // Makes an item current through the road the supplier takes: its lot or quota is chosen
    // first (which posts a pending item, with its checks), then its row. A refusal raises.
    void IrParaItem(int entrada);

    // The rule for a price above its maximum under the open tender's modality.
    TRegraPrecoMaximo RegraPrecoMaximo() const;

    // After an item was posted: the totals again, and the file saved without a word. A save
    // that fails says so once and leaves the item posted.
    void AposGravarItem(const QString &diretorio);

    // Posts pending edits and writes the file into its folder; with mostrarMensagem a
    // successful save says so. True when the file was written; the controller's errors pass on.
    bool SalvarCotacao(const QString &diretorio, bool mostrarMensagem);
    // Runs after every save that wrote the file, silent ones included.
    std::function<void()> AoSalvar;
    // The file that holds the open quotation: the one read (in whatever letter case its
    // extension arrived), or the one the last save wrote.
    QString CaminhoDoArquivo() const;

    // Whether the supplier changed something that no save has written yet: an item in edit, or
    // a supplier number other than the file's.
    bool TemAlteracaoPendente() const;

    // Stores an accepted number in the header.
    void GravarCPFCNPJ(const QString &mascarado);
    QString CPFCNPJ() const;

    void DesabilitarControles();
    void HabilitarControles();
    void GuardarPosicoes();
    void RestaurarPosicoes();

private:
    void PrepararEdicao();
    double SomaDosItensVisiveis();
    long double LerRespostasDosItens();

    TTabelasCotacao &m_tabelas;
    std::unique_ptr<TExpImpCotacao> m_expImpCotacao;
    TIndiceItens m_indice;
    TResumoProposta m_resumo;
    TMemoryTable::TBookmark MarcadorItens = 0;
    TMemoryTable::TBookmark MarcadorGrupos = 0;
    TMemoryTable::TBookmark MarcadorCotas = 0;
    bool m_salvando = false; // a save is posting the tables: it writes what the posts change
};
