#pragma once

#include "model/uVTExpImpCotacaoGrupos.h"
#include "model/uVTExpImpCotacaoItens.h"

#include <QString>

#include <memory>

class TElementoLido;
class TEscritaXML;
class TMemoryTable;

// Quotation kind: 0 tender ("licitação"), 1 price survey ("pesquisa de preços"); any other
// value is carried but selects neither kind's fields.
using TTipoCotacao = qint32;
constexpr TTipoCotacao tcLicitacao = 0;
constexpr TTipoCotacao tcPesquisa = 1;

// Judgement forms, compared exactly: "Pi" and "Gl" hold loose items, "Gi" holds lots, any
// other code holds no goods.
bool FormaComItens(const QString &formaJulgamento);
bool FormaComGrupos(const QString &formaJulgamento);

// One quotation as the public body sent it, with the supplier's answers. Date-times are day
// counts since 30/12/1899 with the time of day as the fraction; 0 stands for no date. The
// texts marked hex hold the document's hexadecimal text as read: never decoded here.
class TDadosCotacao
{
public:
    TDadosCotacao() = default;
    TDadosCotacao(const TDadosCotacao &) = delete;
    TDadosCotacao &operator=(const TDadosCotacao &) = delete;

    // Both kinds.
    TTipoCotacao TipoCotacao = tcLicitacao;
    qint32 EntidadeCodigo = 0;
    qint32 EntidadeSerie = 0;
    QString EntidadeNome;
    QString BrasaoRelatorio; // hex: the coat-of-arms picture
    qint32 Ano = 0;
    qint32 Sequencia = 0;
    QString FormaJulgamento;
    QString ObjetoResumido; // hex
    QString FormaEntrega;
    QString PrazoEntrega; // hex
    QString LocalEntregaMatServ; // hex
    QString LocalEntregaProposta; // hex
    double DataEntregaProposta = 0;
    double HoraEntregaProposta = 0; // only the time of day is meaningful
    QString CpfCnpjFornecedor; // as typed, possibly with ".", "/" and "-"
    double ValorTotalCotado = 0;

    // Tender only.
    QString NumeroAlfa;
    QString Modalidade;
    QString TipoLicitacao;
    qint32 Tratamento = 0; // 4 splits the tender into a principal and a reserved quota
    QString LocalAbertura; // hex
    double DataAbertura = 0;
    double HoraAbertura = 0; // only the time of day is meaningful
    double ValorTotalLicitado = 0;
    bool RegistroPrecos = false;

    // Price survey only.
    qint32 PesquisaCodigo = 0;
    double DataEmissao = 0;
    QString Observacao; // hex

    // Loose items (forms "Pi" and "Gl") or lots (form "Gi"); at most one of them exists.
    TItens *Itens() const { return m_itens.get(); }
    TGrupos *Grupos() const { return m_grupos.get(); }
    void SetItens(std::unique_ptr<TItens> itens) { m_itens = std::move(itens); }
    void SetGrupos(std::unique_ptr<TGrupos> grupos) { m_grupos = std::move(grupos); }

    // Reads the model from the "cotacao" element (meant for a fresh object). Raises on a
    // present value that does not parse and on a list the form calls for that fails; the
    // list then stays absent.
    void CarregarDoXML(const TElementoLido &cotacao);
    // Writes a "cotacao" element holding the whole quotation into the writer, at its open
    // element.
    void GravarNoXML(TEscritaXML &escrita) const;

    // Fills the emptied tables: the header row, the quotas of a tender of treatment 4, and
    // the items or lots the form calls for. False, after an error line, when that list is
    // absent; raises on any other failure.
    bool PreencherTabelas(TMemoryTable &mmDados, TMemoryTable &mmGrupos, TMemoryTable &mmItens,
        TMemoryTable &mmCotas) const;
    // Takes the supplier's answers back from the tables: CPF/CNPJ, total, and the prices,
    // brands and observations of the items (and the lots' totals).
    void AtualizarDasTabelas(TMemoryTable &mmDados, TMemoryTable &mmGrupos, TMemoryTable &mmItens);

private:
    std::unique_ptr<TItens> m_itens;
    std::unique_ptr<TGrupos> m_grupos;
};
