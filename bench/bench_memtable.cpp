// The items table at the program's limit of 32,767 rows: filling it the way the model does
// (Append, eleven fields, Post), applying the lot and quota filters, and walking the rows,
// beside the floor of storing the same values in a plain vector.
#include "components/MemTable.h"

#include <QVariant>

#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

constexpr int Linhas = 32767;
constexpr int Lotes = 300;

std::unique_ptr<TMemoryTable> TabelaDeItens()
{
    auto t = std::make_unique<TMemoryTable>(QStringLiteral("mmItens"));
    t->AdicionarCampo(QStringLiteral("Item"), ftSmallint).SetRequired(true);
    t->AdicionarCampo(QStringLiteral("Tratamento"), ftInteger);
    t->AdicionarCampo(QStringLiteral("CodMaterial"), ftInteger);
    t->AdicionarCampo(QStringLiteral("DescMaterial"), ftString, 900);
    t->AdicionarCampo(QStringLiteral("QtdLicitada"), ftFloat);
    t->AdicionarCampo(QStringLiteral("VlEstimado"), ftFloat);
    t->AdicionarCampo(QStringLiteral("VlCotado"), ftFloat);
    t->AdicionarCampo(QStringLiteral("QtdMinima"), ftFloat);
    t->AdicionarCampo(QStringLiteral("CodGrupo"), ftSmallint);
    t->AdicionarCampo(QStringLiteral("VlMaximo"), ftFloat);
    t->AdicionarCampo(QStringLiteral("ITEMMARCA"), ftString, 20);
    TField &total
        = t->AdicionarCampo(QStringLiteral("calcVlTotalCotado"), ftFloat, 0, fkCalculated);
    t->AdicionarCampo(QStringLiteral("itemobservacao"), ftString, 255);
    TField &qtd = t->FieldByName(QStringLiteral("QtdLicitada"));
    TField &valor = t->FieldByName(QStringLiteral("VlCotado"));
    t->OnCalcFields = [&total, &qtd, &valor](
                          TMemoryTable &) { total.SetAsFloat(qtd.AsFloat() * valor.AsFloat()); };
    t->Open();
    return t;
}

const QString &Descricao()
{
    static const QString texto = QStringLiteral(
        "Caneta esferográfica azul, corpo sextavado transparente - caixa com 50 unidades");
    return texto;
}

void Preencher(TMemoryTable &t)
{
    TField *campos[] = {&t.FieldByName(QStringLiteral("Item")),
        &t.FieldByName(QStringLiteral("CodMaterial")),
        &t.FieldByName(QStringLiteral("DescMaterial")),
        &t.FieldByName(QStringLiteral("QtdLicitada")), &t.FieldByName(QStringLiteral("VlCotado")),
        &t.FieldByName(QStringLiteral("VlEstimado")), &t.FieldByName(QStringLiteral("CodGrupo")),
        &t.FieldByName(QStringLiteral("ITEMMARCA")), &t.FieldByName(QStringLiteral("VlMaximo")),
        &t.FieldByName(QStringLiteral("itemobservacao")),
        &t.FieldByName(QStringLiteral("Tratamento"))};
    const QString marca = QStringLiteral("Acme");
    const QString observacao = QStringLiteral("Entrega em 10 dias");
    t.HabilitaBeforePost = false;
    for (int i = 1; i <= Linhas; ++i) {
        t.Append();
        campos[0]->SetAsInteger(i);
        campos[1]->SetAsInteger(100000 + i);
        campos[2]->SetAsString(Descricao());
        campos[3]->SetAsFloat(i % 17 + 0.5);
        campos[4]->SetAsFloat(1.23457 * i);
        campos[5]->SetAsFloat(1.5 * i);
        campos[6]->SetAsInteger(i % Lotes + 1);
        campos[7]->SetAsString(marca);
        campos[8]->SetAsFloat(2.0 * i);
        campos[9]->SetAsString(observacao);
        campos[10]->SetAsInteger(i % 3 == 0 ? 4 : 3);
        t.Post();
    }
    t.HabilitaBeforePost = true;
}

void BM_PreencherItens(benchmark::State &estado)
{
    for (auto _ : estado) {
        estado.PauseTiming();
        auto t = TabelaDeItens();
        estado.ResumeTiming();
        Preencher(*t);
        benchmark::DoNotOptimize(t->RecordCount());
        estado.PauseTiming();
        t.reset();
        estado.ResumeTiming();
    }
    estado.SetItemsProcessed(estado.iterations() * Linhas);
}
BENCHMARK(BM_PreencherItens)->Unit(benchmark::kMillisecond);

// The floor: the same eleven values per row into a vector of variants.
void BM_PreencherVetor(benchmark::State &estado)
{
    const QString marca = QStringLiteral("Acme");
    const QString observacao = QStringLiteral("Entrega em 10 dias");
    for (auto _ : estado) {
        std::vector<QVariant> valores;
        for (int i = 1; i <= Linhas; ++i) {
            valores.emplace_back(i);
            valores.emplace_back(100000 + i);
            valores.emplace_back(Descricao());
            valores.emplace_back(i % 17 + 0.5);
            valores.emplace_back(1.23457 * i);
            valores.emplace_back(1.5 * i);
            valores.emplace_back(i % Lotes + 1);
            valores.emplace_back(marca);
            valores.emplace_back(2.0 * i);
            valores.emplace_back(observacao);
            valores.emplace_back(i % 3 == 0 ? 4 : 3);
            valores.emplace_back((i % 17 + 0.5) * 1.23457 * i);
        }
        benchmark::DoNotOptimize(valores.data());
    }
    estado.SetItemsProcessed(estado.iterations() * Linhas);
}
BENCHMARK(BM_PreencherVetor)->Unit(benchmark::kMillisecond);

// One lot's filter with a treatment, as scrolling the lots applies it, then its first row.
void BM_FiltrarLote(benchmark::State &estado)
{
    auto t = TabelaDeItens();
    Preencher(*t);
    t->SetFiltered(true);
    int lote = 0;
    for (auto _ : estado) {
        t->SetFiltered(false);
        t->SetFilter(QStringLiteral(" CODGRUPO = %1 AND TRATAMENTO = 4").arg(lote++ % Lotes + 1));
        t->SetFiltered(true);
        benchmark::DoNotOptimize(t->RecordCount());
    }
    estado.SetItemsProcessed(estado.iterations() * Linhas);
}
BENCHMARK(BM_FiltrarLote)->Unit(benchmark::kMicrosecond);

// The proposal total's walk: every row, reading the item total.
void BM_PercorrerItens(benchmark::State &estado)
{
    auto t = TabelaDeItens();
    Preencher(*t);
    TField &total = t->FieldByName(QStringLiteral("calcVlTotalCotado"));
    t->DisableControls();
    for (auto _ : estado) {
        double soma = 0;
        for (t->First(); !t->Eof(); t->Next())
            soma += total.AsFloat();
        benchmark::DoNotOptimize(soma);
    }
    t->EnableControls();
    estado.SetItemsProcessed(estado.iterations() * Linhas);
}
BENCHMARK(BM_PercorrerItens)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
