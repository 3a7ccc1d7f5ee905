#include "exchange/uVTExpImpCotacao.h"

#include "common/uCaminhos.h"
#include "common/uExcecoes.h"
#include "common/uFuncoesLicitacao.h"
#include "common/uPastaTemporaria.h"
#include "exchange/uVTExpImpCotacaoComum.h"
#include "exchange/uVTExpImpCotacaoEscrita.h"
#include "exchange/uVTExpImpCotacaoValidacoes.h"
#include "messages/ExibeMensagens.h"
#include "messages/uExpLog.h"

#include <QFile>
#include <QFileInfo>
#include <QScopedValueRollback>

#include <exception>
#include <sys/stat.h>

namespace {

void Registrar(const QString &texto)
{
    ObterLogManager().AdicionarMensagem(texto);
}

void RegistrarErro(const QString &texto)
{
    ObterLogManager().AdicionarErro(texto);
}

QString TextoDoErro(const std::exception &erro)
{
    if (const auto *nosso = dynamic_cast<const Exception *>(&erro))
        return nosso->Message();
    return QString::fromLocal8Bit(erro.what());
}

TVersao VersaoDoArquivo()
{
    return TextoParaVersao(VERSAO_ARQUIVO_COTACAO);
}

// Removes a file the save no longer needs, through the steps in force.
void Remover(const QString &caminho)
{
    GravacaoContainer().Remover(caminho);
}

// Runs one stage of the save; when anything in it raises, the stage's error line is logged and
// the error goes on.
template<typename Passos>
auto Etapa(const QString &linhaDeErro, Passos &&passos)
{
    try {
        return passos();
    } catch (...) {
        RegistrarErro(linhaDeErro);
        throw;
    }
}

// Two names of one file: the same device and inode, whatever the spelling (letter case on a
// file system that ignores it, links, "." and ".." in the path).
bool MesmoArquivo(const QString &a, const QString &b)
{
    struct stat sa;
    struct stat sb;
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0
        || ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return QFileInfo(a).canonicalFilePath() == QFileInfo(b).canonicalFilePath();
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

const char16_t *const DeclaracaoXML = u"version = \"1.0\" encoding=\"ISO-8859-1\"";

// The document's root holding the quotation.
void GravarDados(TEscritaXML &escrita, const TDadosCotacao &cotacao)
{
    escrita.Abrir(QStringLiteral("dados"));
    cotacao.GravarNoXML(escrita);
    escrita.Fechar();
}

const char16_t *const MensagemImportar
    = u"Ocorreu um erro ao importar as propostas. Contate a administração pública.";
const char16_t *const MensagemExportarPropostas
    = u"Ocorreu um erro ao exportar as propostas. Contate a administração pública.";
const char16_t *const MensagemExportarDados
    = u"Ocorreu um erro ao exportar os dados. Contate a administração pública.";

QString Texto(const char16_t *texto)
{
    return QStringView(texto).toString();
}

} // namespace

bool TExpImpCotacao::Importar(const QString &nomeArquivo, const QString &diretorio,
    const QString &diretorioTrabalho, TMemoryTable &mmDados, TMemoryTable &mmGrupos,
    TMemoryTable &mmItens, TMemoryTable &mmCotas)
{
    ObterLogManager().Limpar();
    m_nomeArquivo = nomeArquivo;
    m_diretorio = diretorio;
    m_diretorioTrabalho = diretorioTrabalho;
    bool resultado = true;
    try {
        if (!AbrirEValidar() || !CarregarDados(mmDados, mmGrupos, mmItens, mmCotas))
            resultado = false;
    } catch (const std::exception &erro) {
        ExibeInformacao(Texto(MensagemImportar), bmContinuar, TextoDoErro(erro));
        throw;
    }
    if (!resultado)
        ExibeAviso(Texto(MensagemImportar));
    return resultado;
}

bool TExpImpCotacao::AbrirEValidar()
{
    return LerArquivoCotacao(m_cotacao, m_diretorio, m_nomeArquivo, m_diretorioTrabalho);
}

bool TExpImpCotacao::CarregarDados(
    TMemoryTable &mmDados, TMemoryTable &mmGrupos, TMemoryTable &mmItens, TMemoryTable &mmCotas)
{
    Registrar(QStringLiteral("Carregando dados da cotação."));
    try {
        if (!m_cotacao.PreencherTabelas(mmDados, mmGrupos, mmItens, mmCotas))
            return false;
    } catch (...) {
        RegistrarErro(QStringLiteral("Erro ao carregar os dados da cotação."));
        throw;
    }
    Registrar(QStringLiteral("Dados carregados com sucesso."));
    return true;
}

bool TExpImpCotacao::Exportar(const QString &diretorio, const QString &diretorioTrabalho,
    TMemoryTable &mmDados, TMemoryTable &mmItens, TMemoryTable &mmGrupos)
{
    ObterLogManager().Limpar();
    // The file that held the quotation goes when the save renames it in its own folder; a save
    // into another folder leaves it where it is. A failed save leaves the quotation in the folder
    // that holds it.
    const bool mesmaPasta = MesmoArquivo(m_diretorio, diretorio);
    QScopedValueRollback<QString> pasta(m_diretorio, diretorio);
    m_diretorioTrabalho = diretorioTrabalho;
    bool resultado = true;
    try {
        AtualizarDados(mmDados, mmGrupos, mmItens);
        if (!Salvar(mesmaPasta))
            resultado = false;
    } catch (const std::exception &erro) {
        ExibeInformacao(Texto(MensagemExportarDados), bmContinuar, TextoDoErro(erro));
        throw;
    }
    if (resultado)
        pasta.commit();
    else
        ExibeInformacao(Texto(MensagemExportarPropostas), bmContinuar, QString());
    return resultado;
}

bool TExpImpCotacao::AtualizarDados(
    TMemoryTable &mmDados, TMemoryTable &mmGrupos, TMemoryTable &mmItens)
{
    m_cotacao.AtualizarDasTabelas(mmDados, mmGrupos, mmItens);
    return true;
}

bool TExpImpCotacao::Regravar(const QString &nomeArquivo, const QString &diretorio,
    const QString &pastaDestino, const QString &diretorioTrabalho)
{
    ObterLogManager().Limpar();
    m_nomeArquivo = nomeArquivo;
    m_diretorio = diretorio;
    m_diretorioTrabalho = diretorioTrabalho;
    if (!AbrirEValidar())
        return false;
    m_diretorio = pastaDestino;
    return Salvar(false);
}

bool TExpImpCotacao::Salvar(bool removerAnterior)
{
    // The document goes straight into the bytes of the file: a save after every posted item
    // cannot afford to build a DOM tree of the whole quotation first.
    QByteArray documento;
    TEscritaBytes escrita(documento);
    Etapa(QStringLiteral("Erro ao criar um arquivo XML."), [&] {
        Registrar(QStringLiteral("Criando arquivo XML..."));
        escrita.Declaracao(DeclaracaoXML);
        Registrar(QStringLiteral("Arquivo XML criado com sucesso."));
    });
    Etapa(QStringLiteral("Erro ao efetuar a leitura nos objetos e inserir no arquivo."), [&] {
        Registrar(QStringLiteral("Inserindo dados no arquivo XML."));
        GravarDados(escrita, m_cotacao);
        Registrar(QStringLiteral("Dados inseridos com sucesso"));
    });
    return Etapa(QStringLiteral("Erro ao salvar o arquivo KVT."),
        [&] { return GravarArquivoKvt(documento, removerAnterior); });
}

bool TExpImpCotacao::GravarArquivoKvt(const QByteArray &documento, bool removerAnterior)
{
    Registrar(QStringLiteral("Salvando arquivo KVT."));
    const QString novoNome = NomeArquivoCanonico(m_cotacao);
    const QString temporario = CaminhoEm(m_diretorioTrabalho, novoNome);
    // Found before the new file exists: a file received as NOME.KVT, whose canonical name is
    // NOME, is still the one to go.
    const QString anterior
        = removerAnterior ? ContainerDaCotacao(m_diretorio, m_nomeArquivo) : QString();

    Registrar(QStringLiteral("Salvando arquivo temporário."));
    try {
        GravarDocumento(documento, temporario);
    } catch (...) {
        Remover(temporario);
        throw;
    }
    Registrar(QStringLiteral("Arquivo temporário salvo com sucesso."));

    // The file opened before goes only once the new container is in place, and never when
    // it is the very file just written, whatever its name.
    const auto finalizar = [&](bool gravado) {
        Remover(temporario);
        if (gravado) {
            const QString novo = NomeArquivoCompactado(m_diretorio, temporario);
            if (!anterior.isEmpty() && QFile::exists(anterior) && !MesmoArquivo(anterior, novo))
                Remover(anterior);
            m_nomeArquivo = novoNome;
        }
        Registrar(QStringLiteral("Arquivo temporário deletado."));
    };

    Registrar(QStringLiteral("Comprimindo arquivo..."));
    bool gravado = false;
    try {
        gravado = CompactarArquivo(VersaoDoArquivo(), m_diretorio, temporario);
        if (gravado)
            Registrar(QStringLiteral("Arquivo comprimido com sucesso."));
        else
            RegistrarErro(QStringLiteral("Problemas ao tentar comprimir o arquivo."));
    } catch (...) {
        finalizar(false);
        throw;
    }
    finalizar(gravado);
    if (gravado)
        Registrar(QStringLiteral("Arquivo KVT salvo com sucesso."));
    return gravado;
}

bool LerArquivoCotacao(TDadosCotacao &cotacao, const QString &diretorio, const QString &nomeArquivo,
    const QString &diretorioTrabalho)
{
    TDocumentoLido documento;
    if (!AbrirArquivoCotacao(documento, diretorio, nomeArquivo, diretorioTrabalho))
        return false;
    cotacao.CarregarDoXML(ValidarDocumento(documento));
    return true;
}

QString NomeArquivoCanonico(const TDadosCotacao &cotacao)
{
    QString nome = cotacao.TipoCotacao != tcLicitacao
        ? QStringLiteral("COT-PESQ-") + QString::number(cotacao.PesquisaCodigo)
        : QStringLiteral("COT-")
            + SubstituirTexto(cotacao.NumeroAlfa, QStringLiteral("/"), QStringLiteral("-"));
    QString documento = cotacao.CpfCnpjFornecedor;
    if (!documento.isEmpty()) {
        for (const char *sinal : {".", "/", "-"})
            documento = SubstituirTexto(documento, QLatin1String(sinal), QString());
        nome += QLatin1Char('-') + documento;
    }
    return nome;
}

QByteArray DocumentoDaCotacao(const TDadosCotacao &cotacao)
{
    QByteArray documento;
    TEscritaBytes escrita(documento);
    escrita.Declaracao(DeclaracaoXML);
    GravarDados(escrita, cotacao);
    return documento;
}

QString GravarArquivoCotacao(
    const TDadosCotacao &cotacao, const QString &pasta, const QString &nome)
{
    const QString temporario = CaminhoEm(PastaTemporaria(), nome);
    try {
        GravarDocumento(DocumentoDaCotacao(cotacao), temporario);
        if (!CompactarArquivo(VersaoDoArquivo(), pasta, temporario))
            throw EVrtException(QStringLiteral("A pasta %1 não existe.").arg(pasta));
    } catch (...) {
        QFile::remove(temporario);
        throw;
    }
    QFile::remove(temporario);
    return NomeArquivoCompactado(pasta, temporario);
}
