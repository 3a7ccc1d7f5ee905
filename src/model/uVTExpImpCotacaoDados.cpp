#include "model/uVTExpImpCotacaoDados.h"

#include "common/uExcecoes.h"
#include "common/uTextoWindows1252.h"
#include "components/MemTable.h"
#include "exchange/uVTExpImpCotacaoComum.h"
#include "exchange/uVTManipulaBlobStreamHexa.h"
#include "messages/uExpLog.h"
#include "model/uTabelasCotacao.h"

namespace {

using TElementoCotacao = TElementoXML<TDadosCotacao>;
using T = TDadosCotacao;

// What every kind carries, in write order; the picture comes last, after the lists.
const TElementoCotacao COMUNS[] = {
    {QStringLiteral("tipocotacao"), &T::TipoCotacao, TCodificacao::Inteiro},
    {QStringLiteral("entidadecodigo"), &T::EntidadeCodigo, TCodificacao::Inteiro},
    {QStringLiteral("entidadeserie"), &T::EntidadeSerie, TCodificacao::Inteiro},
    {QStringLiteral("entidadenome"), &T::EntidadeNome, TCodificacao::Texto},
};

const TElementoCotacao LICITACAO[] = {
    {QStringLiteral("licano"), &T::Ano, TCodificacao::Inteiro},
    {QStringLiteral("licsequencia"), &T::Sequencia, TCodificacao::Inteiro},
    {QStringLiteral("lictratamento"), &T::Tratamento, TCodificacao::Inteiro},
    {QStringLiteral("licvalortotalcotado"), &T::ValorTotalCotado, TCodificacao::Real},
    {QStringLiteral("licvalortotallicitado"), &T::ValorTotalLicitado, TCodificacao::Real},
    {QStringLiteral("licregistroprecos"), &T::RegistroPrecos, TCodificacao::Logico},
    {QStringLiteral("licmodalidade"), &T::Modalidade, TCodificacao::Texto},
    {QStringLiteral("lictipo"), &T::TipoLicitacao, TCodificacao::Texto},
    {QStringLiteral("licformajulgamento"), &T::FormaJulgamento, TCodificacao::Texto},
    {QStringLiteral("licnralfa"), &T::NumeroAlfa, TCodificacao::Texto},
    {QStringLiteral("liccpfcnpjfornecedor"), &T::CpfCnpjFornecedor, TCodificacao::Texto},
    {QStringLiteral("licobjetoresumido"), &T::ObjetoResumido, TCodificacao::Texto},
    {QStringLiteral("licformaentrega"), &T::FormaEntrega, TCodificacao::Texto},
    {QStringLiteral("liclocalentregaproposta"), &T::LocalEntregaProposta, TCodificacao::Texto},
    {QStringLiteral("liclocalabertura"), &T::LocalAbertura, TCodificacao::Texto},
    {QStringLiteral("licprazoentrega"), &T::PrazoEntrega, TCodificacao::Texto},
    {QStringLiteral("liclocalentregamatserv"), &T::LocalEntregaMatServ, TCodificacao::Texto},
    {QStringLiteral("lichoraentregaproposta"), &T::HoraEntregaProposta, TCodificacao::DataHora},
    {QStringLiteral("lichoraabertura"), &T::HoraAbertura, TCodificacao::DataHora},
    {QStringLiteral("licdataabertura"), &T::DataAbertura, TCodificacao::DataHora},
    {QStringLiteral("licdataentregaproposta"), &T::DataEntregaProposta, TCodificacao::DataHora},
};

const TElementoCotacao PESQUISA[] = {
    {QStringLiteral("pesqano"), &T::Ano, TCodificacao::Inteiro},
    {QStringLiteral("pesqsequencia"), &T::Sequencia, TCodificacao::Inteiro},
    {QStringLiteral("pesqcodigo"), &T::PesquisaCodigo, TCodificacao::Inteiro},
    {QStringLiteral("pesqvalorcotacao"), &T::ValorTotalCotado, TCodificacao::Real},
    {QStringLiteral("pesqcnpjfornecedor"), &T::CpfCnpjFornecedor, TCodificacao::Texto},
    {QStringLiteral("pesqbjetoresumido"), &T::ObjetoResumido, TCodificacao::Texto},
    {QStringLiteral("pesqformacotacao"), &T::FormaJulgamento, TCodificacao::Texto},
    {QStringLiteral("pesqdataemissao"), &T::DataEmissao, TCodificacao::DataHora},
    {QStringLiteral("pesqprazodata"), &T::DataEntregaProposta, TCodificacao::DataHora},
    {QStringLiteral("pesqprazohora"), &T::HoraEntregaProposta, TCodificacao::DataHora},
    {QStringLiteral("pesqprazolocal"), &T::LocalEntregaProposta, TCodificacao::Texto},
    {QStringLiteral("pesqentregaforma"), &T::FormaEntrega, TCodificacao::Texto},
    {QStringLiteral("pesqentregaprazo"), &T::PrazoEntrega, TCodificacao::Texto},
    {QStringLiteral("pesqentregalocal"), &T::LocalEntregaMatServ, TCodificacao::Texto},
    {QStringLiteral("pesqobservao"), &T::Observacao, TCodificacao::Texto},
};

const QString NOME_BRASAO = QStringLiteral("elibrasaorelatorio");
const QString NOME_ITENS = QStringLiteral("itens");
const QString NOME_GRUPOS = QStringLiteral("grupos");

// Builds a list with the reader of the kind's vocabulary; a list that fails is not kept.
template<typename TLista>
std::unique_ptr<TLista> NovaListaLida(const TElementoLido &no, bool licitacao)
{
    auto lista = std::make_unique<TLista>();
    if (licitacao)
        lista->CarregarDoXMLLicitacao(no);
    else
        lista->CarregarDoXMLPesquisa(no);
    return lista;
}

template<typename TLista>
void GravarListaDoTipo(const TLista &lista, TEscritaXML &escrita, bool licitacao)
{
    if (licitacao)
        lista.GravarNoXMLLicitacao(escrita);
    else
        lista.GravarNoXMLPesquisa(escrita);
}

} // namespace

