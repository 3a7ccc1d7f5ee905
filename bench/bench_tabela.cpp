// The open and save road at three sizes, 1,000, 10,000 and 32,767 items: opening into the
// tables, the open's check road alone (as far as the model, as kvt check goes), saving, and
// the road after one posted price, each set against the bare floor over the same document
// measured in the same run: zlib (inflating for the opens, deflating for the saves), MD5, and
// one bare XML stream pass (QXmlStreamReader reading the document for the opens,
// QXmlStreamWriter writing its elements and texts for the saves). Printed as one Markdown
// table, followed by the peak memory of opening the largest file both ways, each measured in a
// child process of its own.
#include "CenarioAbrirSalvar.h"
#include "CenarioPosGravacao.h"
#include "Melhores.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>
#include <zlib.h>

namespace {

constexpr int Tamanhos[] = {1000, 10000, 32767};
const char *const OpcaoPico = "--pico-abertura";
const char *const OpcaoTabelas = "tabelas";
const char *const OpcaoConferir = "conferir";

template<typename T>
T &Cenario(int itens)
{
    static std::map<int, std::unique_ptr<T>> cenarios;
    std::unique_ptr<T> &cenario = cenarios[itens];
    if (!cenario)
        cenario = std::make_unique<T>(itens);
    return *cenario;
}

// One piece of a document as a stream writer takes it.
struct TToken
{
    QXmlStreamReader::TokenType tipo;
    QString texto;
};

// A document's bytes, its zlib stream and its pieces, for the floors.
struct TPiso
{
    explicit TPiso(QByteArray bytes)
        : documento(std::move(bytes))
        , compactado(qsizetype(compressBound(uLong(documento.size()))), '\0')
    {
        uLongf tamanho = uLongf(compactado.size());
        compress2(reinterpret_cast<Bytef *>(compactado.data()), &tamanho,
            reinterpret_cast<const Bytef *>(documento.constData()), uLong(documento.size()),
            Z_DEFAULT_COMPRESSION);
        compactado.resize(qsizetype(tamanho));
        QXmlStreamReader leitor(documento);
        while (!leitor.atEnd()) {
            const QXmlStreamReader::TokenType tipo = leitor.readNext();
            if (tipo == QXmlStreamReader::StartElement)
                tokens.push_back({tipo, leitor.name().toString()});
            else if (tipo == QXmlStreamReader::Characters)
                tokens.push_back({leitor.isCDATA() ? QXmlStreamReader::Comment : tipo,
                    leitor.text().toString()});
            else if (tipo == QXmlStreamReader::EndElement)
                tokens.push_back({tipo, QString()});
        }
    }

