#include "exchange/uVTExpImpCotacaoComum.h"

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

bool CaractereXML(char32_t codigo)
{
    return codigo == 0x9 || codigo == 0xA || codigo == 0xD || (codigo >= 0x20 && codigo <= 0xD7FF)
        || (codigo >= 0xE000 && codigo <= 0xFFFD) || (codigo >= 0x10000 && codigo <= 0x10FFFF);
}

// The code point at i, a surrogate pair joined; advances i past it. A lone surrogate comes
// back as itself, which CaractereXML refuses.
char32_t ProximoCodigo(QStringView texto, qsizetype &i)
{
    const QChar atual = texto[i++];
    if (atual.isHighSurrogate() && i < texto.size() && texto[i].isLowSurrogate())
        return QChar::surrogateToUcs4(atual, texto[i++]);
    return atual.unicode();
}

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
    QDomElement elemento = documento.createElement(nome);
    pai.appendChild(elemento);
    if (!texto.isEmpty())
        elemento.appendChild(documento.createTextNode(texto));
}

void GravarElementoCDATA(
    QDomDocument &documento, QDomElement &pai, const QString &nome, const QString &texto)
{
    QDomElement elemento = documento.createElement(nome);
    pai.appendChild(elemento);
    // "a]]>b" becomes the sections "a]]" and ">b".
    const QLatin1String fim("]]>");
    qsizetype inicio = 0;
    for (qsizetype pos = texto.indexOf(fim); pos >= 0; pos = texto.indexOf(fim, pos + 1)) {
        elemento.appendChild(documento.createCDATASection(texto.mid(inicio, pos + 2 - inicio)));
        inicio = pos + 2;
    }
    elemento.appendChild(documento.createCDATASection(texto.mid(inicio)));
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
    const QString temporario = diretorioTrabalho + nomeArquivo;
    // The inflated document never outlives this call, whatever happens in it.
    struct TRemocao
    {
        const QString &caminho;
        ~TRemocao() { QFile::remove(caminho); }
    } remocao {temporario};

    if (!DescompactarArquivo(TextoParaVersao(VERSAO_ARQUIVO_COTACAO), diretorio, temporario)) {
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

QByteArray DocumentoParaBytes(const QDomDocument &documento)
{
    // The DOM has already escaped markup, a carriage return in a text included; what is left is
    // to choose the bytes. It ends the declaration and the document with a line break, which
    // the file does without.
    QString xml = documento.toString(-1);
    if (xml.endsWith(QLatin1Char('\n')))
        xml.chop(1);
    const QDomNode primeiro = documento.firstChild();
    if (!primeiro.isProcessingInstruction()
        || primeiro.toProcessingInstruction().target() != QLatin1String("xml")) {
        xml.prepend(QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"));
    } else if (!primeiro.toProcessingInstruction().data().contains(
                   QLatin1String("ISO-8859-1"), Qt::CaseInsensitive)) {
        throw EVrtException(
            QStringLiteral("O documento declara uma codificação diferente de ISO-8859-1."));
    } else {
        const qsizetype fimDeclaracao = xml.indexOf(QLatin1String("?>")) + 2;
        if (xml.mid(fimDeclaracao, 1) == QLatin1String("\n"))
            xml.remove(fimDeclaracao, 1);
    }

    // A CDATA section cannot hold a reference: it is closed before one and opened again after.
    const QStringView texto(xml);
    const QLatin1String inicioCdata("<![CDATA[");
    const QLatin1String fimCdata("]]>");

    QByteArray bytes;
    bytes.reserve(xml.size() + xml.size() / 8);
    bool emCdata = false;
    for (qsizetype i = 0; i < texto.size();) {
        if (!emCdata && texto[i] == u'<' && texto.mid(i).startsWith(inicioCdata)) {
            emCdata = true;
            bytes += inicioCdata.latin1();
            i += inicioCdata.size();
            continue;
        }
        if (emCdata && texto[i] == u']' && texto.mid(i).startsWith(fimCdata)) {
            emCdata = false;
            bytes += fimCdata.latin1();
            i += fimCdata.size();
            continue;
        }
        const char32_t codigo = ProximoCodigo(texto, i);
        if (!CaractereXML(codigo)) {
            throw EVrtException(
                QStringLiteral("O texto contém um caractere que o XML não admite (código %1).")
                    .arg(static_cast<uint>(codigo)));
        }
        if (codigo <= 0xFF) {
            bytes += static_cast<char>(codigo);
            continue;
        }
        const QByteArray referencia = "&#" + QByteArray::number(static_cast<uint>(codigo)) + ';';
        bytes += emCdata ? fimCdata.latin1() + referencia + inicioCdata.latin1() : referencia;
    }
    return bytes;
}

void GravarDocumento(const QDomDocument &documento, const QString &caminho)
{
    const QByteArray bytes = DocumentoParaBytes(documento);
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || arquivo.write(bytes) != bytes.size() || !arquivo.flush()) {
        throw EFileError(QStringLiteral("Não foi possível gravar o arquivo %1.").arg(caminho));
    }
}