bool FormaComItens(const QString &formaJulgamento)
{
    return formaJulgamento == QLatin1String("Pi") || formaJulgamento == QLatin1String("Gl");
}

bool FormaComGrupos(const QString &formaJulgamento)
{
    return formaJulgamento == QLatin1String("Gi");
}

void TDadosCotacao::CarregarDoXML(const TElementoLido &cotacao)
{
    TImpExpLogManager &log = ObterLogManager();
    log.AdicionarMensagem(QStringLiteral("Carregando dados do arquivo..."));
    try {
        if (cotacao.Nulo())
            throw EVrtException(QStringLiteral("Erro ao carregar os dados do XML."));
        LerElementos(*this, cotacao, COMUNS);
        BrasaoRelatorio = LerTexto(cotacao.PrimeiroFilho(NOME_BRASAO));

        const bool licitacao = TipoCotacao == tcLicitacao;
        if (licitacao)
            LerElementos(*this, cotacao, LICITACAO);
        else if (TipoCotacao == tcPesquisa)
            LerElementos(*this, cotacao, PESQUISA);

        if (licitacao || TipoCotacao == tcPesquisa) {
            if (FormaComItens(FormaJulgamento))
                m_itens = NovaListaLida<TItens>(cotacao.PrimeiroFilho(NOME_ITENS), licitacao);
            if (FormaComGrupos(FormaJulgamento))
                m_grupos = NovaListaLida<TGrupos>(cotacao.PrimeiroFilho(NOME_GRUPOS), licitacao);
        }
        log.AdicionarMensagem(QStringLiteral("Dados carregados com sucesso."));
    } catch (...) {
        log.AdicionarErro(QStringLiteral("Erro ao carregar os dados do XML."));
        throw;
    }
}

