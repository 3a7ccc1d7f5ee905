// Opening a quotation of 10,000 items into the tables and saving it back, set against the
// bare costs measured in the same run: deflating and hashing the saved document (the
// container's floor) and reading and writing its XML.
#include "CenarioAbrirSalvar.h"
#include "Melhores.h"
#include "exchange/uVTExpImpCotacao.h"
#include "exchange/uVTExpImpCotacaoComum.h"
#include "exchange/uVTExpImpCotacaoValidacoes.h"
#include "model/uTabelasCotacao.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <vector>
#include <zlib.h>

namespace {

constexpr int QuantidadeItens = 10000;

CenarioAbrirSalvar &ObterCenario()
{
    static CenarioAbrirSalvar cenario(QuantidadeItens);
    return cenario;
}

void Abrir(benchmark::State &state)
{
    CenarioAbrirSalvar &c = ObterCenario();
    for (auto _ : state) {
        TExpImpCotacao controlador;
        benchmark::DoNotOptimize(c.Importar(controlador));
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * QuantidadeItens);
}

void Salvar(benchmark::State &state)
{
    CenarioAbrirSalvar &c = ObterCenario();
    TExpImpCotacao controlador;
    if (!c.Importar(controlador))
        std::abort();
    // The first save renames the received file; the measured ones overwrite in place, as
    // the window's saves after each posted item do.
    controlador.Exportar(
        c.Pasta(), c.Trabalho(), c.tabelas.mmDados, c.tabelas.mmItens, c.tabelas.mmGrupos);
    for (auto _ : state)
        benchmark::DoNotOptimize(controlador.Exportar(
            c.Pasta(), c.Trabalho(), c.tabelas.mmDados, c.tabelas.mmItens, c.tabelas.mmGrupos));
    state.SetItemsProcessed(int64_t(state.iterations()) * QuantidadeItens);
    // Leave the received file for the opens that may follow.
    QFile::copy(c.pasta.filePath(QStringLiteral("COT-7-2024-11222333000181.kvt")),
        c.pasta.filePath(QStringLiteral("Cotacao.kvt")));
}

// The container's floor: one-shot deflate at the default level and MD5 of the same bytes.
void DeflateMd5(benchmark::State &state)
{
    CenarioAbrirSalvar &c = ObterCenario();
    QByteArray saida(qsizetype(compressBound(uLong(c.bytes.size()))), '\0');
    for (auto _ : state) {
        uLongf tamanho = uLongf(saida.size());
        benchmark::DoNotOptimize(compress2(reinterpret_cast<Bytef *>(saida.data()), &tamanho,
            reinterpret_cast<const Bytef *>(c.bytes.constData()), uLong(c.bytes.size()),
            Z_DEFAULT_COMPRESSION));
        benchmark::DoNotOptimize(QCryptographicHash::hash(c.bytes, QCryptographicHash::Md5));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * c.bytes.size());
}

// The model written straight into the document's bytes, as the save writes it.
void EscreverBytes(benchmark::State &state)
{
    CenarioAbrirSalvar &c = ObterCenario();
    for (auto _ : state)
        benchmark::DoNotOptimize(DocumentoDaCotacao(*c.cotacao));
    state.SetItemsProcessed(int64_t(state.iterations()) * QuantidadeItens);
}

// The document's bytes parsed and read into a model.
void LerXml(benchmark::State &state)
{
    CenarioAbrirSalvar &c = ObterCenario();
    for (auto _ : state) {
        const TDocumentoLido documento = TDocumentoLido::DeBytes(c.bytes);
        TDadosCotacao cotacao;
        cotacao.CarregarDoXML(documento.Raiz().PrimeiroFilho(QStringLiteral("cotacao")));
        benchmark::DoNotOptimize(cotacao.Itens());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * QuantidadeItens);
}

BENCHMARK(Abrir)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(Salvar)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(DeflateMd5)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(EscreverBytes)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(LerXml)->Unit(benchmark::kMillisecond)->Repetitions(3);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Melhores melhores;
    benchmark::RunSpecifiedBenchmarks(&melhores);
    benchmark::Shutdown();

    std::printf("\nFastest of each, %d items, document %.1f MB:\n", QuantidadeItens,
        double(ObterCenario().bytes.size()) / 1e6);
    std::printf("  %-12s %9s %9s\n", "", "cpu ms", "real ms");
    for (const char *nome : {"Abrir", "Salvar", "DeflateMd5", "EscreverBytes", "LerXml"}) {
        const Melhores::Tempos t = melhores.De(nome);
        if (t.cpu > 0)
            std::printf("  %-12s %9.1f %9.1f\n", nome, t.cpu * 1e3, t.real * 1e3);
    }
    const Melhores::Tempos salvar = melhores.De("Salvar");
    const Melhores::Tempos piso = melhores.De("DeflateMd5");
    if (salvar.cpu > 0 && piso.cpu > 0)
        std::printf("  Salvar / DeflateMd5 = %.2f cpu, %.2f real (at most 2)\n",
            salvar.cpu / piso.cpu, salvar.real / piso.real);
    return 0;
}
