// The data grid over a table of 100 and of 32,767 items (the most an item number can tell
// apart): painting the last page, moving one row there, posting a price there, and refilling
// the grid as every item post does, each with the view's deferred layout that follows. None of
// them may read the rows one by one.
#include "components/MemTable.h"
#include "components/vrtDBGrid.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>

#include <benchmark/benchmark.h>
#include <memory>

namespace {

struct Cenario
{
    TMemoryTable Tabela {QStringLiteral("mmItens")};
    TDataSource Fonte;
    std::unique_ptr<TvrtDBGrid> Grade;

    explicit Cenario(int linhas)
    {
        Tabela.AdicionarCampo(QStringLiteral("Item"), ftSmallint);
        Tabela.AdicionarCampo(QStringLiteral("Tratamento"), ftInteger);
        Tabela.AdicionarCampo(QStringLiteral("DescMaterial"), ftString, 250);
        Tabela.AdicionarCampo(QStringLiteral("QtdLicitada"), ftFloat)
            .SetDisplayFormat(QStringLiteral("#.#####"));
        Tabela.AdicionarCampo(QStringLiteral("VlEstimado"), ftFloat)
            .SetDisplayFormat(QStringLiteral("#,#####0.00000###;0; "));
        TField &cotado = Tabela.AdicionarCampo(QStringLiteral("VlCotado"), ftFloat);
        cotado.SetDisplayFormat(QStringLiteral("#,##0.00000;0; "));
        cotado.SetEditFormat(QStringLiteral("0.00000;0"));
        Tabela.AdicionarCampo(QStringLiteral("CodGrupo"), ftInteger).SetVisible(false);
        Tabela.AdicionarCampo(QStringLiteral("VlMaximo"), ftFloat)
            .SetDisplayFormat(QStringLiteral("#,#####0.00###;0; "));
        Tabela.AdicionarCampo(QStringLiteral("ITEMMARCA"), ftString, 100);
        Tabela.AdicionarCampo(QStringLiteral("itemobservacao"), ftString, 900);
        Tabela.Open();
        Tabela.DisableControls();
        for (int i = 1; i <= linhas; ++i) {
            Tabela.Append();
            Tabela.Fields(0).SetAsInteger(i);
            Tabela.Fields(1).SetAsInteger(1 + i % 4);
            Tabela.Fields(2).SetAsString(
                QStringLiteral("Caneta esferográfica azul, caixa %1").arg(i));
            Tabela.Fields(3).SetAsFloat(i * 1.5);
            Tabela.Fields(4).SetAsFloat(i * 0.37);
            Tabela.Fields(5).SetAsFloat(i * 0.31);
            Tabela.Fields(6).SetAsInteger(1);
            Tabela.Fields(7).SetAsFloat(i * 0.4);
            Tabela.Post();
        }
        Tabela.Last();
        Tabela.EnableControls();
        Fonte.SetDataSet(&Tabela);
        Grade = std::make_unique<TvrtDBGrid>();
        Grade->resize(1000, 600);
        Grade->SetDataSource(&Fonte);
        Grade->show();
        Grade->SetSelectedIndex(5);
    }
};

void Linhas(benchmark::internal::Benchmark *bench)
{
    bench->Arg(100)->Arg(32767)->Unit(benchmark::kMicrosecond);
}

void BM_PintarUltimaPagina(benchmark::State &state)
{
    Cenario cenario(int(state.range(0)));
    QImage imagem(cenario.Grade->viewport()->size(), QImage::Format_ARGB32);
    for (auto _ : state) {
        cenario.Grade->viewport()->render(&imagem);
        benchmark::DoNotOptimize(imagem.bits());
    }
}
BENCHMARK(BM_PintarUltimaPagina)->Apply(Linhas);

void BM_MoverUmaLinha(benchmark::State &state)
{
    Cenario cenario(int(state.range(0)));
    QKeyEvent cima(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QKeyEvent baixo(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    bool subir = true;
    for (auto _ : state) {
        QApplication::sendEvent(cenario.Grade.get(), subir ? &cima : &baixo);
        subir = !subir;
        QApplication::processEvents();
    }
}
BENCHMARK(BM_MoverUmaLinha)->Apply(Linhas);

void BM_GravarPreco(benchmark::State &state)
{
    Cenario cenario(int(state.range(0)));
    TField &cotado = cenario.Tabela.FieldByName(QStringLiteral("VlCotado"));
    double preco = 1;
    for (auto _ : state) {
        cenario.Tabela.Edit();
        cotado.SetAsFloat(preco += 1);
        cenario.Tabela.Post();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_GravarPreco)->Apply(Linhas);

void BM_Recarregar(benchmark::State &state)
{
    Cenario cenario(int(state.range(0)));
    for (auto _ : state) {
        cenario.Tabela.DisableControls();
        cenario.Tabela.EnableControls();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_Recarregar)->Apply(Linhas);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacao(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
