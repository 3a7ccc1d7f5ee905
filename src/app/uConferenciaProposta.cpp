#include "app/uConferenciaProposta.h"

#include "app/uRegrasCotacao.h"
#include "model/uTabelasCotacao.h"

#include <map>

namespace {

QString Itens(int quantos)
{
    return quantos == 1 ? QStringLiteral("1 item") : QStringLiteral("%1 itens").arg(quantos);
}

// "Item 5", or "Lote 2, item 5" where the item belongs to a lot.
QString NomeDoItem(const TEntradaItem &entrada)
{
    if (entrada.Lote < 0)
        return QStringLiteral("Item %1").arg(entrada.Codigo);
    return QStringLiteral("Lote %1, item %2").arg(entrada.CodigoLote).arg(entrada.Codigo);
}

void Fornecedor(const TRegrasCotacao &regras, std::vector<TPendencia> &linhas)
{
    const QString numero = regras.CPFCNPJ();
    QString problema;
    if (numero.trimmed().isEmpty())
        problema = QStringLiteral("Informe o CPF/CNPJ do fornecedor.");
    else if (const TConferenciaCPFCNPJ conferencia = ConferirCPFCNPJ(numero);
             conferencia.Resultado == TConferenciaCPFCNPJ::Recusado)
        problema = conferencia.Mensagem;
    if (!problema.isEmpty())
        linhas.push_back({problema, TPendencia::Fornecedor});
}

// The items without a price, by what the judgement form asks: a global proposal prices every
// item, a lot that is answered prices all of its items, and per item any may stay out.
void SemPreco(const TRegrasCotacao &regras, std::vector<TPendencia> &linhas)
{
    const TIndiceItens &indice = regras.Indice();
    const QString forma = regras.FormaJulgamento();
    struct TContagem
    {
        int cotados = 0;
        int semPreco = 0;
        int primeiro = -1;
        qint32 codigo = 0;
    };
    std::map<int, TContagem> porLote;
    TContagem todos;
    for (int i = 0; i < indice.Count(); ++i) {
        const TEntradaItem &entrada = indice.Entrada(i);
        for (TContagem *contagem : {&todos, &porLote[entrada.Lote]}) {
            contagem->codigo = entrada.CodigoLote;
            if (entrada.Cotado()) {
                ++contagem->cotados;
            } else {
                ++contagem->semPreco;
                if (contagem->primeiro < 0)
                    contagem->primeiro = i;
            }
        }
    }
    if (forma == QLatin1String("Gi")) {
        for (const auto &[lote, contagem] : porLote) {
            if (contagem.cotados > 0 && contagem.semPreco > 0)
                linhas.push_back({QStringLiteral("Lote %1: %2 sem preço; o lote cotado precisa do "
                                                 "preço de todos os seus itens.")
                                      .arg(contagem.codigo)
                                      .arg(Itens(contagem.semPreco)),
                    TPendencia::Item, contagem.primeiro});
        }
        return;
    }
    if (todos.semPreco == 0)
        return;
    const QString texto = forma == QLatin1String("Gl")
        ? QStringLiteral("%1 sem preço; a proposta global precisa do preço de todos os itens.")
        : QStringLiteral("%1 sem preço (informação: por item, cada item é cotado à parte).");
    linhas.push_back({texto.arg(Itens(todos.semPreco)), TPendencia::Item, todos.primeiro});
}

void PorItem(const TRegrasCotacao &regras, std::vector<TPendencia> &linhas)
{
    const TIndiceItens &indice = regras.Indice();
    const TTabelasCotacao &t = regras.Tabelas();
    for (int i = 0; i < indice.Count(); ++i) {
        const TEntradaItem &entrada = indice.Entrada(i);
        if (entrada.AcimaDoMaximo())
            linhas.push_back(
                {QStringLiteral("%1: o valor cotado (%2) é maior que o preço máximo (%3).")
                        .arg(NomeDoItem(entrada), EmReais(*t.mmItensVlCotado, entrada.Preco),
                            EmReais(*t.mmItensVlMaximo, entrada.Maximo)),
                    TPendencia::Item, i});
        if (entrada.Cotado() && !entrada.TemMarca)
            linhas.push_back({QStringLiteral("%1: cotado sem marca.").arg(NomeDoItem(entrada)),
                TPendencia::Item, i});
    }
}

// What the printed proposal would leave empty.
void DadosDaProposta(const TRegrasCotacao &regras, std::vector<TPendencia> &linhas)
{
    if (regras.TipoCotacao() != 0)
        return;
    const TTabelasCotacao &t = regras.Tabelas();
    const auto vazio = [&](const TMemoryTable &tabela, const char *campo) {
        return tabela.IsEmpty()
            || tabela.FieldByName(QLatin1String(campo)).AsString().trimmed().isEmpty();
    };
    const QString texto = QStringLiteral("A proposta impressa sairá sem \"%1\".");
    if (vazio(t.mmForneced, "FORRAZAOSOCIAL"))
        linhas.push_back({texto.arg(QStringLiteral("Razão social")), TPendencia::DadosEmpresa});
    if (vazio(t.mmDados, "FornecedorCPFCNPJ"))
        linhas.push_back({texto.arg(QStringLiteral("CPF/CNPJ")), TPendencia::Fornecedor});
    if (vazio(t.mmForneced, "FORENDERECO"))
        linhas.push_back({texto.arg(QStringLiteral("Endereço")), TPendencia::DadosEmpresa});
}

} // namespace

std::vector<TPendencia> ConferirProposta(const TRegrasCotacao &regras)
{
    std::vector<TPendencia> linhas;
    Fornecedor(regras, linhas);
    SemPreco(regras, linhas);
    PorItem(regras, linhas);
    DadosDaProposta(regras, linhas);
    return linhas;
}
