#include "exchange/uVTExpImpCotacaoValidacoes.h"

#include "common/uCaminhos.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <utility>
#include <vector>
#include <zlib.h>

namespace {

// Compressed data passes through buffers of this size on either side; the inflated document
// is appended in chunks of 4097 bytes.
constexpr int TamanhoBufferCompactado = 65536;
constexpr int TamanhoPedacoDescompactado = 4097;
constexpr int TamanhoBufferDigest = 65536;
constexpr int JanelaZlib = 15;
constexpr int NivelMemoriaZlib = 8;

QString ArquivoInvalido(const QString &caminho)
{
    return QStringLiteral("Arquivo %1 inválido.").arg(caminho);
}

[[noreturn]] void FalharArquivo(const char *acao, const QFileDevice &arquivo)
{
    throw EFileError(QStringLiteral("Não foi possível %1 o arquivo %2: %3.")
                         .arg(QLatin1String(acao), arquivo.fileName(), arquivo.errorString()));
}

void AbrirParaLeitura(QFile &arquivo)
{
    if (!arquivo.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        FalharArquivo("abrir", arquivo);
}

// Reads up to the buffer's size; fewer bytes only at the end of the file.
qint64 Ler(QFile &arquivo, char *dados, qint64 tamanho)
{
    const qint64 lidos = arquivo.read(dados, tamanho);
    if (lidos < 0)
        FalharArquivo("ler", arquivo);
    return lidos;
}

TGravacaoContainer &GravacaoPadrao()
{
    static TGravacaoContainer padrao;
    return padrao;
}

TGravacaoContainer *&GravacaoInstalada()
{
    static TGravacaoContainer *instalada = nullptr;
    return instalada;
}

// The container being written, through the installed steps.
class TContainerGravado
{
public:
    explicit TContainerGravado(const QString &caminho)
        : m_arquivo(caminho)
        , m_gravacao(GravacaoContainer())
    {
        if (!m_gravacao.Criar(m_arquivo))
            FalharArquivo("criar", m_arquivo);
    }

    void Gravar(const char *dados, qint64 tamanho)
    {
        if (tamanho > 0 && m_gravacao.Gravar(m_arquivo, dados, tamanho) != tamanho)
            FalharArquivo("gravar", m_arquivo);
    }

    void Confirmar()
    {
        if (!m_gravacao.Confirmar(m_arquivo))
            FalharArquivo("substituir", m_arquivo);
    }

private:
    QSaveFile m_arquivo; // discards its temporary file unless confirmed
    TGravacaoContainer &m_gravacao;
};

QByteArray MontarCabecalho(const TVersao &versao, const TMD5Digest &digest)
{
    QByteArray cabecalho(TAMANHO_CABECALHO_COTACAO, '\0');
    char *p = cabecalho.data();
    qToLittleEndian<quint32>(ASSINATURA_ARQUIVO_COTACAO, p);
    qToLittleEndian<qint32>(versao.Major, p + 4);
    qToLittleEndian<qint32>(versao.Minor, p + 8);
    qToLittleEndian<qint32>(versao.Release, p + 12);
    qToLittleEndian<qint32>(versao.Build, p + 16);
    std::copy(digest.begin(), digest.end(), p + 20);
    return cabecalho;
}

TVersao VersaoDoCabecalho(const char *cabecalho)
{
    return {qFromLittleEndian<qint32>(cabecalho + 4), qFromLittleEndian<qint32>(cabecalho + 8),
        qFromLittleEndian<qint32>(cabecalho + 12), qFromLittleEndian<qint32>(cabecalho + 16)};
}

TMD5Digest DigestDoCabecalho(const char *cabecalho)
{
    TMD5Digest digest;
    std::copy(cabecalho + 20, cabecalho + TAMANHO_CABECALHO_COTACAO, digest.begin());
    return digest;
}

TVersao SemBuild(TVersao versao)
{
    versao.Build = 0;
    return versao;
}

// One zlib stream, ended on every path.
class TFluxoZlib
{
public:
    enum TSentido { Compactar, Descompactar };

    explicit TFluxoZlib(TSentido sentido)
        : m_sentido(sentido)
    {
        const int resultado = sentido == Compactar ? deflateInit2(&m_fluxo, Z_DEFAULT_COMPRESSION,
                                  Z_DEFLATED, JanelaZlib, NivelMemoriaZlib, Z_DEFAULT_STRATEGY)
                                                   : inflateInit2(&m_fluxo, JanelaZlib);
        if (resultado != Z_OK)
            throw EZLibError(QStringLiteral("Error"));
    }
    ~TFluxoZlib() { m_sentido == Compactar ? deflateEnd(&m_fluxo) : inflateEnd(&m_fluxo); }
    TFluxoZlib(const TFluxoZlib &) = delete;
    TFluxoZlib &operator=(const TFluxoZlib &) = delete;

    z_stream *operator->() { return &m_fluxo; }
    z_stream *get() { return &m_fluxo; }

private:
    TSentido m_sentido;
    z_stream m_fluxo {};
};

void Comprimir(QFile &origem, TContainerGravado &destino)
{
    TFluxoZlib fluxo(TFluxoZlib::Compactar);
    std::vector<char> entrada(TamanhoBufferCompactado);
    std::vector<char> saida(TamanhoBufferCompactado);
    int flush = Z_NO_FLUSH;
    while (flush != Z_FINISH) {
        const qint64 lidos = Ler(origem, entrada.data(), TamanhoBufferCompactado);
        flush = lidos == 0 ? Z_FINISH : Z_NO_FLUSH;
        fluxo->next_in = reinterpret_cast<Bytef *>(entrada.data());
        fluxo->avail_in = uInt(lidos);
        do {
            fluxo->next_out = reinterpret_cast<Bytef *>(saida.data());
            fluxo->avail_out = TamanhoBufferCompactado;
            if (deflate(fluxo.get(), flush) == Z_STREAM_ERROR)
                throw EZLibError(QStringLiteral("Error"));
            destino.Gravar(saida.data(), TamanhoBufferCompactado - fluxo->avail_out);
        } while (fluxo->avail_out == 0);
    }
}

// The inflated document on its way to the disk: chunks are gathered and written a buffer at
// a time.
class TDocumentoGravado
{
public:
    explicit TDocumentoGravado(const QString &caminho)
        : m_arquivo(caminho)
        , m_buffer(TamanhoBufferCompactado)
    {
        if (!m_arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            FalharArquivo("criar", m_arquivo);
    }

    // Room for the next chunk, written out first when the buffer cannot take a whole one.
    char *Espaco()
    {
        if (m_usados + TamanhoPedacoDescompactado > qint64(m_buffer.size()))
            Descarregar();
        return m_buffer.data() + m_usados;
    }
    void Acrescentar(qint64 tamanho) { m_usados += tamanho; }

    void Concluir()
    {
        Descarregar();
        m_arquivo.close();
    }
    void Remover() { m_arquivo.remove(); }

private:
    void Descarregar()
    {
        if (m_arquivo.write(m_buffer.data(), m_usados) != m_usados)
            FalharArquivo("gravar", m_arquivo);
        m_usados = 0;
    }

    QFile m_arquivo;
    std::vector<char> m_buffer;
    qint64 m_usados = 0;
};

// The inflated document kept in memory, chunk after chunk.
class TDocumentoEmMemoria
{
public:
    // Room for a document of about that size, taken at once so that growing seldom copies it.
    explicit TDocumentoEmMemoria(qint64 tamanhoProvavel) { m_bytes.reserve(tamanhoProvavel); }

    char *Espaco()
    {
        m_bytes.resize(m_usados + TamanhoPedacoDescompactado);
        return m_bytes.data() + m_usados;
    }
    void Acrescentar(qint64 tamanho) { m_usados += tamanho; }

    QByteArray Concluir()
    {
        m_bytes.resize(m_usados);
        return std::move(m_bytes);
    }

private:
    QByteArray m_bytes;
    qint64 m_usados = 0;
};

// Inflates the stream that follows the header into destino, up to its end: bytes after it are
// ignored, and a stream cut short simply ends early (the digest then tells). Beyond
// tamanhoMaximo the document, named documento, is refused.
template<typename TDestino>
void Inflar(QFile &origem, TDestino &destino, qint64 tamanhoMaximo, const QString &documento)
{
    TFluxoZlib fluxo(TFluxoZlib::Descompactar);
    std::vector<char> entrada(TamanhoBufferCompactado);
    bool fimDaEntrada = false;
    qint64 total = 0;
    for (;;) {
        if (fluxo->avail_in == 0 && !fimDaEntrada) {
            const qint64 lidos = Ler(origem, entrada.data(), TamanhoBufferCompactado);
            fimDaEntrada = lidos == 0;
            fluxo->next_in = reinterpret_cast<Bytef *>(entrada.data());
            fluxo->avail_in = uInt(lidos);
        }
        fluxo->next_out = reinterpret_cast<Bytef *>(destino.Espaco());
        fluxo->avail_out = TamanhoPedacoDescompactado;
        const int resultado = inflate(fluxo.get(), Z_NO_FLUSH);
        if (resultado == Z_BUF_ERROR && fimDaEntrada)
            return;
        if (resultado != Z_OK && resultado != Z_STREAM_END)
            throw EZLibError(QStringLiteral("Error"));

        const qint64 produzidos = TamanhoPedacoDescompactado - fluxo->avail_out;
        total += produzidos;
        if (total > tamanhoMaximo)
            throw EVrtException(ArquivoInvalido(documento));
        destino.Acrescentar(produzidos);
        if (resultado == Z_STREAM_END)
            return;
    }
}

// Writes the inflated document; whatever stops it midway removes what was written.
void GravarDocumento(QFile &origem, const QString &documento, qint64 tamanhoMaximo)
{
    TDocumentoGravado destino(documento);
    try {
        Inflar(origem, destino, tamanhoMaximo, documento);
        destino.Concluir();
    } catch (...) {
        destino.Remover();
        throw;
    }
}

// Opens the container and checks its signature and version; answers the digest its header
// holds, the file positioned at the compressed body.
TMD5Digest AbrirContainer(QFile &origem, const TVersao &esperada)
{
    AbrirParaLeitura(origem);
    char cabecalho[TAMANHO_CABECALHO_COTACAO];
    if (Ler(origem, cabecalho, TAMANHO_CABECALHO_COTACAO) < TAMANHO_CABECALHO_COTACAO
        || qFromLittleEndian<quint32>(cabecalho) != ASSINATURA_ARQUIVO_COTACAO)
        throw EVrtException(ArquivoInvalido(origem.fileName()));

    const TVersao gravada = VersaoDoCabecalho(cabecalho);
    if (CompararVersao(SemBuild(gravada), SemBuild(esperada)) != 0)
        throw EVrtException(QStringLiteral("Versão %1 do arquivo inválida para esta versão %2.")
                                .arg(VersaoParaTexto(gravada), VersaoParaTexto(esperada)));
    return DigestDoCabecalho(cabecalho);
}

TMD5Digest ParaDigest(const QByteArray &resultado)
{
    TMD5Digest digest;
    std::copy(resultado.begin(), resultado.end(), digest.begin());
    return digest;
}

} // namespace

TVersao TextoParaVersao(const QString &texto)
{
    const auto campo = [&texto](int inicio, int tamanho) {
        const QString digitos = texto.mid(inicio, tamanho);
        bool ok = false;
        const int valor = digitos.toInt(&ok, 10);
        if (!ok)
            throw EConvertError(QStringLiteral("'%1' não é um valor inteiro válido.").arg(digitos));
        return valor;
    };
    return {campo(0, 2), campo(3, 2), campo(6, 2), campo(9, 4)};
}

QString VersaoParaTexto(const TVersao &versao)
{
    const auto campo = [](qint32 valor, int largura) {
        return QString::number(valor).rightJustified(largura, QLatin1Char('0'), true);
    };
    return campo(versao.Major, 2) + QLatin1Char('.') + campo(versao.Minor, 2) + QLatin1Char('.')
        + campo(versao.Release, 2) + QLatin1Char('.') + campo(versao.Build, 4);
}

int CompararVersao(const TVersao &a, const TVersao &b)
{
    const std::array<std::pair<quint32, quint32>, 4> campos {{
        {quint32(a.Major), quint32(b.Major)},
        {quint32(a.Minor), quint32(b.Minor)},
        {quint32(a.Release), quint32(b.Release)},
        {quint32(a.Build), quint32(b.Build)},
    }};
    for (const auto &[x, y] : campos) {
        if (x != y)
            return x > y ? 1 : -1;
    }
    return 0;
}

TMD5Digest TMD5CheckSum::CalcularArquivo(const QString &nomeArquivo)
{
    if (!QFileInfo(nomeArquivo).isFile())
        return TMD5Digest {};
    QFile arquivo(nomeArquivo);
    AbrirParaLeitura(arquivo);
    QCryptographicHash md5(QCryptographicHash::Md5);
    std::vector<char> buffer(TamanhoBufferDigest);
    while (const qint64 lidos = Ler(arquivo, buffer.data(), TamanhoBufferDigest))
        md5.addData(QByteArrayView(buffer.data(), lidos));
    return ParaDigest(md5.result());
}

bool TMD5CheckSum::Comparar(const TMD5Digest &a, const TMD5Digest &b)
{
    return a == b;
}

QString NomeArquivoCompactado(const QString &pasta, const QString &documento)
{
    return CaminhoEm(pasta, QFileInfo(documento).fileName() + QStringLiteral(".kvt"));
}

QString ContainerDaCotacao(const QString &pasta, const QString &nome)
{
    const QString canonico = CaminhoEm(pasta, nome + QStringLiteral(".kvt"));
    if (QFileInfo(canonico).isFile())
        return canonico;
    // Every other spelling of "kvt", in a fixed order.
    for (int caixa = 1; caixa < 8; ++caixa) {
        QString extensao = QStringLiteral(".kvt");
        for (int letra = 0; letra < 3; ++letra) {
            if (caixa & (1 << letra))
                extensao[letra + 1] = extensao[letra + 1].toUpper();
        }
        const QString caminho = CaminhoEm(pasta, nome + extensao);
        if (QFileInfo(caminho).isFile())
            return caminho;
    }
    return canonico;
}

bool CompactarArquivo(const TVersao &versao, const QString &pasta, const QString &documento)
{
    if (!QFileInfo(pasta).isDir() || !QFileInfo(documento).isFile())
        return false;

    QFile origem(documento);
    AbrirParaLeitura(origem);
    TContainerGravado destino(NomeArquivoCompactado(pasta, documento));
    const QByteArray cabecalho = MontarCabecalho(versao, TMD5CheckSum::CalcularArquivo(documento));
    destino.Gravar(cabecalho.constData(), cabecalho.size());
    Comprimir(origem, destino);
    destino.Confirmar();
    return true;
}

bool DescompactarArquivo(
    const TVersao &esperada, const QString &pasta, const QString &documento, qint64 tamanhoMaximo)
{
    return DescompactarContainer(
        esperada, NomeArquivoCompactado(pasta, documento), documento, tamanhoMaximo);
}

bool DescompactarContainer(const TVersao &esperada, const QString &container,
    const QString &documento, qint64 tamanhoMaximo)
{
    if (!QFileInfo(container).isFile())
        return false;
    // Inflating over the container itself would destroy it before it is read.
    if (QFileInfo(documento) == QFileInfo(container))
        throw EFileError(
            QStringLiteral("O documento não pode ser gravado sobre o próprio arquivo %1.")
                .arg(container));

    QFile origem(container);
    const TMD5Digest digest = AbrirContainer(origem, esperada);
    GravarDocumento(origem, documento, tamanhoMaximo);
    if (!TMD5CheckSum::Comparar(TMD5CheckSum::CalcularArquivo(documento), digest)) {
        QFile::remove(documento);
        throw EVrtException(ArquivoInvalido(documento));
    }
    return true;
}

std::optional<QByteArray> LerContainer(const TVersao &esperada, const QString &container,
    const QString &documento, qint64 tamanhoMaximo)
{
    if (!QFileInfo(container).isFile())
        return std::nullopt;
    QFile origem(container);
    const TMD5Digest digest = AbrirContainer(origem, esperada);
    // Deflate seldom packs a document's text more than sixteen times.
    TDocumentoEmMemoria destino(qMin(tamanhoMaximo, origem.size() * 16));
    Inflar(origem, destino, tamanhoMaximo, documento);
    QByteArray bytes = destino.Concluir();
    if (!TMD5CheckSum::Comparar(
            ParaDigest(QCryptographicHash::hash(bytes, QCryptographicHash::Md5)), digest))
        throw EVrtException(ArquivoInvalido(documento));
    return bytes;
}

bool TGravacaoContainer::Criar(QSaveFile &arquivo)
{
    return arquivo.open(QIODevice::WriteOnly);
}

qint64 TGravacaoContainer::Gravar(QSaveFile &arquivo, const char *dados, qint64 tamanho)
{
    return arquivo.write(dados, tamanho);
}

bool TGravacaoContainer::Confirmar(QSaveFile &arquivo)
{
    return arquivo.commit();
}

bool TGravacaoContainer::GravarDocumento(const QString &caminho, const QByteArray &bytes)
{
    QFile arquivo(caminho);
    return arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && arquivo.write(bytes) == bytes.size() && arquivo.flush();
}

bool TGravacaoContainer::Remover(const QString &caminho)
{
    return QFile::remove(caminho);
}

TGravacaoContainer *InstalarGravacaoContainer(TGravacaoContainer *gravacao)
{
    return std::exchange(GravacaoInstalada(), gravacao);
}

TGravacaoContainer &GravacaoContainer()
{
    TGravacaoContainer *instalada = GravacaoInstalada();
    return instalada ? *instalada : GravacaoPadrao();
}
