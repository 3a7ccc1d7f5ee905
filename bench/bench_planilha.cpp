// Bringing a filled spreadsheet into the open quotation, as "Importar planilha..." does: the
// sheet read, its rows matched to the items, every price written through the item table, the
// totals and one save, set against `kvt resave` of the same tender (read the file, write it
// again) measured in the same run. The sheet answers every one of 32,767 items; two sheets of
// different prices take turns, so that every run changes every item. Printed as rows of the
// README's table, the resave standing as the floor.
#include "CenarioPosGravacao.h"
#include "Melhores.h"
#include "app/uAplicacaoPlanilha.h"
#include "app/uConferenciaPlanilha.h"
#include "exchange/uEscritorPlanilha.h"
#include "exchange/uLeitorPlanilha.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr int Itens = 32767;

struct CenarioPlanilha : CenarioPosGravacao
{
    QString planilhas[2];
    int proxima = 0; // the sheet whose prices the table does not hold
    QTemporaryDir saida;

    CenarioPlanilha()
        : CenarioPosGravacao(Itens)
    {
        std::vector<TItemPlanilha> linhas = ItensDaCotacao(tabelas);
        for (int vez = 0; vez < 2; ++vez) {
            for (TItemPlanilha &linha : linhas) {
                linha.ValorCotado = linha.Item * (vez == 0 ? 1.1 : 1.2);
                linha.Marca = QStringLiteral("Marca %1").arg(vez);
            }
            planilhas[vez] = pasta.filePath(QStringLiteral("precos%1.xlsx").arg(vez));
            GravarPlanilha(linhas, planilhas[vez]);
        }
    }
};

CenarioPlanilha &Cenario()
{
    static CenarioPlanilha cenario;
    return cenario;
}

void ImportarPlanilha(benchmark::State &estado)
{
    CenarioPlanilha &c = Cenario();
    for (auto _ : estado) {
        const TConferenciaPlanilha conferencia
            = ConferirPlanilha(c.tabelas, LerPlanilha(c.planilhas[c.proxima]));
        c.proxima = 1 - c.proxima;
        if (conferencia.Alteracoes.size() != std::size_t(Itens) || !conferencia.Problemas.empty())
            estado.SkipWithError("a planilha não mudou todos os itens");
        if (!AplicarAlteracoes(c.regras, conferencia.Alteracoes, c.diretorio))
            estado.SkipWithError("a gravação falhou");
    }
}

// What `kvt resave` does: the file read into the model and written again under its
// canonical name into another folder.
void Regravar(benchmark::State &estado)
{
    CenarioPlanilha &c = Cenario();
    const QString nome = c.regras.ExpImpCotacao()->NomeArquivo();
    for (auto _ : estado) {
        TExpImpCotacao controlador;
        if (!controlador.Regravar(nome, c.diretorio, c.saida.path(), PastaTemporaria()))
            estado.SkipWithError("a regravação falhou");
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication aplicacao(argc, argv);
    benchmark::RegisterBenchmark("ImportarPlanilha", ImportarPlanilha)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(3);
    benchmark::RegisterBenchmark("Regravar", Regravar)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(3);
    Melhores melhores;
    ExecutarIntercalados(argc, argv, melhores);

    const Melhores::Tempos t = melhores.De("ImportarPlanilha");
    const Melhores::Tempos p = melhores.De("Regravar");
    if (t.cpu <= 0 || p.cpu <= 0)
        return 1;
    const double documento
        = double(DocumentoDaCotacao(Cenario().regras.ExpImpCotacao()->Cotacao()).size()) / 1e6;
    std::printf("\n| ImportarPlanilha | %d | %.1f | %.1f | %.1f | %.2f | %.1f | %.1f | %.2f |\n",
        Itens, documento, t.cpu * 1e3, p.cpu * 1e3, t.cpu / p.cpu, t.real * 1e3, p.real * 1e3,
        t.real / p.real);
    return 0;
}
