#include "app/uRegrasCotacao.h"

#include "common/uExcecoes.h"
#include "common/uFormatFloat.h"
#include "common/uFuncoesLicitacao.h"
#include "common/uPastaTemporaria.h"
#include "exchange/uVTExpImpCotacao.h"
#include "exchange/uVTExpImpCotacaoValidacoes.h"
#include "messages/ExibeMensagens.h"
#include "model/uTabelasCotacao.h"

#include <QDir>
#include <QFileInfo>
#include <QScopedValueRollback>

#include <functional>
#include <initializer_list>

namespace {

// Runs corpo, then fim, also when corpo raises (the error then passes on).
template<typename Corpo, typename Fim>
void ComFinal(Corpo corpo, Fim fim)
{
    try {
        corpo();
    } catch (...) {
        fim();
        throw;
    }
    fim();
}

void SomenteLeitura(TMemoryTable &tabela)
{
    for (int i = 0; i < tabela.FieldCount(); ++i)
        tabela.Fields(i).SetReadOnly(true);
}

double ValorOuZero(const TField &campo)
{
    return campo.IsNull() ? 0.0 : campo.AsFloat();
}

// Writes a total that the supplier cannot change: unlocked for the moment of writing.
void GravarTotal(TField &campo, long double soma)
{
    TMemoryTable &tabela = campo.DataSet();
    if (!tabela.Editando())
        tabela.Edit();
    campo.SetReadOnly(false);
    ComFinal(
        [&] { campo.SetAsFloat(double(Arredondar(2, soma))); }, [&] { campo.SetReadOnly(true); });
}

// Reads every row that the filter lets through, first to last. The rows are read in place,
// without moving the cursor: no item handler watches the walk, and the grid is not redrawn.
void ParaCadaItem(const TMemoryTable &tabela, const std::function<void()> &leitura)
{
    for (int linha = 0, total = tabela.RecordCount(); linha < total; ++linha)
        tabela.NaLinha(linha, leitura);
}

const QString Atencao = QStringLiteral("Atenção");

} // namespace

TConferenciaCPFCNPJ ConferirCPFCNPJ(const QString &texto)
{
    TConferenciaCPFCNPJ conferencia;
    QString numero = texto.left(18);
    if (numero.trimmed().isEmpty())
        return conferencia;
    for (const char *separador : {".", "/", "-"})
        numero = SubstituirTexto(numero, QLatin1String(separador), QString());
    numero = numero.left(18);

    conferencia.Resultado = TConferenciaCPFCNPJ::Recusado;
    if (numero.size() == 11) {
        conferencia.Mascarado = MascararCPF(numero);
        if (!ValidarCPF(conferencia.Mascarado))
            conferencia.Mensagem = QStringLiteral("O CPF do fornecedor é inválido.");
    } else if (numero.size() == 14) {
        conferencia.Mascarado = MascararCNPJ(numero);
        if (!ValidarCNPJ(conferencia.Mascarado))
            conferencia.Mensagem = QStringLiteral("O CNPJ do fornecedor é inválido.");
    } else {
        conferencia.Mensagem = QStringLiteral("O CPF/CNPJ do fornecedor está inválido.");
    }
    if (conferencia.Mensagem.isEmpty())
        conferencia.Resultado = TConferenciaCPFCNPJ::Aceito;
    else
        conferencia.Mascarado.clear();
    return conferencia;
}

TRegraPrecoMaximo RegraPrecoMaximo(const QString &modalidade)
{
    if (modalidade == QLatin1String("Pr"))
        return TRegraPrecoMaximo::Perguntar;
    if (modalidade == QLatin1String("Le") || modalidade == QLatin1String("Cs"))
        return TRegraPrecoMaximo::Aceitar;
    return TRegraPrecoMaximo::Informar;
}

QString EmReais(const TField &campo, double valor)
{
    return FormatFloat(QStringLiteral("R$ ") + campo.DisplayFormat(), valor);
}

TRegrasCotacao::TRegrasCotacao(TTabelasCotacao &tabelas)
    : m_tabelas(tabelas)
{ }

TRegrasCotacao::~TRegrasCotacao() = default;

void TRegrasCotacao::NovoControlador()
{
    LiberarControlador();
    m_expImpCotacao = std::make_unique<TExpImpCotacao>();
}

void TRegrasCotacao::LiberarControlador()
{
    // The index points into the controller's model.
    m_indice.Limpar();
    m_resumo = {};
    m_expImpCotacao.reset();
}

bool TRegrasCotacao::Carregar(const QString &nome, const QString &pasta)
{
    Carregando = true;
    m_tabelas.PrepararParaCarga();
    const bool lido = m_expImpCotacao->Importar(nome, pasta, PastaTemporaria(), m_tabelas.mmDados,
        m_tabelas.mmGrupos, m_tabelas.mmItens, m_tabelas.mmCotas);
    if (lido) {
        PrepararEdicao();
        m_indice.Montar(m_expImpCotacao->Cotacao(), MostraCotas());
    }
    Carregando = false;
    return lido;
}

