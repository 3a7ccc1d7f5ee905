#include "exchange/uVTExpImpCotacaoComum.h"

#include "common/uCaminhos.h"
#include "common/uConversoes.h"
#include "common/uExcecoes.h"
#include "common/uFuncoesLicitacao.h"
#include "exchange/uVTExpImpCotacaoValidacoes.h"
#include "messages/uExpLog.h"

#include <QFile>
#include <QStringView>

#include <optional>

namespace {

const QString TEXTO_ARQUIVO_INVALIDO = QStringLiteral("Arquivo inválido.");

} // namespace

QString CaminhoDoDocumento(const QString &diretorioTrabalho, const QString &nomeArquivo)
{
    return CaminhoEm(
        diretorioTrabalho, nomeArquivo.isEmpty() ? QStringLiteral(".kvt") : nomeArquivo);
}

qint32 LerInteiro(const TElementoLido &no)
{
    return no.Nulo() ? 0 : TextoParaInteiro(no.TextoVisto());
}

double LerReal(const TElementoLido &no)
{
    return no.Nulo() ? 0.0 : TextoParaReal(no.TextoVisto());
}

double LerDataHora(const TElementoLido &no)
{
    return no.Nulo() ? 0.0 : TextoParaDataHora(no.TextoVisto());
}

bool LerLogico(const TElementoLido &no)
{
    const QStringView texto = no.TextoVisto();
    return texto == QLatin1String("Y") || texto == QLatin1String("-1");
}

QString LerTexto(const TElementoLido &no)
{
    return no.Texto();
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

void CarregarDocumento(TDocumentoLido &documento, const QString &caminho)
{
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Não foi possível ler o arquivo %1.").arg(caminho));
    documento = TDocumentoLido::DeBytes(arquivo.readAll());
}

bool AbrirArquivoCotacao(TDocumentoLido &documento, const QString &diretorio,
    const QString &nomeArquivo, const QString &diretorioTrabalho)
{
    TImpExpLogManager &log = ObterLogManager();
    log.AdicionarMensagem(QStringLiteral("Abrindo arquivo..."));
    const std::optional<QByteArray> bytes = LerContainer(TextoParaVersao(VERSAO_ARQUIVO_COTACAO),
        ContainerDaCotacao(diretorio, nomeArquivo),
        CaminhoDoDocumento(diretorioTrabalho, nomeArquivo));
    if (!bytes) {
        log.AdicionarErro(QStringLiteral("Não foi possível carregar o arquivo KVT."));
        return false;
    }
    documento = TDocumentoLido::DeBytes(*bytes);
    log.AdicionarMensagem(QStringLiteral("Arquivo aberto com sucesso."));
    return true;
}

TElementoLido ValidarDocumento(const TDocumentoLido &documento)
{
    TImpExpLogManager &log = ObterLogManager();
    log.AdicionarMensagem(QStringLiteral("Validando arquivo..."));
    const TElementoLido dados = documento.Raiz();
    const TElementoLido cotacao = dados.Nome() == QLatin1String("dados")
        ? dados.PrimeiroFilho(QStringLiteral("cotacao"))
        : TElementoLido();
    if (cotacao.Nulo()) {
        log.AdicionarErro(TEXTO_ARQUIVO_INVALIDO);
        throw EVrtException(TEXTO_ARQUIVO_INVALIDO);
    }
    log.AdicionarMensagem(QStringLiteral("Arquivo validado com sucesso."));
    return cotacao;
}

void GravarDocumento(const QByteArray &bytes, const QString &caminho)
{
    if (!GravacaoContainer().GravarDocumento(caminho, bytes))
        throw EFileError(QStringLiteral("Não foi possível gravar o arquivo %1.").arg(caminho));
}
