#include "exchange/uZipPlanilha.h"

#include "common/uExcecoes.h"

#include <array>
#include <zlib.h>

namespace {

constexpr quint32 AssinaturaFimDiretorio = 0x06054b50;
constexpr quint32 AssinaturaDiretorio = 0x02014b50;
constexpr quint32 AssinaturaLocal = 0x04034b50;
constexpr int TamanhoFimDiretorio = 22;
constexpr int TamanhoEntradaDiretorio = 46;
constexpr int TamanhoCabecalhoLocal = 30;
constexpr int MaximoPartes = 4096;

[[noreturn]] void Danificada()
{
    throw EVrtException(QStringLiteral("A planilha está danificada: o arquivo compactado não "
                                       "pôde ser lido."));
}

[[noreturn]] void GrandeDemais(qint64 limite)
{
    throw EVrtException(
        QStringLiteral("A planilha é grande demais: descompactada passaria de %1 MB.")
            .arg(limite / (1024 * 1024)));
}

// Little-endian fields of the archive, each checked against its end.
class TLeitura
{
public:
    explicit TLeitura(const QByteArray &bytes)
        : m_bytes(bytes)
    { }

    quint16 U16(qint64 posicao) const { return quint16(Campo(posicao, 2)); }
    quint32 U32(qint64 posicao) const { return Campo(posicao, 4); }
    void Exigir(qint64 posicao, qint64 tamanho) const
    {
        if (posicao < 0 || tamanho < 0 || posicao > m_bytes.size() - tamanho)
            Danificada();
    }
    const char *Em(qint64 posicao) const { return m_bytes.constData() + posicao; }
    qint64 Tamanho() const { return m_bytes.size(); }

private:
    // Byte by byte: the optimizer cannot prove the bounds check of a copy through memcpy.
    quint32 Campo(qint64 posicao, int tamanho) const
    {
        Exigir(posicao, tamanho);
        quint32 valor = 0;
        for (int i = tamanho - 1; i >= 0; --i)
            valor = valor << 8 | quint8(m_bytes.at(posicao + i));
        return valor;
    }

    const QByteArray &m_bytes;
};

struct TParte
{
    quint16 metodo;
    qint64 compactado;
    qint64 descompactado;
    qint64 cabecalhoLocal;
};

// Inflates a raw deflate stream into a scratch buffer, counting what comes out; more than
// esperado is refused as soon as it shows.
qint64 Inflar(const char *dados, qint64 tamanho, qint64 esperado)
{
    z_stream fluxo {};
    if (inflateInit2(&fluxo, -MAX_WBITS) != Z_OK)
        Danificada();
    std::array<unsigned char, 64 * 1024> rascunho {};
    fluxo.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(dados));
    fluxo.avail_in = uInt(tamanho);
    qint64 total = 0;
    int resultado = Z_OK;
    while (resultado != Z_STREAM_END) {
        fluxo.next_out = rascunho.data();
        fluxo.avail_out = uInt(rascunho.size());
        resultado = inflate(&fluxo, Z_NO_FLUSH);
        total += qint64(rascunho.size() - fluxo.avail_out);
        // An error, or input that ends before the stream does (zlib then makes no progress).
        if (total > esperado || (resultado != Z_OK && resultado != Z_STREAM_END))
            break;
    }
    inflateEnd(&fluxo);
    if (resultado != Z_STREAM_END || total != esperado)
        return -1;
    return total;
}

} // namespace

QStringList VerificarZipPlanilha(const QByteArray &arquivo, qint64 limite)
{
    const TLeitura zip(arquivo);
    if (zip.Tamanho() < TamanhoFimDiretorio)
        Danificada();

    // The end record sits in the last 64 KiB (its comment may fill them).
    qint64 fim = -1;
    const qint64 inicioBusca = qMax<qint64>(0, zip.Tamanho() - TamanhoFimDiretorio - 0xFFFF);
    for (qint64 p = zip.Tamanho() - TamanhoFimDiretorio; p >= inicioBusca; --p) {
        if (zip.U32(p) == AssinaturaFimDiretorio) {
            fim = p;
            break;
        }
    }
    if (fim < 0)
        Danificada();
    const int partes = zip.U16(fim + 10);
    const qint64 diretorio = zip.U32(fim + 16);
    if (partes > MaximoPartes)
        Danificada();

    std::vector<TParte> lista;
    QStringList nomes;
    qint64 declarado = 0;
    qint64 posicao = diretorio;
    for (int i = 0; i < partes; ++i) {
        if (zip.U32(posicao) != AssinaturaDiretorio)
            Danificada();
        zip.Exigir(posicao, TamanhoEntradaDiretorio);
        TParte parte {zip.U16(posicao + 10), zip.U32(posicao + 20), zip.U32(posicao + 24),
            zip.U32(posicao + 42)};
        // The 64-bit extension marks its sizes 0xFFFFFFFF; no sheet of ours needs it.
        if (parte.compactado == 0xFFFFFFFF || parte.descompactado == 0xFFFFFFFF)
            GrandeDemais(limite);
        declarado += parte.descompactado;
        if (declarado > limite)
            GrandeDemais(limite);
        lista.push_back(parte);
        const int tamanhoNome = zip.U16(posicao + 28);
        zip.Exigir(posicao + TamanhoEntradaDiretorio, tamanhoNome);
        nomes.append(QString::fromUtf8(zip.Em(posicao + TamanhoEntradaDiretorio), tamanhoNome));
        posicao += TamanhoEntradaDiretorio + zip.U16(posicao + 28) + zip.U16(posicao + 30)
            + zip.U16(posicao + 32);
    }

    // The declared sizes must be the real ones: each part is inflated and counted.
    for (const TParte &parte : lista) {
        if (zip.U32(parte.cabecalhoLocal) != AssinaturaLocal)
            Danificada();
        const qint64 dados = parte.cabecalhoLocal + TamanhoCabecalhoLocal
            + zip.U16(parte.cabecalhoLocal + 26) + zip.U16(parte.cabecalhoLocal + 28);
        zip.Exigir(dados, parte.compactado);
        if (parte.metodo == 0) {
            if (parte.compactado != parte.descompactado)
                Danificada();
        } else if (parte.metodo == Z_DEFLATED) {
            if (Inflar(zip.Em(dados), parte.compactado, parte.descompactado) < 0)
                Danificada();
        } else {
            Danificada();
        }
    }
    return nomes;
}
