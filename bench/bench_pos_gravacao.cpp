// The road after the supplier posts one price in a tender of 10,000 loose items: the maximum
// price check, the totals walked over every item and the silent save of the whole file, beside
// the bare save (Exportar alone) of the same quotation in the same run. The road should cost at
// most 1.3 times the bare save.
#include "CenarioPosGravacao.h"
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

CenarioPosGravacao &Cotacao()
{
    static CenarioPosGravacao cenario(Itens);
    return cenario;
}

void BM_GravacaoSimples(benchmark::State &estado)
{
    CenarioPosGravacao &c = Cotacao();
    for (auto _ : estado) {
        if (!c.regras.ExpImpCotacao()->Exportar(c.diretorio, PastaTemporaria(), c.tabelas.mmDados,
                c.tabelas.mmItens, c.tabelas.mmGrupos))
            estado.SkipWithError("a gravação falhou");
    }
}

void BM_PosGravacao(benchmark::State &estado)
{
    CenarioPosGravacao &c = Cotacao();
    double preco = 1.0;
    for (auto _ : estado) {
        preco = preco == 1.0 ? 1.5 : 1.0;
        if (!c.CotarItemAtual(preco))
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
