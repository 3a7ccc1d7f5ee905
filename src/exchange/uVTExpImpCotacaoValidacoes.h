#pragma once

#include "common/uExcecoes.h"

#include <QByteArray>
#include <QLatin1String>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

class QSaveFile;

// The quotation file container: a 36-byte header (signature, format version, MD5 digest of
// the document) followed by the document deflated with zlib. All integers little-endian.

struct TVersao
{
    qint32 Major = 0;
    qint32 Minor = 0;
    qint32 Release = 0;
    qint32 Build = 0;
};

inline constexpr QLatin1String VERSAO_ARQUIVO_COTACAO("02.00.00.0000");
inline constexpr quint32 ASSINATURA_ARQUIVO_COTACAO = 1234567890;
inline constexpr int TAMANHO_CABECALHO_COTACAO = 36;
// A document larger than this is no quotation: reading refuses it rather than fill the disk.
inline constexpr qint64 TAMANHO_MAXIMO_DOCUMENTO = qint64(512) * 1024 * 1024;

// From NN.NN.NN.NNNN; a field that is no decimal integer raises EConvertError.
TVersao TextoParaVersao(const QString &texto);
// To NN.NN.NN.NNNN; a field too long for its width is cut to its first digits.
QString VersaoParaTexto(const TVersao &versao);
// -1, 0 or 1, comparing Major, Minor, Release and Build in turn as unsigned numbers.
int CompararVersao(const TVersao &a, const TVersao &b);

using TMD5Digest = std::array<quint8, 16>;

class TMD5CheckSum
{
public:
    // The MD5 digest of the whole file, read in pieces; sixteen zero bytes for a missing file.
    static TMD5Digest CalcularArquivo(const QString &nomeArquivo);
    static bool Comparar(const TMD5Digest &a, const TMD5Digest &b);
};

// The compressed body cannot be inflated; its text is the compression library's "Error".
class EZLibError : public Exception
{
public:
    using Exception::Exception;
};

// The folder (with a trailing delimiter) followed by the document's file name and ".kvt".
QString NomeArquivoCompactado(const QString &pasta, const QString &documento);
// The container an open of the base name in the folder reads: pasta/nome.kvt, or, when there
// is no such file, the first file pasta/nome.EXT whose EXT is "kvt" in other letter cases
// (files come from systems that ignore case). Answers pasta/nome.kvt when neither exists.
QString ContainerDaCotacao(const QString &pasta, const QString &nome);

// Writes the container of the document into the folder. False, writing nothing, when the
// folder or the document does not exist. The container replaces an earlier file of the same
// name only once it is complete. File-system failures raise EFileError.
bool CompactarArquivo(const TVersao &versao, const QString &pasta, const QString &documento);

// Checks the container named after the document in the folder and inflates it into the
// document. False, creating nothing, when there is no such container. An invalid container
// raises EVrtException, damaged compressed data EZLibError, file-system failures EFileError;
// a document left incomplete by any of them is removed.
bool DescompactarArquivo(const TVersao &esperada, const QString &pasta, const QString &documento,
    qint64 tamanhoMaximo = TAMANHO_MAXIMO_DOCUMENTO);
// The same with the container's path given whole.
bool DescompactarContainer(const TVersao &esperada, const QString &container,
    const QString &documento, qint64 tamanhoMaximo = TAMANHO_MAXIMO_DOCUMENTO);

// The same checks with the inflated document kept in memory: its bytes, or nothing when there
// is no such container. documento only names the document in the refusals that concern it (a
// digest that does not match, a document beyond tamanhoMaximo); nothing is written anywhere.
std::optional<QByteArray> LerContainer(const TVersao &esperada, const QString &container,
    const QString &documento, qint64 tamanhoMaximo = TAMANHO_MAXIMO_DOCUMENTO);

// The steps by which a save reaches the disk: the container created under a temporary name
// in its folder, written, then renamed into place; around it, the temporary document written
// whole and the files the save no longer needs removed. The default runs them as they are; a
// test installs steps of its own to make one of them fail.
class TGravacaoContainer
{
public:
    virtual ~TGravacaoContainer() = default;
    virtual bool Criar(QSaveFile &arquivo);
    virtual qint64 Gravar(QSaveFile &arquivo, const char *dados, qint64 tamanho);
    virtual bool Confirmar(QSaveFile &arquivo);
    // Replaces the file's content with the bytes; false when they are not all written.
    virtual bool GravarDocumento(const QString &caminho, const QByteArray &bytes);
    virtual bool Remover(const QString &caminho);
};

// Installs the steps for every later write (nullptr: the default ones) and gives back those
// it replaces. The caller keeps ownership.
TGravacaoContainer *InstalarGravacaoContainer(TGravacaoContainer *gravacao);
// The steps in force.
TGravacaoContainer &GravacaoContainer();