void TRegrasCotacao::PrepararEdicao()
{
    TTabelasCotacao &t = m_tabelas;
    const int tipo = TipoCotacao();
    if (tipo == 0 || tipo == 1) {
        // A price survey has no treatment, estimate or maximum price.
        for (TField *campo :
            {t.mmItensTratamento, t.mmItensVlEstimado, t.mmItensVlMaximo, t.mmGruposTratamento})
            campo->SetVisible(tipo == 0);
    }

    SomenteLeitura(t.mmDados);
    t.mmDados.FieldByName(QStringLiteral("FornecedorCPFCNPJ")).SetReadOnly(false);

    if (MostraLotes()) {
        SomenteLeitura(t.mmGrupos);
        const int lote = t.mmGrupos.FieldByName(QStringLiteral("CodGrupo")).AsInteger();
        t.mmItens.SetFiltered(false);
        t.mmItens.SetFilter(QStringLiteral("CodGrupo = ") + QString::number(lote));
        t.mmItens.SetFiltered(true);
    }

    // The supplier answers the price, the brand and the observation of each item.
    for (int i = 0; i < t.mmItens.FieldCount(); ++i) {
        TField &campo = t.mmItens.Fields(i);
        const QString nome = campo.Name().toUpper();
        campo.SetReadOnly(nome != QLatin1String("MMITENSVLCOTADO")
            && nome != QLatin1String("MMITENSITEMMARCA")
            && nome != QLatin1String("MMITENSITEMOBSERVACAO")
            && nome != QLatin1String("MMITENSCALCVLTOTALCOTADO"));
    }

    SomenteLeitura(t.mmCotas);
}

int TRegrasCotacao::TipoCotacao() const
{
    return m_tabelas.mmDados.FieldByName(QStringLiteral("TipoCotacao")).AsInteger();
}

QString TRegrasCotacao::FormaJulgamento() const
{
    return m_tabelas.mmDadosFormaJulgamento->AsString();
}

bool TRegrasCotacao::MostraTratamento() const
{
    return FormaJulgamento() == QLatin1String("Gl") && TipoCotacao() == 0;
}

bool TRegrasCotacao::MostraCotas() const
{
    return MostraTratamento() && m_tabelas.mmDadosLICTRATAMENTO->AsInteger() == 4;
}

bool TRegrasCotacao::MostraLotes() const
{
    return FormaJulgamento() == QLatin1String("Gi");
}

void TRegrasCotacao::SeguirLote()
{
    if (Carregando || !MostraLotes())
        return;
    TTabelasCotacao &t = m_tabelas;
    QString expressao = QStringLiteral(" CODGRUPO = ")
        + QString::number(t.mmGrupos.FieldByName(QStringLiteral("CodGrupo")).AsInteger());
    const int tratamento = t.mmGruposTratamento->AsInteger();
    if (tratamento == 3 || tratamento == 4)
        expressao += QStringLiteral(" AND TRATAMENTO = ") + QString::number(tratamento);
    t.mmItens.SetFiltered(false);
    t.mmItens.SetFilter(expressao);
    t.mmItens.SetFiltered(true);
    t.mmItens.First();
}

void TRegrasCotacao::SeguirCota()
{
    // The quota table also holds rows under the other judgement forms of a tender split into
    // quotas; there no control shows them, so they must not narrow the items.
    if (Carregando || m_tabelas.mmCotas.IsEmpty() || !MostraCotas())
        return;
    TTabelasCotacao &t = m_tabelas;
    t.mmItens.SetFiltered(false);
    t.mmItens.SetFilter(QStringLiteral(" TRATAMENTO = ")
        + QString::number(t.mmCotas.FieldByName(QStringLiteral("CotaCodigo")).AsInteger()));
    t.mmItens.SetFiltered(true);
    t.mmItens.First();
}

void TRegrasCotacao::RecusarInclusao() const
{
    if (!Carregando)
        throw EAbort();
}

void TRegrasCotacao::ConfirmarItemPendente()
{
    if (!Carregando)
        m_tabelas.mmItens.PostSePendente();
}

