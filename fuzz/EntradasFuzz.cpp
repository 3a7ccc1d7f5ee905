#include "EntradasFuzz.h"

#include "common/uConversoes.h"
#include "common/uExcecoes.h"
#include "common/uFormatFloat.h"
#include "common/uPastaTemporaria.h"
#include "exchange/uLeitorPlanilha.h"
#include "exchange/uVTExpImpCotacao.h"
#include "exchange/uVTExpImpCotacaoComum.h"
#include "exchange/uVTExpImpCotacaoValidacoes.h"
#include "exchange/uVTManipulaBlobStreamHexa.h"
#include "messages/uExpLog.h"
#include "model/uVTExpImpCotacaoDados.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cctype>
#include <cstring>
#include <optional>
#include <utility>

namespace {

// A container that inflates beyond this is refused like a bomb: the fuzzer needs no larger
// documents than that to reach every path, and writing hundreds of megabytes per input would
// leave it no time for anything else.
constexpr qint64 MaximoDocumentoFuzz = qint64(8) * 1024 * 1024;

// A folder of the program's private temporary folder, created on first use.
QString Pasta(const QString &nome)
{
    const QString pasta = PastaTemporaria() + QStringLiteral("fuzz/") + nome + QLatin1Char('/');
    QDir().mkpath(pasta);
    return pasta;
}

void Gravar(const QString &caminho, const QByteArray &bytes)
{
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || arquivo.write(bytes) != bytes.size())
        throw EFileError(QStringLiteral("Não foi possível gravar %1.").arg(caminho));
}

QByteArray Ler(const QString &caminho)
{
    QFile arquivo(caminho);
    return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
}

// The model read from the document bytes along the open road: the document reader, the root
// check and the model's reader. False when the document is refused.
bool LerModelo(const QByteArray &bytes, TDadosCotacao &cotacao)
{
    ObterLogManager().Limpar();
    try {
        const TDocumentoLido documento = TDocumentoLido::DeBytes(bytes);
        cotacao.CarregarDoXML(ValidarDocumento(documento));
        return true;
    } catch (const Exception &) {
        return false;
    }
}

QString Falha(const char *texto)
{
    return QString::fromUtf8(texto);
}

} // namespace

QString FuzzContainer(const QByteArray &entrada)
{
    const QString pasta = Pasta(QStringLiteral("cotacoes"));
    const QString documento = Pasta(QStringLiteral("trabalho")) + QStringLiteral("Cotacao");
    const QString container = pasta + QStringLiteral("Cotacao.kvt");
    Gravar(container, entrada);
    QFile::remove(documento);

    bool lido = false;
    try {
        lido = DescompactarArquivo(
            TextoParaVersao(VERSAO_ARQUIVO_COTACAO), pasta, documento, MaximoDocumentoFuzz);
    } catch (const Exception &) {
        if (QFileInfo::exists(documento))
            return Falha("a leitura recusada deixou o documento para trás");
    }
    if (Ler(container) != entrada)
        return Falha("a leitura alterou o arquivo de cotação");
    if (!lido)
        return QString();

    const QByteArray inflado = Ler(documento);
    QFile::remove(documento);
    if (inflado.size() > MaximoDocumentoFuzz)
        return Falha("o documento passou do tamanho máximo");
    if (QCryptographicHash::hash(inflado, QCryptographicHash::Md5)
        != entrada.mid(20, TAMANHO_CABECALHO_COTACAO - 20))
        return Falha("o documento aceito não confere com o digest do cabeçalho");
    return QString();
}

QString FuzzDocumento(const QByteArray &entrada)
{
    TDadosCotacao lida;
    if (!LerModelo(entrada, lida))
        return QString();

    // What the writer writes must read back, and read back into the same document.
    const QByteArray gravado = DocumentoDaCotacao(lida);
    TDadosCotacao relida;
    if (!LerModelo(gravado, relida))
        return Falha("o documento gravado não se lê de volta");
    QByteArray regravado = DocumentoDaCotacao(relida);
    // XML reads a carriage return inside CDATA as a line feed.
    if (regravado != gravado && regravado != QByteArray(gravado).replace('\r', '\n'))
        return Falha("o documento relido não se grava igual");
    return QString();
}

