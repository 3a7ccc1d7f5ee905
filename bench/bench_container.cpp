// Packing and unpacking a large quotation document against the floors of its parts: zlib's
// one-shot compress2/uncompress and MD5 over the same bytes, all in memory.
#include "exchange/uVTExpImpCotacaoValidacoes.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
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

constexpr qint64 TamanhoDocumento = 50 * 1000 * 1000;

// A quotation-like document: a coat-of-arms picture as hexadecimal text, then items with
// varied descriptions, brands, quantities and prices.
QByteArray GerarDocumento()
{
    static const char *const palavras[] = {"Caneta", "esferográfica", "azul", "papel", "A4",
        "resma", "500", "folhas", "cartucho", "tinta", "preta", "grampeador", "médio", "caixa",
        "arquivo", "morto", "pasta", "suspensa", "envelope", "pardo", "lápis", "borracha", "branca",
        "régua", "30cm", "clipe", "metálico", "nº2", "etiqueta", "adesiva"};
    QRandomGenerator aleatorio(20230512);
    QByteArray documento;
    documento.reserve(TamanhoDocumento + 4096);
    documento += "<?xml version = \"1.0\" encoding=\"ISO-8859-1\"?>\r\n<dados><cotacao>"
                 "<BrasaoRelatorio>";
    QByteArray imagem(512 * 1024, '\0');
    for (char &byte : imagem)
        byte = char(aleatorio.bounded(256) & (aleatorio.bounded(4) ? 0x0F : 0xFF));
    documento += imagem.toHex().toUpper();
    documento += "</BrasaoRelatorio><itens>";
    for (int codigo = 1; documento.size() < TamanhoDocumento; ++codigo) {
        QByteArray descricao;
        for (int n = 3 + int(aleatorio.bounded(9)); n > 0; --n)
            descricao += QByteArray(palavras[aleatorio.bounded(int(std::size(palavras)))]) + ' ';
        documento += "<item><Codigo>" + QByteArray::number(codigo) + "</Codigo><CodigoMatServ>"
            + QByteArray::number(aleatorio.bounded(1000000)) + "</CodigoMatServ><DescricaoMatServ>"
            + descricao.trimmed() + "</DescricaoMatServ><Quantidade>"
            + QByteArray::number(aleatorio.bounded(10000)) + ",000</Quantidade><ValorEstimado>"
            + QByteArray::number(aleatorio.bounded(100000)) + ","
            + QByteArray::number(aleatorio.bounded(100000)) + "</ValorEstimado><Marca>"
            + palavras[aleatorio.bounded(int(std::size(palavras)))] + "</Marca></item>\r\n";
    }
    documento.truncate(TamanhoDocumento);
    return documento;
}

// The document on disk, its container, and the same bytes in memory for the floors.
struct Cenario
{
    Cenario()
        : documento(GerarDocumento())
    {
        QFile arquivo(caminhoDocumento());
        if (!arquivo.open(QIODevice::WriteOnly) || arquivo.write(documento) != documento.size())
            std::abort();
        arquivo.close();
        if (!CompactarArquivo(versao, pasta.path(), caminhoDocumento()))
            std::abort();
        uLongf tamanho = compressBound(uLong(documento.size()));
        compactado.resize(qsizetype(tamanho));
        compress2(reinterpret_cast<Bytef *>(compactado.data()), &tamanho,
            reinterpret_cast<const Bytef *>(documento.constData()), uLong(documento.size()),
            Z_DEFAULT_COMPRESSION);
        compactado.resize(qsizetype(tamanho));
    }

    QString caminhoDocumento() const { return pasta.filePath(QStringLiteral("COT-50MB")); }
    QString caminhoLido() const { return pasta.filePath(QStringLiteral("lido/COT-50MB")); }

    QTemporaryDir pasta;
    TVersao versao = TextoParaVersao(VERSAO_ARQUIVO_COTACAO);
    QByteArray documento;
    QByteArray compactado;
};

Cenario &ObterCenario()
{
    static Cenario cenario;
    return cenario;
}

void Processados(benchmark::State &state)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * TamanhoDocumento);
}

void Pack(benchmark::State &state)
{
    Cenario &c = ObterCenario();
    for (auto _ : state)
        benchmark::DoNotOptimize(CompactarArquivo(c.versao, c.pasta.path(), c.caminhoDocumento()));
    Processados(state);
}