void TRegrasCotacao::VerificarPrecoMaximo()
{
    const TField &cotado = *m_tabelas.mmItensVlCotado;
    const TField &maximo = *m_tabelas.mmItensVlMaximo;
    if (!AcimaDoMaximo(ValorOuZero(cotado), ValorOuZero(maximo)))
        return;
    const TRegraPrecoMaximo regra = RegraPrecoMaximo();
    if (regra == TRegraPrecoMaximo::Aceitar)
        return;
    const QString proposta = EmReais(cotado, cotado.AsFloat());
    const QString limite = EmReais(maximo, maximo.AsFloat());
    if (regra == TRegraPrecoMaximo::Perguntar) {
        const QString pergunta = QStringLiteral(
            "O valor da proposta (%1) é maior que o preço máximo (%2).\rContinuar mesmo assim?")
                                     .arg(proposta, limite);
        // Only a yes lets a price above the maximum through.
        if (ExibeMensagem(tmPergunta, Atencao, pergunta, bmSim | bmNao) != mrYes)
            throw EAbort();
        return;
    }
    ExibeInformacao(QStringLiteral("O valor cotado (%1) é maior que o preço máximo (%2).")
                        .arg(proposta, limite),
        bmContinuar, QString());
}

TRegraPrecoMaximo TRegrasCotacao::RegraPrecoMaximo() const
{
    return ::RegraPrecoMaximo(m_tabelas.mmDadosLICMODALIDADE->AsString());
}

double TRegrasCotacao::SomaDosItensVisiveis()
{
    TTabelasCotacao &t = m_tabelas;
    long double soma = 0;
    ParaCadaItem(t.mmItens, [&] {
        soma += static_cast<long double>(ValorOuZero(*t.mmItensQtdLicitada))
            * ValorOuZero(*t.mmItensVlCotado);
    });
    return double(soma);
}

void TRegrasCotacao::CalcularTotais(TLotes lotes)
{
    if (Carregando)
        return;
    TTabelasCotacao &t = m_tabelas;
    DesabilitarControles();
    GuardarPosicoes();
    ComFinal(
        [&] {
            // The proposal: every item's total, already rounded to 3 places, then to 2.
            long double proposta = 0;
            t.mmItens.SetFiltered(false);
            ComFinal(
                [&] { proposta = LerRespostasDosItens(); }, [&] { t.mmItens.SetFiltered(true); });
            GravarTotal(*t.mmDadosValorTotalCotado, proposta);
            m_resumo.Total = t.mmDadosValorTotalCotado->AsFloat();

            // Typing changes only the current lot's prices; moving to each lot narrows the
            // items to it.
            if (MostraLotes() && lotes == TLotes::Atual)
                GravarTotal(*t.mmGruposVlTotal, SomaDosItensVisiveis());
            if (MostraLotes() && lotes == TLotes::Todos) {
                for (t.mmGrupos.First(); !t.mmGrupos.Eof(); t.mmGrupos.Next())
                    GravarTotal(*t.mmGruposVlTotal, SomaDosItensVisiveis());
                t.mmGrupos.PostSePendente();
            }

            // Moving to each quota narrows the items to it.
            if (MostraCotas()) {
                for (t.mmCotas.First(); !t.mmCotas.Eof(); t.mmCotas.Next())
                    GravarTotal(*t.mmCotasValorTotal, SomaDosItensVisiveis());
                t.mmCotas.PostSePendente();
            }
        },
        [&] {
            RestaurarPosicoes();
            HabilitarControles();
        });
    if (AoCalcularTotais)
        AoCalcularTotais();
}

long double TRegrasCotacao::LerRespostasDosItens()
{
    // The rows come in the order they were added, which is the index's.
    TTabelasCotacao &t = m_tabelas;
    const bool indexado = m_indice.Count() == t.mmItens.RecordCount();
    m_resumo = {};
    m_resumo.Itens = t.mmItens.RecordCount();
    const TField &marca = t.mmItens.FieldByName(QStringLiteral("ITEMMARCA"));
    long double proposta = 0;
    int linha = 0;
    ParaCadaItem(t.mmItens, [&] {
        proposta += ValorOuZero(*t.mmItenscalcVlTotalCotado);
        const double preco = ValorOuZero(*t.mmItensVlCotado);
        const double maximo = ValorOuZero(*t.mmItensVlMaximo);
        m_resumo.Cotados += preco > 0 ? 1 : 0;
        m_resumo.AcimaDoMaximo += ::AcimaDoMaximo(preco, maximo) ? 1 : 0;
        if (indexado) {
            TEntradaItem &entrada = m_indice.Entrada(linha);
            entrada.Preco = preco;
            entrada.Maximo = maximo;
            entrada.TemMarca = !marca.AsString().trimmed().isEmpty();
        }
        ++linha;
    });
    return proposta;
}

int TRegrasCotacao::EntradaAtual() const
{
    const int linha = m_tabelas.mmItens.LinhaAtual();
    return linha < m_indice.Count() ? linha : -1;
}