    QByteArray documento;
    QByteArray compactado;
    std::vector<TToken> tokens; // a CDATA section is marked as a comment
};

int PassagemXml(const QByteArray &documento)
{
    QXmlStreamReader leitor(documento);
    int elementos = 0;
    while (!leitor.atEnd()) {
        if (leitor.readNext() == QXmlStreamReader::StartElement)
            ++elementos;
    }
    return elementos;
}

QByteArray EscritaXml(const TPiso &piso)
{
    QByteArray bytes;
    bytes.reserve(piso.documento.size());
    QXmlStreamWriter escritor(&bytes);
    escritor.writeStartDocument();
    for (const TToken &token : piso.tokens) {
        if (token.tipo == QXmlStreamReader::StartElement)
            escritor.writeStartElement(token.texto);
        else if (token.tipo == QXmlStreamReader::Characters)
            escritor.writeCharacters(token.texto);
        else if (token.tipo == QXmlStreamReader::Comment)
            escritor.writeCDATA(token.texto);
        else
            escritor.writeEndElement();
    }
    escritor.writeEndDocument();
    return bytes;
}

void PisoLeitura(const TPiso &piso)
{
    QByteArray saida(piso.documento.size(), '\0');
    uLongf tamanho = uLongf(saida.size());
    benchmark::DoNotOptimize(uncompress(reinterpret_cast<Bytef *>(saida.data()), &tamanho,
        reinterpret_cast<const Bytef *>(piso.compactado.constData()),
        uLong(piso.compactado.size())));
    benchmark::DoNotOptimize(QCryptographicHash::hash(saida, QCryptographicHash::Md5));
    benchmark::DoNotOptimize(PassagemXml(saida));
}

void PisoEscrita(const TPiso &piso)
{
    QByteArray saida(piso.compactado.size() + 1024, '\0');
    uLongf tamanho = uLongf(saida.size());
    benchmark::DoNotOptimize(compress2(reinterpret_cast<Bytef *>(saida.data()), &tamanho,
        reinterpret_cast<const Bytef *>(piso.documento.constData()), uLong(piso.documento.size()),
        Z_DEFAULT_COMPRESSION));
    benchmark::DoNotOptimize(QCryptographicHash::hash(piso.documento, QCryptographicHash::Md5));
    benchmark::DoNotOptimize(EscritaXml(piso));
}

const TPiso &PisoAbrirSalvar(int itens)
{
    static std::map<int, std::unique_ptr<TPiso>> pisos;
    std::unique_ptr<TPiso> &piso = pisos[itens];
    if (!piso)
        piso = std::make_unique<TPiso>(Cenario<CenarioAbrirSalvar>(itens).bytes);
    return *piso;
}

// The document the road saves, answers included.
const TPiso &PisoPosGravacao(int itens)
{
    static std::map<int, std::unique_ptr<TPiso>> pisos;
    std::unique_ptr<TPiso> &piso = pisos[itens];
    if (!piso) {
        CenarioPosGravacao &c = Cenario<CenarioPosGravacao>(itens);
        piso = std::make_unique<TPiso>(DocumentoDaCotacao(c.regras.ExpImpCotacao()->Cotacao()));
    }
    return *piso;
}

void Abrir(benchmark::State &estado, int itens)
{
    CenarioAbrirSalvar &c = Cenario<CenarioAbrirSalvar>(itens);
    for (auto _ : estado) {
        TExpImpCotacao controlador;
        if (!c.Importar(controlador))
            estado.SkipWithError("a abertura falhou");
    }
}

// The open road without the tables, as kvt check runs it: container, document and model.
void Conferir(benchmark::State &estado, int itens)
{
    CenarioAbrirSalvar &c = Cenario<CenarioAbrirSalvar>(itens);
    for (auto _ : estado) {
        TDadosCotacao cotacao;
        if (!LerArquivoCotacao(cotacao, c.Pasta(), QStringLiteral("Cotacao"), c.Trabalho()))
            estado.SkipWithError("a conferência falhou");
    }
}

// Saves into a folder of its own, so that the received file stays for the opens.
void Salvar(benchmark::State &estado, int itens)
{
    CenarioAbrirSalvar &c = Cenario<CenarioAbrirSalvar>(itens);
    TExpImpCotacao controlador;
    if (!c.Importar(controlador))
        estado.SkipWithError("a abertura falhou");
    const QTemporaryDir saida;
    const QString pasta = saida.path() + QLatin1Char('/');
    for (auto _ : estado) {
        if (!controlador.Exportar(
                pasta, c.Trabalho(), c.tabelas.mmDados, c.tabelas.mmItens, c.tabelas.mmGrupos))
            estado.SkipWithError("a gravação falhou");
    }
}

void PosGravacao(benchmark::State &estado, int itens)
{
    CenarioPosGravacao &c = Cenario<CenarioPosGravacao>(itens);
    double preco = 1.0;
    for (auto _ : estado) {
        preco = preco == 1.0 ? 1.5 : 1.0;
        if (!c.CotarItemAtual(preco))
            estado.SkipWithError("o item gravado não salvou o arquivo");
    }
}

struct TLinha
{
    const char *operacao;
    void (*medir)(benchmark::State &, int);
    void (*piso)(const TPiso &);
    const TPiso &(*documento)(int);
};

const TLinha Linhas[] = {
    {"Abrir", Abrir, PisoLeitura, PisoAbrirSalvar},
    {"Conferir", Conferir, PisoLeitura, PisoAbrirSalvar},
    {"Salvar", Salvar, PisoEscrita, PisoAbrirSalvar},
    {"PosGravacao", PosGravacao, PisoEscrita, PisoPosGravacao},
};

std::string Nome(const char *operacao, int itens)
{
    return std::string(operacao) + '/' + std::to_string(itens);
}

std::string NomePiso(const char *operacao, int itens)
{
    return Nome((std::string("Piso") + operacao).c_str(), itens);
}

void Registrar()
{
    for (const TLinha &linha : Linhas) {
        for (const int itens : Tamanhos) {
            benchmark::RegisterBenchmark(Nome(linha.operacao, itens).c_str(),
                [&linha, itens](benchmark::State &estado) { linha.medir(estado, itens); })
                ->Unit(benchmark::kMillisecond)
                ->Repetitions(3);
            benchmark::RegisterBenchmark(NomePiso(linha.operacao, itens).c_str(),
                [&linha, itens](benchmark::State &estado) {
                    const TPiso &piso = linha.documento(itens);
                    for (auto _ : estado)
                        linha.piso(piso);
                })
                ->Unit(benchmark::kMillisecond)
                ->Repetitions(3);
        }
    }
}

void ImprimirTabela(const Melhores &melhores)
{
    std::printf("\n| Operação | Itens | Documento (MB) | CPU (ms) | Piso CPU (ms) | Razão CPU | "
                "Real (ms) | Piso real (ms) | Razão real |\n"
                "|---|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const TLinha &linha : Linhas) {
        for (const int itens : Tamanhos) {
            const Melhores::Tempos t = melhores.De(Nome(linha.operacao, itens));
            const Melhores::Tempos p = melhores.De(NomePiso(linha.operacao, itens));
            if (t.cpu <= 0 || p.cpu <= 0)
                continue;
            std::printf("| %s | %d | %.1f | %.1f | %.1f | %.2f | %.1f | %.1f | %.2f |\n",
                linha.operacao, itens, double(linha.documento(itens).documento.size()) / 1e6,
                t.cpu * 1e3, p.cpu * 1e3, t.cpu / p.cpu, t.real * 1e3, p.real * 1e3,
                t.real / p.real);
        }
    }
}

// The peak resident memory of this process, in KiB (VmHWM: unlike getrusage, it starts
// afresh at exec, so a child does not inherit its parent's peak).
long PicoKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &linha : status.readAll().split('\n')) {
        if (linha.startsWith("VmHWM:"))
            return linha.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

// In the child: opens pasta/Cotacao.kvt as the window does into the tables, or only as far as
// the model as kvt check does, and prints the peak resident memory before and after, in KiB.
int MedirPicoAbertura(const QString &pasta, bool comTabelas)
{
    TTabelasCotacao tabelas;
    tabelas.Abrir();
    tabelas.PrepararParaCarga();
    const long antes = PicoKiB();
    TExpImpCotacao controlador;
    const QTemporaryDir trabalho;
    const QString pastaTrabalho = trabalho.path() + QLatin1Char('/');
    const bool aberto = comTabelas
        ? controlador.Importar(QStringLiteral("Cotacao"), pasta, pastaTrabalho, tabelas.mmDados,
            tabelas.mmGrupos, tabelas.mmItens, tabelas.mmCotas)
        : LerArquivoCotacao(controlador.Cotacao(), pasta, QStringLiteral("Cotacao"), pastaTrabalho);
    if (!aberto)
        return 1;
    std::printf("%ld %ld\n", antes, PicoKiB());
    return 0;
}

void ImprimirPicoAbertura()
{
    const int itens = Tamanhos[std::size(Tamanhos) - 1];
    CenarioAbrirSalvar &c = Cenario<CenarioAbrirSalvar>(itens);
    for (const char *road : {OpcaoTabelas, OpcaoConferir}) {
        QProcess filho;
        filho.start(QCoreApplication::applicationFilePath(),
            {QString::fromLatin1(OpcaoPico), c.Pasta(), QString::fromLatin1(road)});
        long antes = 0;
        long depois = 0;
        if (!filho.waitForFinished(600000) || filho.exitCode() != 0
            || std::sscanf(filho.readAllStandardOutput().constData(), "%ld %ld", &antes, &depois)
                != 2) {
            std::printf("\nPico de memória da abertura (%s): não medido\n", road);
            continue;
        }
        const double documento = double(c.bytes.size()) / (1024 * 1024);
        std::printf("\nPico de memória ao abrir o arquivo de %d itens (%.1f MiB de documento), "
                    "%s: %.0f MiB (%.0f MiB antes de abrir; %.1f vezes o documento além disso)\n",
            itens, documento, road, double(depois) / 1024, double(antes) / 1024,
            double(depois - antes) / 1024 / documento);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication aplicacao(argc, argv);
    if (argc == 4 && std::string(argv[1]) == OpcaoPico)
        return MedirPicoAbertura(
            QString::fromLocal8Bit(argv[2]), std::string(argv[3]) == OpcaoTabelas);

    Registrar();
    Melhores melhores;
    ExecutarIntercalados(argc, argv, melhores);
    ImprimirTabela(melhores);
    ImprimirPicoAbertura();
    return 0;
}
