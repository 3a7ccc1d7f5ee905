#pragma once

// The road after the supplier posts one price: a tender of loose items saved by the program's
// own writer and opened as the window opens it, with the item handlers the window attaches
// (the maximum price check before the post; the totals and the silent save after it).
#include "app/uRegrasCotacao.h"
#include "common/uPastaTemporaria.h"
#include "exchange/uVTExpImpCotacao.h"
#include "messages/ExibeMensagens.h"
#include "messages/uExpLog.h"
#include "model/uTabelasCotacao.h"
#include "model/uVTExpImpCotacaoDados.h"

#include <QTemporaryDir>

#include <memory>

inline void PreencherLicitacao(TDadosCotacao &cotacao, int quantidadeItens)
{
    cotacao.TipoCotacao = tcLicitacao;
    cotacao.EntidadeNome = QStringLiteral("Prefeitura Municipal de Santa Rita do Sul");
    cotacao.NumeroAlfa = QStringLiteral("45/2024");
    cotacao.Modalidade = QStringLiteral("Pr");
    cotacao.FormaJulgamento = QStringLiteral("Pi");
    cotacao.Tratamento = 1;
    auto itens = std::make_unique<TItens>();
    for (int codigo = 1; codigo <= quantidadeItens; ++codigo) {
        auto item = std::make_unique<TItem>();
        item->Codigo = codigo;
        item->CodigoMatServ = 100000 + codigo;
        item->Tratamento = 1;
        item->DescricaoMatServ = QStringLiteral(
            "Caneta esferográfica azul, corpo sextavado transparente - caixa com 50 unidades");
        item->Quantidade = codigo % 17 + 0.5;
        item->ValorEstimado = 1.5 * codigo;
        item->ValorMaximo = 2.0 * codigo;
        item->ValorCotado = 1.23457 * codigo;
        item->Marca = QStringLiteral("Acme");
        itens->Adicionar(std::move(item));
    }
    cotacao.SetItens(std::move(itens));
}

// The quotation saved by the program's own writer, then opened as the window opens it, with
// the item handlers the window attaches.
struct CenarioPosGravacao
{
    int itens;
    QTemporaryDir pasta;
    QString diretorio = pasta.path() + QLatin1Char('/');
    TTabelasCotacao tabelas;
    TRegrasCotacao regras {tabelas};

    explicit CenarioPosGravacao(int quantidade)
        : itens(quantidade)
    {
        InstalarApresentadorMensagens([](const TMensagem &) { return int(mrOk); });
        tabelas.Abrir();
        TExpImpCotacao escritor;
        PreencherLicitacao(escritor.Cotacao(), quantidade);
        escritor.Cotacao().PreencherTabelas(
            tabelas.mmDados, tabelas.mmGrupos, tabelas.mmItens, tabelas.mmCotas);
        escritor.Exportar(
            diretorio, PastaTemporaria(), tabelas.mmDados, tabelas.mmItens, tabelas.mmGrupos);

        regras.NovoControlador();
        regras.Carregar(escritor.NomeArquivo(), diretorio);
        tabelas.mmItens.BeforePost = [this](TMemoryTable &) { regras.VerificarPrecoMaximo(); };
        tabelas.mmItens.AfterPost = [this](TMemoryTable &) { regras.AposGravarItem(diretorio); };
        tabelas.mmItens.First();
        regras.CalcularTotais();
    }

    // Types a price into the current item and posts it; true when the post saved the file.
    bool CotarItemAtual(double preco)
    {
        tabelas.mmItens.Edit();
        tabelas.mmItensVlCotado->SetAsFloat(preco);
        tabelas.mmItens.Post();
        const QStringList &linhas = ObterLogManager().Linhas();
        return !linhas.isEmpty()
            && linhas.last() == QLatin1String("Arquivo KVT salvo com sucesso.");
    }
};
