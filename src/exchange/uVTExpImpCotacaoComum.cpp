#include "exchange/uVTExpImpCotacaoComum.h"

#include "common/uCaminhos.h"
#include "common/uConversoes.h"
#include "common/uExcecoes.h"
#include "common/uFuncoesLicitacao.h"
#include "exchange/uVTExpImpCotacaoValidacoes.h"
#include "messages/uExpLog.h"

#include <QFile>
#include <QStringView>
#include <QXmlStreamReader>

namespace {

const QString TEXTO_ARQUIVO_INVALIDO = QStringLiteral("Arquivo inválido.");

// QDomDocument's parser slows down with the square of the nesting depth, and the quotation
// document is seven levels deep: a document nested far deeper is refused before the DOM
// parses it. Errors of syntax are left for the DOM to find.
bool ProfundidadeAceitavel(const QByteArray &bytes)
{
    constexpr int limite = 64;
    QXmlStreamReader leitor(bytes);
    int profundidade = 0;
    while (!leitor.atEnd()) {
        const QXmlStreamReader::TokenType token = leitor.readNext();
        if (token == QXmlStreamReader::StartElement && ++profundidade > limite)
            return false;
        if (token == QXmlStreamReader::EndElement)
            --profundidade;
    }
    return true;
}

} // namespace

QString DocumentoTemporario(const QString &diretorioTrabalho, const QString &nomeArquivo)
{
    return CaminhoEm(
        diretorioTrabalho, nomeArquivo.isEmpty() ? QStringLiteral(".kvt") : nomeArquivo);
}

qint32 LerInteiro(const QDomElement &no)
{
    return no.isNull() ? 0 : TextoParaInteiro(no.text());
}

double LerReal(const QDomElement &no)
{
    return no.isNull() ? 0.0 : TextoParaReal(no.text());
}

double LerDataHora(const QDomElement &no)
{
    return no.isNull() ? 0.0 : TextoParaDataHora(no.text());
}

bool LerLogico(const QDomElement &no)
{
    if (no.isNull())
        return false;
    const QString texto = no.text();
    return texto == QLatin1String("Y") || texto == QLatin1String("-1");
}

QString LerTexto(const QDomElement &no)
{
    return no.isNull() ? QString() : no.text();
}

QString LogicoParaTexto(bool valor)
{
    return EscolherTexto(valor, QStringLiteral("-1"), QStringLiteral("0"));
}

QString TextoDoValor(qint32 valor, TCodificacao)
{
    return InteiroParaTexto(valor);
}

QString TextoDoValor(double valor, TCodificacao codificacao)
{
    return codificacao == TCodificacao::DataHora ? DataHoraParaTexto(valor) : RealParaTexto(valor);
}

QString TextoDoValor(bool valor, TCodificacao)
{
    return LogicoParaTexto(valor);
}

QString TextoDoValor(const QString &valor, TCodificacao)
{
    return valor;
}

void ListaAusente(const QString &nome)
{
    throw EVrtException(QStringLiteral("O elemento \"%1\" não existe no arquivo.").arg(nome));
}

void GravarElemento(
    QDomDocument &documento, QDomElement &pai, const QString &nome, const QString &texto)
{
    pai.appendChild(
        ElementoGravado(documento, [&](TEscritaXML &escrita) { escrita.Elemento(nome, texto); }));
}

void GravarElementoCDATA(
    QDomDocument &documento, QDomElement &pai, const QString &nome, const QString &texto)
{
    pai.appendChild(ElementoGravado(
        documento, [&](TEscritaXML &escrita) { escrita.ElementoCDATA(nome, texto); }));
}

void CarregarDocumento(QDomDocument &documento, const QString &caminho)
{
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Não foi possível ler o arquivo %1.").arg(caminho));
    const QByteArray bytes = arquivo.readAll();
    if (!ProfundidadeAceitavel(bytes) || !documento.setContent(bytes))
        documento.clear();
}

bool AbrirArquivoCotacao(QDomDocument &documento, const QString &diretorio,
    const QString &nomeArquivo, const QString &diretorioTrabalho)
{
    TImpExpLogManager &log = ObterLogManager();
    log.AdicionarMensagem(QStringLiteral("Abrindo arquivo..."));
    const QString temporario = DocumentoTemporario(diretorioTrabalho, nomeArquivo);
    // The inflated document never outlives this call, whatever happens in it.
    struct TRemocao
    {
        const QString &caminho;
        ~TRemocao() { QFile::remove(caminho); }
    } remocao {temporario};

    if (!DescompactarContainer(TextoParaVersao(VERSAO_ARQUIVO_COTACAO),
            ContainerDaCotacao(diretorio, nomeArquivo), temporario)) {
        log.AdicionarErro(QStringLiteral("Não foi possível carregar o arquivo KVT."));
        return false;
    }
    CarregarDocumento(documento, temporario);
    log.AdicionarMensagem(QStringLiteral("Arquivo aberto com sucesso."));
    return true;
}

QDomElement ValidarDocumento(const QDomDocument &documento)
{
    TImpExpLogManager &log = ObterLogManager();
    log.AdicionarMensagem(QStringLiteral("Validando arquivo..."));
    const QDomElement dados = documento.documentElement();
    const QDomElement cotacao = dados.tagName() == QLatin1String("dados")
        ? dados.firstChildElement(QStringLiteral("cotacao"))
        : QDomElement();
    if (cotacao.isNull()) {
        log.AdicionarErro(TEXTO_ARQUIVO_INVALIDO);
        throw EVrtException(TEXTO_ARQUIVO_INVALIDO);
    }
    log.AdicionarMensagem(QStringLiteral("Arquivo validado com sucesso."));
    return cotacao;
}

namespace {

void EscreverNo(TEscritaBytes &escrita, const QDomNode &no)
{
    if (no.isElement()) {
        escrita.Abrir(no.toElement().tagName());
        for (QDomNode filho = no.firstChild(); !filho.isNull(); filho = filho.nextSibling())
            EscreverNo(escrita, filho);
        escrita.Fechar();
    } else if (no.isCDATASection()) {
        escrita.Cdata(no.nodeValue());
    } else if (no.isText()) {
        escrita.Texto(no.nodeValue());
    } else {
        throw EVrtException(QStringLiteral("O documento contém um nó que o arquivo não leva."));
    }
}

} // namespace

QByteArray DocumentoParaBytes(const QDomDocument &documento)
{
    QByteArray bytes;
    TEscritaBytes escrita(bytes);
    QDomNode no = documento.firstChild();
    if (no.isProcessingInstruction()
        && no.toProcessingInstruction().target() == QLatin1String("xml")) {
        const QString dados = no.toProcessingInstruction().data();
        if (!dados.contains(QLatin1String("ISO-8859-1"), Qt::CaseInsensitive)) {
            throw EVrtException(
                QStringLiteral("O documento declara uma codificação diferente de ISO-8859-1."));
        }
        escrita.Declaracao(dados);
        no = no.nextSibling();
    } else {
        escrita.Declaracao(u"version=\"1.0\" encoding=\"ISO-8859-1\"");
    }
    for (; !no.isNull(); no = no.nextSibling())
        EscreverNo(escrita, no);
    return bytes;
}

void GravarDocumento(const QDomDocument &documento, const QString &caminho)
{
    GravarDocumento(DocumentoParaBytes(documento), caminho);
}

void GravarDocumento(const QByteArray &bytes, const QString &caminho)
{
    if (!GravacaoContainer().GravarDocumento(caminho, bytes))
        throw EFileError(QStringLiteral("Não foi possível gravar o arquivo %1.").arg(caminho));
}
