// Finding, counting and checking in a tender of 32,767 loose items: a find that reads every
// item (a word no item holds), the next item without a price when only the last one lacks it,
// the totals after a post (the walk that also counts the items for the status bar and reads
// their answers for the find and the check) and the check before sending. The find and the
// status update should each cost under 20 ms.
#include "CenarioPosGravacao.h"
#include "Melhores.h"
#include "app/uConferenciaProposta.h"
#include "app/uIndiceItens.h"
#include "app/uRegrasCotacao.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr int Itens = 32767;

CenarioPosGravacao &Cotacao()
{
    static CenarioPosGravacao cenario(Itens);
    return cenario;
}

void BM_Localizar(benchmark::State &estado)
{
    const TIndiceItens &indice = Cotacao().regras.Indice();
    for (auto _ : estado) {
        if (indice.Localizar(QStringLiteral("parafuso sextavado"), 0) != -1)
            estado.SkipWithError("achou o que não existe");
    }
}

void BM_ProximoSemPreco(benchmark::State &estado)
{
    CenarioPosGravacao &c = Cotacao();
    for (auto _ : estado) {
        if (c.regras.Indice().ProximoSemPreco(0) != -1)
            estado.SkipWithError("há item sem preço");
    }
}

void BM_TotaisEResumo(benchmark::State &estado)
{
    CenarioPosGravacao &c = Cotacao();
    for (auto _ : estado) {
        c.regras.CalcularTotais();
        benchmark::DoNotOptimize(c.regras.Resumo().Cotados);
    }
}

void BM_ConferirProposta(benchmark::State &estado)
{
    CenarioPosGravacao &c = Cotacao();
    for (auto _ : estado)
        benchmark::DoNotOptimize(ConferirProposta(c.regras).size());
}

} // namespace

BENCHMARK(BM_Localizar)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_ProximoSemPreco)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_TotaisEResumo)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_ConferirProposta)->Unit(benchmark::kMillisecond)->Repetitions(5);

int main(int argc, char **argv)
{
    QCoreApplication aplicacao(argc, argv);
    Melhores melhores;
    ExecutarIntercalados(argc, argv, melhores);
    std::printf("\n| Operação (%d itens) | CPU (ms) | Real (ms) |\n|---|---:|---:|\n", Itens);
    for (const char *nome :
        {"BM_Localizar", "BM_ProximoSemPreco", "BM_TotaisEResumo", "BM_ConferirProposta"}) {
        const Melhores::Tempos tempos = melhores.De(nome);
        std::printf("| %s | %.2f | %.2f |\n", nome + 3, tempos.cpu * 1e3, tempos.real * 1e3);
    }
    return 0;
}
