#include "app/uConferenciaPlanilha.h"

#include "app/uRegrasCotacao.h"
#include "common/uConversoes.h"
#include "common/uExcecoes.h"
#include "common/uFuncoesLicitacao.h"
#include "exchange/uColunasPlanilha.h"
#include "model/uItensCotacao.h"
#include "model/uTabelasCotacao.h"
#include "model/uVTExpImpCotacaoDados.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <tuple>
#include <vector>

namespace {

// The answers an item holds now.
struct TItemAtual
{
    int Tratamento = 0;
    QString NomeTratamento;
    double Preco = 0;
    double Maximo = 0;
    QString Marca;
    QString Observacao;
};

using TChave = QPair<int, int>; // lot, item

// The treatment a cell names, by its name or its number.
bool MesmoTratamento(const TCelulaPlanilha &celula, const TItemAtual &item)
{
    if (celula.Tipo == TTipoCelula::Numero)
        return celula.Numero == item.Tratamento;
    return celula.Tipo == TTipoCelula::Texto
        && celula.Texto.trimmed().compare(item.NomeTratamento, Qt::CaseInsensitive) == 0;
}

// The header's columns by what they hold; a column missing is -1.
class TCabecalho
{
public:
    explicit TCabecalho(const TLinhaPlanilha &linha)
    {
        m_indices.fill(-1);
        for (std::size_t i = 0; i < linha.Celulas.size(); ++i) {
            const TCelulaPlanilha &celula = linha.Celulas[i];
            if (celula.Tipo != TTipoCelula::Texto)
                continue;
            const std::optional<TColunaPlanilha> coluna = ColunaPeloTitulo(celula.Texto);
            if (!coluna)
                continue;
            int &indice = m_indices[std::size_t(*coluna)];
            if (indice >= 0)
                throw EVrtException(QStringLiteral("A planilha tem duas colunas \"%1\".")
                                        .arg(TituloColunaPlanilha(*coluna)));
            indice = int(i);
        }
    }
    int Indice(TColunaPlanilha coluna) const { return m_indices[std::size_t(coluna)]; }
    bool Tem(TColunaPlanilha coluna) const { return Indice(coluna) >= 0; }

private:
    std::array<int, QuantidadeColunasPlanilha> m_indices {};
};

[[noreturn]] void SemColuna(TColunaPlanilha coluna)
{
    throw EVrtException(QStringLiteral("A planilha não tem a coluna \"%1\" na primeira linha.")
                            .arg(TituloColunaPlanilha(coluna)));
}

// What a cell says as a whole number (an item's or a lot's); none when it says anything else.
std::optional<int> NumeroInteiro(const TCelulaPlanilha &celula)
{
    std::optional<double> valor;
    if (celula.Tipo == TTipoCelula::Numero)
        valor = celula.Numero;
    else if (celula.Tipo == TTipoCelula::Texto && !celula.Cortada)
        valor = NumeroBrasileiro(celula.Texto);
    if (!valor || *valor < 1 || *valor > 32767 || std::floor(*valor) != *valor)
        return std::nullopt;
    return int(*valor);
}

QString TextoDaCelula(const TCelulaPlanilha &celula)
{
    return celula.Tipo == TTipoCelula::Numero ? RealParaTexto(celula.Numero) : celula.Texto;
}

// Reads the rows one by one against the items of the quotation.
class TConferencia
{
public:
    TConferencia(TTabelasCotacao &tabelas, const TCabecalho &cabecalho, bool porLote)
        : m_cabecalho(cabecalho)
        , m_porLote(porLote)
        , m_tamanhoMarca(tabelas.mmItens.FieldByName(QStringLiteral("ITEMMARCA")).Size())
        , m_tamanhoObservacao(tabelas.mmItens.FieldByName(QStringLiteral("itemobservacao")).Size())
    {
        TMemoryTable &mmItens = tabelas.mmItens;
        const TField &lote = mmItens.FieldByName(QStringLiteral("CodGrupo"));
        const TField &item = mmItens.FieldByName(QStringLiteral("Item"));
        const TField &marca = mmItens.FieldByName(QStringLiteral("ITEMMARCA"));
        const TField &observacao = mmItens.FieldByName(QStringLiteral("itemobservacao"));
        LerTodosOsItens(mmItens, [&] {
            const TChave chave(m_porLote ? lote.AsInteger() : 0, item.AsInteger());
            m_itens[chave].push_back({tabelas.mmItensTratamento->AsInteger(),
                tabelas.mmItensTratamento->DisplayText(), tabelas.mmItensVlCotado->AsFloat(),
                tabelas.mmItensVlMaximo->AsFloat(), marca.AsString(), observacao.AsString()});
            m_lotesDoItem.insert(chave.second, chave.first);
        });
    }