QString FuzzHexa(const QByteArray &entrada)
{
    const QString texto = QString::fromLatin1(entrada);
    bool valido = true;
    for (const char c : entrada)
        valido = valido && std::isxdigit(static_cast<unsigned char>(c));
    try {
        const QByteArray bytes = HexaParaStream(texto);
        if (!valido)
            return Falha("um texto com caractere inválido foi decodificado");
        if (bytes != QByteArray::fromHex(entrada.left(entrada.size() / 2 * 2)))
            return Falha("os bytes decodificados não conferem com o texto");
    } catch (const EConvertError &) {
        if (valido)
            return Falha("um texto hexadecimal válido foi recusado");
    }
    return QString();
}

QString FuzzFormatFloat(const QByteArray &entrada)
{
    double valor = 0;
    if (entrada.size() < qsizetype(sizeof valor))
        return QString();
    std::memcpy(&valor, entrada.constData(), sizeof valor);
    FormatFloat(QString::fromUtf8(entrada.mid(sizeof valor)), valor);
    return QString();
}

QString FuzzDataHora(const QByteArray &entrada)
{
    const QString texto = QString::fromUtf8(entrada);
    const std::optional<double> lido = TentarTextoParaDataHora(texto);
    try {
        TextoParaDataHora(texto);
        if (!lido)
            return Falha("as duas formas da leitura discordam");
    } catch (const EConvertError &) {
        if (lido)
            return Falha("as duas formas da leitura discordam");
    }
    if (!lido)
        return QString();

    const QString escrito = DataHoraParaTexto(*lido);
    const std::optional<double> relido = TentarTextoParaDataHora(escrito);
    if (!relido)
        return Falha("a data-hora escrita não se lê de volta");
    if (DataHoraParaTexto(*relido) != escrito)
        return Falha("a data-hora relida não se escreve igual");
    return QString();
}

QString FuzzPlanilha(const QByteArray &entrada)
{
    if (entrada.isEmpty())
        return QString();
    const TFormatoPlanilha formatos[]
        = {TFormatoPlanilha::Xlsx, TFormatoPlanilha::Ods, TFormatoPlanilha::Csv};
    const TFormatoPlanilha formato = formatos[static_cast<unsigned char>(entrada.at(0)) % 3];
    try {
        const TPlanilhaLida planilha = LerPlanilha(entrada.mid(1), formato);
        int anterior = 0;
        for (const TLinhaPlanilha &linha : planilha.Linhas) {
            if (linha.Numero <= anterior || linha.Numero > LimiteLinhasPlanilha)
                return Falha("as linhas lidas saíram fora de ordem ou do limite");
            if (linha.Celulas.size() > std::size_t(LimiteColunasPlanilha))
                return Falha("uma linha passou do limite de colunas");
            for (const TCelulaPlanilha &celula : linha.Celulas) {
                if (celula.Texto.size() > LimiteTextoCelula)
                    return Falha("uma célula passou do limite de texto");
            }
            anterior = linha.Numero;
        }
    } catch (const EVrtException &) {
        // A refused sheet is the reader's answer, not a fault.
    }
    return QString();
}

TEntradaFuzz EntradaFuzz(const QString &alvo)
{
    static const std::pair<const char *, TEntradaFuzz> entradas[] = {
        {"container", FuzzContainer},
        {"documento", FuzzDocumento},
        {"hexa", FuzzHexa},
        {"formatfloat", FuzzFormatFloat},
        {"datahora", FuzzDataHora},
        {"planilha", FuzzPlanilha},
    };
    for (const auto &[nome, entrada] : entradas) {
        if (alvo == QLatin1String(nome))
            return entrada;
    }
    return nullptr;
}