void TRegrasCotacao::IrParaItem(int indice)
{
    const TEntradaItem &entrada = m_indice.Entrada(indice);
    if (entrada.Linha < 0)
        return;
    TTabelasCotacao &t = m_tabelas;
    if (MostraLotes() && entrada.Lote >= 0) {
        if (t.mmGrupos.RecNo() != entrada.Lote + 1)
            t.mmGrupos.SetRecNo(entrada.Lote + 1);
    } else if (MostraCotas()) {
        const TField &codigo = t.mmCotas.FieldByName(QStringLiteral("CotaCodigo"));
        for (int cota = 0; cota < t.mmCotas.RecordCount(); ++cota) {
            bool dela = false;
            t.mmCotas.NaLinha(cota, [&] { dela = codigo.AsInteger() == entrada.Tratamento; });
            if (dela && t.mmCotas.RecNo() != cota + 1)
                t.mmCotas.SetRecNo(cota + 1);
        }
    }
    t.mmItens.SetRecNo(entrada.Linha + 1);
}

void TRegrasCotacao::AposGravarItem(const QString &diretorio)
{
    if (Carregando)
        return;
    CalcularTotais();
    if (m_salvando)
        return;
    try {
        SalvarCotacao(diretorio, false);
    } catch (const EAbort &) {
        throw;
    } catch (const std::exception &) {
        // The controller has said what went wrong; the item is posted and the totals stand,
        // and the supplier moves on (a folder that cannot be written fails every save alike).
    }
}

bool TRegrasCotacao::SalvarCotacao(const QString &diretorio, bool mostrarMensagem)
{
    TTabelasCotacao &t = m_tabelas;
    {
        const QScopedValueRollback<bool> salvando(m_salvando, true);
        for (TMemoryTable *tabela : {&t.mmGrupos, &t.mmItens, &t.mmDados, &t.mmCotas})
            tabela->PostSePendente();
    }
    GuardarPosicoes();
    DesabilitarControles();
    bool gravado = false;
    ComFinal(
        [&] {
            gravado = m_expImpCotacao->Exportar(
                diretorio, PastaTemporaria(), t.mmDados, t.mmItens, t.mmGrupos);
            if (gravado && AoSalvar)
                AoSalvar();
            // The details name the file written: the one to send to the public body.
            if (gravado && mostrarMensagem)
                ExibeInformacao(QStringLiteral("Arquivo salvo com sucesso."), bmContinuar,
                    QDir::toNativeSeparators(CaminhoDoArquivo()));
        },
        [&] {
            HabilitarControles();
            RestaurarPosicoes();
        });
    return gravado;
}

QString TRegrasCotacao::CaminhoDoArquivo() const
{
    return QFileInfo(
        ContainerDaCotacao(m_expImpCotacao->Diretorio(), m_expImpCotacao->NomeArquivo()))
        .absoluteFilePath();
}

bool TRegrasCotacao::TemAlteracaoPendente() const
{
    return m_expImpCotacao && !Carregando
        && (m_tabelas.mmItens.Editando()
            || CPFCNPJ() != m_expImpCotacao->Cotacao().CpfCnpjFornecedor);
}

void TRegrasCotacao::GravarCPFCNPJ(const QString &mascarado)
{
    TMemoryTable &mmDados = m_tabelas.mmDados;
    if (!mmDados.Editando())
        mmDados.Edit();
    mmDados.FieldByName(QStringLiteral("FornecedorCPFCNPJ")).SetAsString(mascarado);
}

QString TRegrasCotacao::CPFCNPJ() const
{
    return m_tabelas.mmDados.FieldByName(QStringLiteral("FornecedorCPFCNPJ")).AsString();
}

void TRegrasCotacao::DesabilitarControles()
{
    TTabelasCotacao &t = m_tabelas;
    for (TMemoryTable *tabela : {&t.mmItens, &t.mmDados, &t.mmGrupos, &t.mmCotas})
        tabela->DisableControls();
}

void TRegrasCotacao::HabilitarControles()
{
    TTabelasCotacao &t = m_tabelas;
    for (TMemoryTable *tabela : {&t.mmItens, &t.mmDados, &t.mmGrupos, &t.mmCotas})
        tabela->EnableControls();
}

void TRegrasCotacao::GuardarPosicoes()
{
    MarcadorItens = m_tabelas.mmItens.GetBookmark();
    MarcadorGrupos = m_tabelas.mmGrupos.GetBookmark();
    MarcadorCotas = m_tabelas.mmCotas.GetBookmark();
}

void TRegrasCotacao::RestaurarPosicoes()
{
    // The lot and the quota first: their after-scroll narrows the items again, so that the
    // remembered item is among those shown.
    m_tabelas.mmGrupos.GotoBookmark(MarcadorGrupos);
    m_tabelas.mmCotas.GotoBookmark(MarcadorCotas);
    m_tabelas.mmItens.GotoBookmark(MarcadorItens);
}