    void Conferir(const TLinhaPlanilha &linha)
    {
        m_linha = linha.Numero;
        const TCelulaPlanilha &celulaItem = linha.Celula(m_cabecalho.Indice(TColunaPlanilha::Item));
        const TCelulaPlanilha &celulaLote = linha.Celula(m_cabecalho.Indice(TColunaPlanilha::Lote));
        if (celulaItem.Tipo == TTipoCelula::Vazia && !TemResposta(linha))
            return; // a row of notes or totals under the items
        const std::optional<int> item = Numero(celulaItem, QStringLiteral("item"));
        if (!item)
            return;
        int lote = 0;
        if (m_porLote) {
            const std::optional<int> numeroLote = Numero(celulaLote, QStringLiteral("lote"));
            if (!numeroLote)
                return;
            lote = *numeroLote;
        }

        TAlteracaoItem alteracao;
        alteracao.Linha = m_linha;
        alteracao.Lote = lote;
        alteracao.Item = *item;
        const auto candidatos = m_itens.constFind(TChave(lote, *item));
        if (candidatos == m_itens.constEnd()) {
            if (m_porLote && m_lotesDoItem.contains(*item))
                Problema(QStringLiteral("O lote %1 não contém o item %2.").arg(lote).arg(*item));
            else
                Problema(QStringLiteral("O item %1 não existe nesta cotação.").arg(*item));
            return;
        }
        const TItemAtual *atual = Escolher(*candidatos, linha);
        if (!atual) {
            Problema(QStringLiteral("%1 está em mais de uma cota: a coluna \"%2\" deve dizer qual.")
                         .arg(alteracao.Nome(), TituloColunaPlanilha(TColunaPlanilha::Tratamento)));
            return;
        }
        alteracao.Tratamento = atual->Tratamento;
        const auto chave = std::make_tuple(lote, *item, atual->Tratamento);
        const auto repetida = m_linhasLidas.find(chave);
        if (repetida != m_linhasLidas.end()) {
            Problema(QStringLiteral("%1 já está na linha %2.")
                         .arg(alteracao.Nome())
                         .arg(repetida->second));
            return;
        }
        m_linhasLidas.emplace(chave, m_linha);

        alteracao.PrecoAnterior = atual->Preco;
        alteracao.ValorMaximo = atual->Maximo;
        const std::size_t problemas = m_conferencia.Problemas.size();
        const std::optional<double> preco = Preco(linha);
        const std::optional<QString> marca
            = Texto(linha, TColunaPlanilha::Marca, QStringLiteral("A marca"), m_tamanhoMarca);
        const std::optional<QString> observacao = Texto(linha, TColunaPlanilha::Observacao,
            QStringLiteral("A observação"), m_tamanhoObservacao);
        if (m_conferencia.Problemas.size() != problemas)
            return;
        if (preco && *preco != atual->Preco)
            alteracao.Preco = preco;
        if (marca && *marca != atual->Marca)
            alteracao.Marca = marca;
        if (observacao && *observacao != atual->Observacao)
            alteracao.Observacao = observacao;
        if (alteracao.Preco || alteracao.Marca || alteracao.Observacao)
            m_conferencia.Alteracoes.push_back(std::move(alteracao));
    }

    TConferenciaPlanilha Resultado() { return std::move(m_conferencia); }

private:
    std::optional<int> Numero(const TCelulaPlanilha &celula, const QString &deQue)
    {
        const std::optional<int> numero = NumeroInteiro(celula);
        if (!numero && celula.Tipo == TTipoCelula::Vazia)
            Problema(QStringLiteral("Falta o número do %1.").arg(deQue));
        else if (!numero)
            Problema(
                QStringLiteral("\"%1\" não é um número de %2.").arg(TextoDaCelula(celula), deQue));
        return numero;
    }

    // The one item of that number, or the one whose treatment the row names.
    const TItemAtual *Escolher(
        const std::vector<TItemAtual> &candidatos, const TLinhaPlanilha &linha) const
    {
        if (candidatos.size() == 1)
            return &candidatos.front();
        const TCelulaPlanilha &celula
            = linha.Celula(m_cabecalho.Indice(TColunaPlanilha::Tratamento));
        for (const TItemAtual &candidato : candidatos) {
            if (MesmoTratamento(celula, candidato))
                return &candidato;
        }
        return nullptr;
    }

    bool TemResposta(const TLinhaPlanilha &linha) const
    {
        for (const TColunaPlanilha coluna : ColunasDeResposta) {
            if (linha.Celula(m_cabecalho.Indice(coluna)).Tipo != TTipoCelula::Vazia)
                return true;
        }
        return false;
    }