void Unpack(benchmark::State &state)
{
    Cenario &c = ObterCenario();
    QDir(c.pasta.path()).mkpath(QStringLiteral("lido"));
    for (auto _ : state) {
        // The open inflates into a document that does not exist yet.
        state.PauseTiming();
        QFile::remove(c.caminhoLido());
        state.ResumeTiming();
        benchmark::DoNotOptimize(DescompactarArquivo(c.versao, c.pasta.path(), c.caminhoLido()));
    }
    Processados(state);
}

void Compress2(benchmark::State &state)
{
    Cenario &c = ObterCenario();
    QByteArray saida(qsizetype(compressBound(uLong(c.documento.size()))), '\0');
    for (auto _ : state) {
        uLongf tamanho = uLongf(saida.size());
        benchmark::DoNotOptimize(compress2(reinterpret_cast<Bytef *>(saida.data()), &tamanho,
            reinterpret_cast<const Bytef *>(c.documento.constData()), uLong(c.documento.size()),
            Z_DEFAULT_COMPRESSION));
    }
    Processados(state);
}

void Uncompress(benchmark::State &state)
{
    Cenario &c = ObterCenario();
    QByteArray saida(c.documento.size(), '\0');
    for (auto _ : state) {
        uLongf tamanho = uLongf(saida.size());
        benchmark::DoNotOptimize(uncompress(reinterpret_cast<Bytef *>(saida.data()), &tamanho,
            reinterpret_cast<const Bytef *>(c.compactado.constData()), uLong(c.compactado.size())));
    }
    Processados(state);
}

void Md5(benchmark::State &state)
{
    Cenario &c = ObterCenario();
    for (auto _ : state)
        benchmark::DoNotOptimize(QCryptographicHash::hash(c.documento, QCryptographicHash::Md5));
    Processados(state);
}

// Keeps the fastest repetition of each benchmark, to set the container against the floors.
class Melhores : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            const double segundos = run.real_accumulated_time / double(run.iterations);
            auto [it, novo] = m_segundos.emplace(run.run_name.function_name, segundos);
            if (!novo)
                it->second = std::min(it->second, segundos);
        }
    }

    double Segundos(const std::string &nome) const
    {
        const auto it = m_segundos.find(nome);
        return it == m_segundos.end() ? 0 : it->second;
    }

private:
    std::map<std::string, double> m_segundos;
};

void Resumir(const Melhores &melhores)
{
    const double mb = double(TamanhoDocumento) / 1e6;
    std::printf("\nFastest of each, %.0f MB document (container %.1f MB):\n", mb,
        double(ObterCenario().compactado.size()) / 1e6);
    for (const char *nome : {"Pack", "Unpack", "Compress2", "Uncompress", "Md5"}) {
        if (const double segundos = melhores.Segundos(nome); segundos > 0)
            std::printf("  %-10s %8.1f ms %8.1f MB/s\n", nome, segundos * 1e3, mb / segundos);
    }

    const double pack = melhores.Segundos("Pack");
    const double unpack = melhores.Segundos("Unpack");
    const double compress = melhores.Segundos("Compress2");
    const double uncompress = melhores.Segundos("Uncompress");
    const double md5 = melhores.Segundos("Md5");
    if (pack > 0 && compress > 0 && md5 > 0)
        std::printf("  pack / (compress2 + md5)    = %.3f\n", pack / (compress + md5));
    if (unpack > 0 && uncompress > 0 && md5 > 0)
        std::printf("  unpack / (uncompress + md5) = %.3f\n", unpack / (uncompress + md5));
    if (pack > 0 && unpack > 0 && compress > 0 && uncompress > 0 && md5 > 0)
        std::printf("  (pack + unpack) / (compress2 + uncompress + md5) = %.3f (at most 1.2)\n",
            (pack + unpack) / (compress + uncompress + md5));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // Each run is long enough on its own; the fastest of a few repetitions is the figure.
    for (const auto &[nome, funcao] : {std::pair {"Pack", Pack}, {"Unpack", Unpack},
             {"Compress2", Compress2}, {"Uncompress", Uncompress}, {"Md5", Md5}})
        benchmark::RegisterBenchmark(nome, funcao)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(1)
            ->Repetitions(7);
    // Repetitions of the five run interleaved, so that a busy machine slows them alike.
    std::vector<char *> argumentos(argv, argv + argc);
    char intercalar[] = "--benchmark_enable_random_interleaving=true";
    argumentos.insert(argumentos.begin() + 1, intercalar);
    int quantidade = int(argumentos.size());
    benchmark::Initialize(&quantidade, argumentos.data());
    Melhores melhores;
    benchmark::RunSpecifiedBenchmarks(&melhores);
    benchmark::Shutdown();
    Resumir(melhores);
    return 0;
}