void TDadosCotacao::GravarNoXML(TEscritaXML &escrita) const
{
    TImpExpLogManager &log = ObterLogManager();
    const bool licitacao = TipoCotacao == tcLicitacao;
    const bool pesquisa = TipoCotacao == tcPesquisa;
    const QString tipo = licitacao ? QStringLiteral("licitação")
        : pesquisa                 ? QStringLiteral("pesquisa de preços")
                                   : QString();
    log.AdicionarMensagem(QStringLiteral("Carregando dados da ") + tipo + QStringLiteral("..."));
    try {
        escrita.Abrir(QStringLiteral("cotacao"));
        GravarElementos(*this, escrita, COMUNS);
        if (licitacao)
            GravarElementos(*this, escrita, LICITACAO);
        else if (pesquisa)
            GravarElementos(*this, escrita, PESQUISA);

        if (licitacao || pesquisa) {
            if (FormaComItens(FormaJulgamento)) {
                if (m_itens)
                    GravarListaDoTipo(*m_itens, escrita, licitacao);
                else
                    log.AdicionarErro(QStringLiteral("Não existe itens."));
            }
            if (FormaComGrupos(FormaJulgamento)) {
                if (m_grupos)
                    GravarListaDoTipo(*m_grupos, escrita, licitacao);
                else
                    log.AdicionarErro(QStringLiteral("Não existe grupos."));
            }
        }
        escrita.ElementoCDATA(NOME_BRASAO, BrasaoRelatorio);
        escrita.Fechar();
        log.AdicionarMensagem(QStringLiteral("Dados da licitação carregados com sucesso."));
    } catch (...) {
        log.AdicionarErro(QStringLiteral("Erro ao inserir as informações no arquivo"));
        throw;
    }
}

namespace {

// Memo fields hold the decoded bytes as the text the public body's Windows programs wrote.
void CarregarMemo(TField &campo, const QString &hexa)
{
    campo.SetAsString(TextoWindows1252(HexaParaStream(hexa)));
}

QString PalavraDoTipo(qint32 tipo)
{
    if (tipo == tcLicitacao)
        return QStringLiteral("licitação");
    if (tipo == tcPesquisa)
        return QStringLiteral("pesquisa de preços");
    return QString();
}

} // namespace

