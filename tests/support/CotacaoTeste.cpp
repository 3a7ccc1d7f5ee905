#include "support/CotacaoTeste.h"

std::unique_ptr<TItem> ItemTeste(qint32 codigo, qint32 material, qint32 tratamento)
{
    auto item = std::make_unique<TItem>();
    item->Codigo = codigo;
    item->CodigoMatServ = material;
    item->Tratamento = tratamento;
    item->DescricaoMatServ = QStringLiteral("Material %1").arg(codigo);
    item->Quantidade = 2.5;
    item->ValorEstimado = 10.5;
    item->ValorMaximo = 12;
    return item;
}

namespace {

// Items 1 and 2, of materials 101 and 102.
void AdicionarItens(TItens &itens, qint32 tratamento)
{
    for (qint32 codigo : {1, 2})
        itens.Adicionar(ItemTeste(codigo, 100 + codigo, tratamento));
}

void PreencherMercadorias(TDadosCotacao &cotacao, qint32 tratamento)
{
    if (FormaComItens(cotacao.FormaJulgamento)) {
        auto itens = std::make_unique<TItens>();
        AdicionarItens(*itens, tratamento);
        cotacao.SetItens(std::move(itens));
    } else if (FormaComGrupos(cotacao.FormaJulgamento)) {
        auto grupos = std::make_unique<TGrupos>();
        for (qint32 codigo : {1, 2}) {
            auto grupo = std::make_unique<TGrupo>();
            grupo->Codigo = codigo;
            grupo->Descricao = QStringLiteral("Lote %1").arg(codigo);
            grupo->Tratamento = tratamento;
            AdicionarItens(grupo->Itens(), tratamento);
            grupos->Adicionar(std::move(grupo));
        }
        cotacao.SetGrupos(std::move(grupos));
    }
}

} // namespace

std::unique_ptr<TDadosCotacao> LicitacaoTeste(const QString &formaJulgamento, qint32 tratamento)
{
    auto cotacao = std::make_unique<TDadosCotacao>();
    cotacao->TipoCotacao = tcLicitacao;
    cotacao->EntidadeCodigo = 12;
    cotacao->EntidadeSerie = 3;
    cotacao->EntidadeNome = QStringLiteral("Prefeitura de São João");
    cotacao->Ano = 2024;
    cotacao->Sequencia = 7;
    cotacao->NumeroAlfa = QStringLiteral("7/2024");
    cotacao->Modalidade = QStringLiteral("Pr");
    cotacao->TipoLicitacao = QStringLiteral("Mp");
    cotacao->FormaJulgamento = formaJulgamento;
    cotacao->FormaEntrega = QStringLiteral("Un");
    cotacao->Tratamento = tratamento;
    cotacao->ObjetoResumido = QStringLiteral("4F626A65746F"); // "Objeto"
    cotacao->DataAbertura = 45500;
    cotacao->HoraAbertura = 0.5;
    cotacao->ValorTotalLicitado = 1000.5;
    PreencherMercadorias(*cotacao, tratamento);
    return cotacao;
}

std::unique_ptr<TDadosCotacao> PesquisaTeste(const QString &formaJulgamento)
{
    auto cotacao = std::make_unique<TDadosCotacao>();
    cotacao->TipoCotacao = tcPesquisa;
    cotacao->EntidadeCodigo = 12;
    cotacao->EntidadeNome = QStringLiteral("Prefeitura de São João");
    cotacao->Ano = 2024;
    cotacao->Sequencia = 3;
    cotacao->PesquisaCodigo = 57;
    cotacao->FormaJulgamento = formaJulgamento;
    cotacao->DataEmissao = 45400;
    cotacao->Observacao = QStringLiteral("4F6273"); // "Obs"
    PreencherMercadorias(*cotacao, 0);
    if (TItens *itens = cotacao->Itens()) {
        for (int i = 0; i < itens->Count(); ++i) {
            itens->Item(i).ValorEstimado = 0;
            itens->Item(i).ValorMaximo = 0;
        }
    }
    return cotacao;
}

std::unique_ptr<TDadosCotacao> LicitacaoGrande(
    const QString &formaJulgamento, int quantos, qint32 tratamento)
{
    auto cotacao = LicitacaoTeste(formaJulgamento, tratamento);
    const auto item = [tratamento](qint32 codigo, qint32 ordem) {
        const bool cotas = tratamento == 4;
        auto novo = ItemTeste(codigo, 1000 + ordem, cotas ? (ordem % 2 ? 4 : 3) : tratamento);
        if (ordem % 100 == 37)
            novo->DescricaoMatServ = QStringLiteral("Café torrado e moído");
        else if (ordem % 100 == 88)
            novo->DescricaoMatServ = QStringLiteral("Açúcar refinado");
        return novo;
    };
    if (TItens *itens = cotacao->Itens()) {
        itens->Limpar();
        for (qint32 ordem = 1; ordem <= quantos; ++ordem)
            itens->Adicionar(item(ordem, ordem));
    } else if (cotacao->Grupos()) {
        auto grupos = std::make_unique<TGrupos>();
        for (qint32 ordem = 1; ordem <= quantos; ++ordem) {
            if (ordem % 100 == 1) {
                auto grupo = std::make_unique<TGrupo>();
                grupo->Codigo = ordem / 100 + 1;
                grupo->Descricao = QStringLiteral("Lote %1").arg(grupo->Codigo);
                grupo->Tratamento = tratamento;
                grupos->Adicionar(std::move(grupo));
            }
            TGrupo &grupo = grupos->Grupo(grupos->Count() - 1);
            grupo.Itens().Adicionar(item((ordem - 1) % 100 + 1, ordem));
        }
        cotacao->SetGrupos(std::move(grupos));
    }
    return cotacao;
}