    std::optional<double> Preco(const TLinhaPlanilha &linha)
    {
        const TCelulaPlanilha &celula
            = linha.Celula(m_cabecalho.Indice(TColunaPlanilha::ValorCotado));
        std::optional<double> valor;
        switch (celula.Tipo) {
        case TTipoCelula::Vazia:
            return std::nullopt;
        case TTipoCelula::Numero:
            valor = celula.Numero;
            break;
        case TTipoCelula::Texto:
            if (!celula.Cortada)
                valor = NumeroBrasileiro(celula.Texto);
            if (!valor) {
                Problema(QStringLiteral("O valor cotado \"%1\" não é um número.")
                             .arg(celula.Cortada ? celula.Texto.left(40) + QStringLiteral("...")
                                                 : celula.Texto));
                return std::nullopt;
            }
            break;
        case TTipoCelula::Data:
            Problema(QStringLiteral("O valor cotado é uma data, não um número."));
            return std::nullopt;
        case TTipoCelula::Booleano:
            Problema(QStringLiteral("O valor cotado é um valor lógico (verdadeiro ou falso), "
                                    "não um número."));
            return std::nullopt;
        }
        if (!std::isfinite(*valor)) {
            Problema(QStringLiteral("O valor cotado não é um número."));
            return std::nullopt;
        }
        if (*valor < 0) {
            Problema(QStringLiteral("O valor cotado não pode ser negativo."));
            return std::nullopt;
        }
        return double(Arredondar(5, *valor));
    }

    std::optional<QString> Texto(
        const TLinhaPlanilha &linha, TColunaPlanilha coluna, const QString &nome, int tamanho)
    {
        if (!m_cabecalho.Tem(coluna))
            return std::nullopt;
        const TCelulaPlanilha &celula = linha.Celula(m_cabecalho.Indice(coluna));
        switch (celula.Tipo) {
        case TTipoCelula::Vazia:
            return std::nullopt;
        case TTipoCelula::Numero:
            return RealParaTexto(celula.Numero);
        case TTipoCelula::Texto:
            if (celula.Cortada || celula.Texto.size() > tamanho) {
                Problema(QStringLiteral("%1 tem mais de %2 caracteres.").arg(nome).arg(tamanho));
                return std::nullopt;
            }
            return celula.Texto;
        case TTipoCelula::Data:
        case TTipoCelula::Booleano:
            Problema(QStringLiteral("%1 não é um texto.").arg(nome));
            return std::nullopt;
        }
        return std::nullopt;
    }

    void Problema(const QString &texto) { m_conferencia.Problemas.push_back({m_linha, texto}); }

    const TCabecalho &m_cabecalho;
    bool m_porLote;
    int m_tamanhoMarca;
    int m_tamanhoObservacao;
    QHash<TChave, std::vector<TItemAtual>> m_itens;
    QMultiHash<int, int> m_lotesDoItem;
    std::map<std::tuple<int, int, int>, int> m_linhasLidas; // lot, item, treatment: row
    int m_linha = 0;
    TConferenciaPlanilha m_conferencia;
};

} // namespace

bool TAlteracaoItem::AcimaDoMaximo() const
{
    return Preco && ::AcimaDoMaximo(*Preco, ValorMaximo);
}

QString TAlteracaoItem::Nome() const
{
    if (Lote == 0)
        return QStringLiteral("Item %1").arg(Item);
    return QStringLiteral("Lote %1, item %2").arg(Lote).arg(Item);
}

QString TProblemaPlanilha::Descricao() const
{
    return QStringLiteral("Linha %1: %2").arg(Linha).arg(Texto);
}

TConferenciaPlanilha ConferirPlanilha(TTabelasCotacao &tabelas, const TPlanilhaLida &planilha)
{
    if (planilha.Linhas.empty())
        throw EVrtException(QStringLiteral("A planilha está vazia."));
    const TCabecalho cabecalho(planilha.Linhas.front());
    if (!cabecalho.Tem(TColunaPlanilha::Item))
        SemColuna(TColunaPlanilha::Item);
    const bool porLote = FormaComGrupos(tabelas.mmDadosFormaJulgamento->AsString());
    if (porLote && !cabecalho.Tem(TColunaPlanilha::Lote))
        SemColuna(TColunaPlanilha::Lote);
    if (std::none_of(std::begin(ColunasDeResposta), std::end(ColunasDeResposta),
            [&](TColunaPlanilha coluna) { return cabecalho.Tem(coluna); }))
        throw EVrtException(QStringLiteral(
            "A planilha não tem nenhuma das colunas de resposta (\"%1\", \"%2\", \"%3\").")
                                .arg(TituloColunaPlanilha(TColunaPlanilha::ValorCotado),
                                    TituloColunaPlanilha(TColunaPlanilha::Marca),
                                    TituloColunaPlanilha(TColunaPlanilha::Observacao)));

    TConferencia conferencia(tabelas, cabecalho, porLote);
    for (std::size_t i = 1; i < planilha.Linhas.size(); ++i)
        conferencia.Conferir(planilha.Linhas[i]);
    return conferencia.Resultado();
}