bool TDadosCotacao::PreencherTabelas(TMemoryTable &mmDados, TMemoryTable &mmGrupos,
    TMemoryTable &mmItens, TMemoryTable &mmCotas) const
{
    TImpExpLogManager &log = ObterLogManager();
    bool resultado = true;
    try {
        const auto campo = [&](const char *nome) -> TField & {
            return mmDados.FieldByName(QLatin1String(nome));
        };
        mmDados.Append();
        campo("ELICODIGOCLIENTE").SetAsInteger(EntidadeCodigo);
        campo("ELISERIE").SetAsInteger(EntidadeSerie);
        campo("ELIDESCRICAO").SetAsString(EntidadeNome);
        campo("TIPOCOTACAO").SetAsInteger(TipoCotacao);
        campo("ANO").SetAsInteger(Ano);
        campo("SEQUENCIA").SetAsInteger(Sequencia);
        campo("FORNECEDORCPFCNPJ").SetAsString(CpfCnpjFornecedor);
        campo("PRAZOENTREGADATA").SetAsDateTime(DataEntregaProposta);
        campo("PRAZOENTREGAHORA").SetAsDateTime(HoraEntregaProposta);
        if (TipoCotacao == tcLicitacao) {
            campo("LICTRATAMENTO").SetAsInteger(Tratamento);
            campo("LICNUMEROALFA").SetAsString(NumeroAlfa);
            campo("LICMODALIDADE").SetAsString(Modalidade);
            campo("LICTIPO").SetAsString(TipoLicitacao);
            campo("LICVALORTOTALLICITADO").SetAsFloat(ValorTotalLicitado);
            campo("LICDATAABERTURA").SetAsDateTime(DataAbertura);
            campo("LICHORAABERTURA").SetAsDateTime(HoraAbertura);
            campo("LICREGISTROPRECOS").SetAsBoolean(RegistroPrecos);
            CarregarMemo(campo("LICLOCALABERTURA"), LocalAbertura);
        } else if (TipoCotacao == tcPesquisa) {
            campo("DATAEMISSAO").SetAsDateTime(DataEmissao);
            campo("CODIGOPESQUISA").SetAsInteger(PesquisaCodigo);
            CarregarMemo(campo("OBSERVACAO"), Observacao);
        }
        campo("FORMAJULGAMENTO").SetAsString(FormaJulgamento);
        campo("FORMAENTREGATIPO").SetAsString(FormaEntrega);
        campo("VALORTOTALCOTADO").SetAsFloat(ValorTotalCotado);
        try {
            campo("ELIBRASAORELATORIO").SetAsBytes(HexaParaStream(BrasaoRelatorio));
            CarregarMemo(campo("OBJETO"), ObjetoResumido);
            CarregarMemo(campo("FORMAENTREGAPRAZO"), PrazoEntrega);
            CarregarMemo(campo("FORMAENTREGALOCAL"), LocalEntregaMatServ);
            CarregarMemo(campo("PRAZOENTREGALOCAL"), LocalEntregaProposta);
        } catch (...) {
            log.AdicionarErro(QStringLiteral("Erro ao adicionar a imagem na memória..."));
            throw;
        }
        mmDados.Post();

        if (Tratamento == 4)
            PreencherCotas(mmCotas);
        if (FormaComItens(FormaJulgamento)) {
            if (m_itens) {
                m_itens->PreencherTabela(mmItens, 0);
            } else {
                log.AdicionarErro(
                    QStringLiteral("Não existe itens para inserir na tabela de memória."));
                resultado = false;
            }
        }
        if (FormaComGrupos(FormaJulgamento)) {
            if (m_grupos) {
                m_grupos->PreencherTabelas(mmGrupos, mmItens);
            } else {
                log.AdicionarErro(
                    QStringLiteral("Não existe grupos para inserir na tabela de memória."));
                resultado = false;
            }
        }
    } catch (...) {
        log.AdicionarErro(QStringLiteral("Erro ao inserir as informações na tabela de memória."));
        throw;
    }
    log.AdicionarMensagem(QStringLiteral("Dados da licitação carregados com sucesso."));
    return resultado;
}

void TDadosCotacao::AtualizarDasTabelas(
    TMemoryTable &mmDados, TMemoryTable &mmGrupos, TMemoryTable &mmItens)
{
    TImpExpLogManager &log = ObterLogManager();
    const QString palavra
        = PalavraDoTipo(mmDados.FieldByName(QStringLiteral("TIPOCOTACAO")).AsInteger());
    log.AdicionarMensagem(QStringLiteral("Atualizando a ") + palavra
        + QStringLiteral(" da tabela de memória pra o objeto..."));
    try {
        CpfCnpjFornecedor = mmDados.FieldByName(QStringLiteral("FORNECEDORCPFCNPJ")).AsString();
        ValorTotalCotado = mmDados.FieldByName(QStringLiteral("VALORTOTALCOTADO")).AsFloat();
        // A list that the read did not produce has nothing to update; the writer reports it.
        if (FormaComItens(FormaJulgamento) && m_itens)
            m_itens->AtualizarDaTabela(mmItens);
        if (FormaComGrupos(FormaJulgamento) && m_grupos)
            m_grupos->AtualizarDasTabelas(mmGrupos, mmItens);
    } catch (...) {
        log.AdicionarErro(QStringLiteral("Ao atualizar os dados da ") + palavra
            + QStringLiteral(" da tabela em memória para os objetos."));
        throw;
    }
    log.AdicionarMensagem(
        QStringLiteral("Dados da ") + palavra + QStringLiteral(" atualizados com sucesso."));
}
