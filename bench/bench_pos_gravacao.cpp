// The road after the supplier posts one price in a tender of 10,000 loose items: the maximum
// price check, the totals walked over every item and the silent save of the whole file, beside
// the bare save (Exportar alone) of the same quotation in the same run. The road should cost at
// most 1.3 times the bare save.
#include "Melhores.h"
#include "app/uRegrasCotacao.h"
#include "common/uPastaTemporaria.h"
#include "exchange/uVTExpImpCotacao.h"
#include "messages/ExibeMensagens.h"
#include "messages/uExpLog.h"
#include "model/uTabelasCotacao.h"
#include "model/uVTExpImpCotacaoDados.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

constexpr int Itens = 10000;

void PreencherLicitacao(TDadosCotacao &cotacao)
{
    cotacao.TipoCotacao = tcLicitacao;
    cotacao.EntidadeNome = QStringLiteral("Prefeitura Municipal de Santa Rita do Sul");
    cotacao.NumeroAlfa = QStringLiteral("45/2024");
    cotacao.Modalidade = QStringLiteral("Pr");
    cotacao.FormaJulgamento = QStringLiteral("Pi");
    cotacao.Tratamento = 1;
    auto itens = std::make_unique<TItens>();
    for (int codigo = 1; codigo <= Itens; ++codigo) {
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
struct Cenario
{
    QTemporaryDir pasta;
    QString diretorio = pasta.path() + QLatin1Char('/');
    TTabelasCotacao tabelas;
    TRegrasCotacao regras {tabelas};

    Cenario()
    {
        InstalarApresentadorMensagens([](const TMensagem &) { return int(mrOk); });
        tabelas.Abrir();
        TExpImpCotacao escritor;
        PreencherLicitacao(escritor.Cotacao());
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
};

Cenario &Cotacao()
{
    static Cenario cenario;
    return cenario;
}

void BM_GravacaoSimples(benchmark::State &estado)
{
    Cenario &c = Cotacao();
    for (auto _ : estado) {
        if (!c.regras.ExpImpCotacao()->Exportar(c.diretorio, PastaTemporaria(), c.tabelas.mmDados,
                c.tabelas.mmItens, c.tabelas.mmGrupos))
            estado.SkipWithError("a gravação falhou");
    }
}

void BM_PosGravacao(benchmark::State &estado)
{
    Cenario &c = Cotacao();
    TMemoryTable &mmItens = c.tabelas.mmItens;
    double preco = 1.0;
    for (auto _ : estado) {
        preco = preco == 1.0 ? 1.5 : 1.0;
        mmItens.Edit();
        c.tabelas.mmItensVlCotado->SetAsFloat(preco);
        mmItens.Post();
        if (ObterLogManager().Linhas().value(ObterLogManager().Linhas().size() - 1)
            != QLatin1String("Arquivo KVT salvo com sucesso."))
            estado.SkipWithError("o item gravado não salvou o arquivo");
    }
}

} // namespace

BENCHMARK(BM_GravacaoSimples)->Unit(benchmark::kMillisecond)->Repetitions(7);
BENCHMARK(BM_PosGravacao)->Unit(benchmark::kMillisecond)->Repetitions(7);

int main(int argc, char **argv)
{
    QCoreApplication aplicacao(argc, argv);
    Melhores melhores;
    ExecutarIntercalados(argc, argv, melhores);

    const Melhores::Tempos road = melhores.De("BM_PosGravacao");
    const Melhores::Tempos bare = melhores.De("BM_GravacaoSimples");
    if (road.cpu > 0 && bare.cpu > 0)
        std::printf("\nFastest of each, %d items: after-post road %.1f ms cpu (%.1f real), bare "
                    "save %.1f ms cpu (%.1f real)\n  road / save = %.2f cpu, %.2f real (at most "
                    "1.3)\n",
            Itens, road.cpu * 1e3, road.real * 1e3, bare.cpu * 1e3, bare.real * 1e3,
            road.cpu / bare.cpu, road.real / bare.real);
    return 0;
}
