// Reading and writing the quotation document of a large model, per item, beside a bare
// QXmlStreamReader pass over the same bytes: the floor of any reader of that document.
#include "exchange/uVTExpImpCotacao.h"
#include "exchange/uVTExpImpCotacaoComum.h"
#include "messages/uExpLog.h"
#include "model/uVTExpImpCotacaoDados.h"

#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <benchmark/benchmark.h>

namespace {

void Preencher(TItem &item, int codigo)
{
    item.Codigo = codigo;
    item.CodigoMatServ = 100000 + codigo;
    item.Tratamento = 1 + codigo % 4;
    item.DescricaoMatServ
        = QStringLiteral("Caneta esferográfica azul, corpo transparente, nº %1").arg(codigo);
    item.ObjetoResumidoMatServ = QStringLiteral("Caneta esferográfica");
    item.ObjetoResumidoItem = QStringLiteral("Caneta azul – caixa com 50");
    item.Marca = QStringLiteral("Marca Ação");
    item.Observacao = QStringLiteral("Entrega em até 10 dias úteis");
    item.Quantidade = 1000 + codigo;
    item.QuantidadeMinima = 10;
    item.ValorCotado = 1.23456 + codigo;
    item.ValorEstimado = 2.5;
    item.ValorMaximo = 3.75;
}

// A tender of loose items (lotes 0) or of lotes lots of porLote items each.
struct Cenario
{
    Cenario(int lotes, int porLote)
        : itens(lotes == 0 ? porLote : lotes * porLote)
    {
        cotacao.NumeroAlfa = QStringLiteral("7/2024");
        cotacao.EntidadeNome = QStringLiteral("Prefeitura Municipal de São João");
        cotacao.BrasaoRelatorio = QString(64 * 1024, QLatin1Char('A'));
        cotacao.DataAbertura = 45000.375;
        if (lotes == 0) {
            cotacao.FormaJulgamento = QStringLiteral("Pi");
            cotacao.SetItens(std::make_unique<TItens>());
            for (int i = 1; i <= porLote; ++i)
                Preencher(cotacao.Itens()->Adicionar(std::make_unique<TItem>()), i);
        } else {
            cotacao.FormaJulgamento = QStringLiteral("Gi");
            cotacao.SetGrupos(std::make_unique<TGrupos>());
            for (int l = 1; l <= lotes; ++l) {
                TGrupo &grupo = cotacao.Grupos()->Adicionar(std::make_unique<TGrupo>());
                grupo.Codigo = l;
                grupo.Descricao = QStringLiteral("Lote %1 – material de escritório").arg(l);
                for (int i = 1; i <= porLote; ++i)
                    Preencher(grupo.Itens().Adicionar(std::make_unique<TItem>()), i);
            }
        }
        bytes = DocumentoDaCotacao(cotacao);
        GravarDocumento(bytes, caminho());
        ObterLogManager().Limpar();
    }

    QString caminho() const { return pasta.filePath(QStringLiteral("documento")); }

    QTemporaryDir pasta;
    TDadosCotacao cotacao;
    int itens;
    QByteArray bytes;
};

Cenario &ObterCenario(int lotes)
{
    static Cenario soltos(0, 10000);
    static Cenario emLotes(300, 100);
    return lotes == 0 ? soltos : emLotes;
}

void PorItem(benchmark::State &state, const Cenario &cenario)
{
    state.counters["por_item"] = benchmark::Counter(double(cenario.itens),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetBytesProcessed(int64_t(state.iterations()) * cenario.bytes.size());
}

// The open road from the document file: load, check, read the model.
void Ler(benchmark::State &state)
{
    const Cenario &cenario = ObterCenario(int(state.range(0)));
    for (auto _ : state) {
        ObterLogManager().Limpar();
        TDocumentoLido documento;
        CarregarDocumento(documento, cenario.caminho());
        TDadosCotacao cotacao;
        cotacao.CarregarDoXML(ValidarDocumento(documento));
        benchmark::DoNotOptimize(cotacao.Itens());
    }
    PorItem(state, cenario);
}

// The save road up to the bytes of the file, written straight from the model.
void Gravar(benchmark::State &state)
{
    const Cenario &cenario = ObterCenario(int(state.range(0)));
    for (auto _ : state) {
        ObterLogManager().Limpar();
        benchmark::DoNotOptimize(DocumentoDaCotacao(cenario.cotacao));
    }
    PorItem(state, cenario);
}

void LeitorXmlPuro(benchmark::State &state)
{
    const Cenario &cenario = ObterCenario(int(state.range(0)));
    for (auto _ : state) {
        QXmlStreamReader leitor(cenario.bytes);
        int elementos = 0;
        while (!leitor.atEnd()) {
            if (leitor.readNext() == QXmlStreamReader::StartElement)
                ++elementos;
        }
        benchmark::DoNotOptimize(elementos);
    }
    PorItem(state, cenario);
}

// Argument 0: 10,000 loose items; 300: 300 lots of 100 items.
BENCHMARK(Ler)->Arg(0)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(Gravar)->Arg(0)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(LeitorXmlPuro)->Arg(0)->Arg(300)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
