#include "report/ufmQRCotacao.h"

#include "common/uFuncoesLicitacao.h"
#include "components/MemTable.h"
#include "model/uTabelasCotacao.h"

#include <QStringView>

namespace {

// One column of the item lists: its title, its field and its place in the band.
struct TColuna
{
    const char16_t *titulo;
    const char16_t *campo;
    double esquerda;
    double largura;
    Qt::Alignment alinhamento;
    bool estica;
};

constexpr Qt::Alignment Esquerda = Qt::AlignLeft;
constexpr Qt::Alignment Direita = Qt::AlignRight;
constexpr Qt::Alignment Centro = Qt::AlignHCenter;

const TColuna ColunasItens[] = {
    {u"Item", u"Item", 0.2, 8.8, Centro, true},
    {u"Tratamento", u"Tratamento", 11.0, 17.6, Esquerda, true},
    {u"Descrição do item", u"DescMaterial", 30.9, 66.1, Esquerda, true},
    {u"Marca", u"ITEMMARCA", 98.8, 13.2, Esquerda, false},
    {u"Quantidade", u"QtdLicitada", 114.7, 17.6, Centro, false},
    {u"Valor unitário (R$)", u"VlCotado", 134.5, 28.7, Direita, false},
    {u"Valor total (R$)", u"calcVlTotalCotado", 164.9, 24.3, Direita, false},
};

// The lot's item columns, shifted to the right of the lot's rule.
const TColuna ColunasItensGrupo[] = {
    {u"Item", u"Item", 2.4, 8.8, Centro, true},
    {u"Tratamento", u"Tratamento", 13.2, 17.6, Esquerda, true},
    {u"Descrição do item", u"DescMaterial", 33.1, 63.9, Esquerda, true},
    {u"Marca", u"ITEMMARCA", 98.8, 13.2, Esquerda, false},
    {u"Quantidade", u"QtdLicitada", 114.7, 17.6, Esquerda, false},
    {u"Valor unitário (R$)", u"VlCotado", 134.5, 28.7, Direita, false},
    {u"Valor total (R$)", u"calcVlTotalCotado", 164.9, 24.3, Direita, false},
};

// Texts of a 9 pt list line start a little below the band's top.
constexpr double TopoLinha = 0.6;
constexpr double PixelsRegua = 2;

QString Texto(const char16_t *texto)
{
    return QStringView(texto).toString();
}

QString Campo(TMemoryTable &tabela, const QString &nome)
{
    return tabela.FieldByName(nome).AsString();
}

template<std::size_t N>
void CriarTitulos(TBandaRelatorio &banda, const TColuna (&colunas)[N])
{
    for (const TColuna &coluna : colunas) {
        banda
            .Adicionar<TRotuloRelatorio>(coluna.esquerda, TopoLinha, coluna.largura,
                FonteRelatorio(9, true), Texto(coluna.titulo))
            .SetAlinhamento(coluna.alinhamento);
    }
}

template<std::size_t N>
void CriarCampos(TBandaRelatorio &banda, TMemoryTable &tabela, const TColuna (&colunas)[N])
{
    for (const TColuna &coluna : colunas) {
        auto &campo = banda.Adicionar<TCampoRelatorio>(coluna.esquerda, TopoLinha, coluna.largura,
            FonteRelatorio(9), tabela, Texto(coluna.campo));
        campo.SetAlinhamento(coluna.alinhamento);
        campo.SetEstica(coluna.estica);
    }
}

// The items of one lot: those of its code and, for a quota lot, of its treatment.
QString FiltroDoLote(int codGrupo, int tratamento)
{
    QString filtro = QStringLiteral(" CODGRUPO = ") + QString::number(codGrupo);
    if (tratamento == 3 || tratamento == 4)
        filtro += QStringLiteral(" AND TRATAMENTO = ") + QString::number(tratamento);
    return filtro;
}

} // namespace

TfmQRCotacao::TfmQRCotacao(TTabelasCotacao &tabelas, QObject *dono)
    : QObject(dono)
    , m_mmDados(tabelas.mmDados)
    , m_mmForneced(tabelas.mmForneced)
    , m_mmItens(tabelas.mmItens)
    , m_mmGrupos(tabelas.mmGrupos)
{
    qrPrincipal.TabelaPrincipal = &m_mmDados;
    qrPrincipal.AntesImprimir = [this](TRelatorio &r) { qrPrincipalBeforePrint(r); };
    qrPrincipal.AposImprimir = [this](TRelatorio &r) { qrPrincipalAfterPrint(r); };
    CriarTitulo();
    CriarListaItens();
    CriarListaGrupos();
    CriarAssinatura();
}

TfmQRCotacao::~TfmQRCotacao() = default;

void TfmQRCotacao::CriarTitulo()
{
    qrtitulo = &qrPrincipal.AdicionarBanda(QStringLiteral("qrtitulo"), 19.8);
    qrtitulo->AntesImprimir = [this](TBandaRelatorio &b, bool &i) { qrtituloBeforePrint(b, i); };
    qrlbModalidadeNrLicTitulo
        = &qrtitulo->Adicionar<TRotuloRelatorio>(62.7, 2.1, 66.7, FonteRelatorio(11, true));
    qrlbModalidadeNrLicTitulo->SetAlinhamento(Qt::AlignHCenter);
    qrtitulo->Adicionar<TRotuloRelatorio>(
        72.8, 10.4, 0, FonteRelatorio(11, true), QStringLiteral("PROPOSTA COMERCIAL"));

    CriarDadosEmpresa(*qrtitulo);

    qrChdBandObjResumido
        = &qrChdBandDadosEmpresa->AdicionarFilha(QStringLiteral("qrChdBandObjResumido"), 15.9);
    qrChdBandObjResumido->Adicionar<TRotuloRelatorio>(
        0, 4.2, 0, FonteRelatorio(10), QStringLiteral("A presente proposta tem como objeto:"));
    qrChdBandObjResumido
        ->Adicionar<TCampoRelatorio>(
            0, 9.3, 189.2, FonteRelatorio(10), m_mmDados, QStringLiteral("Objeto"))
        .SetEstica(true);

    qrchbModalidadeNrAlfa
        = &qrChdBandObjResumido->AdicionarFilha(QStringLiteral("qrchbModalidadeNrAlfa"), 9.7);
    qrchbModalidadeNrAlfa->AntesImprimir
        = [this](TBandaRelatorio &b, bool &i) { qrchbModalidadeNrAlfaBeforePrint(b, i); };
    qrlbConstantesEdital
        = &qrchbModalidadeNrAlfa->Adicionar<TRotuloRelatorio>(0, 2.0, 189.4, FonteRelatorio(10));
    qrlbConstantesEdital->SetEstica(true);
}

void TfmQRCotacao::CriarDadosEmpresa(TBandaRelatorio &titulo)
{
    qrChdBandDadosEmpresa = &titulo.AdicionarFilha(QStringLiteral("qrChdBandDadosEmpresa"), 60.9);
    qrChdBandDadosEmpresa->AntesImprimir
        = [this](TBandaRelatorio &b, bool &i) { qrChdBandDadosEmpresaBeforePrint(b, i); };

    struct TLinhaEmpresa
    {
        double topo;
        const char16_t *rotulo;
        const char16_t *campo;
        double largura;
        bool desligaVazio; // an empty value switches its text off
    };
    const TLinhaEmpresa linhas[] = {
        {1.5, u"Razão social:", u"FORRAZAOSOCIAL", 161.4, true},
        {7.1, u"Nome Fantasia:", u"FORNOMEFANTASIA", 161.4, true},
        {12.6, u"CPF/CNPJ:", u"FornecedorCPFCNPJ", 161.4, false},
        {18.1, u"Endereço:", u"FORENDERECO", 93.3, true},
        {23.6, u"Cidade:", u"FORCIDADE", 161.4, true},
        {29.1, u"Estado:", u"FORESTADO", 161.4, true},
        {34.6, u"Telefone:", u"FORFONEEMPRESA", 161.4, true},
        {40.1, u"Fax:", u"FORFAXEMPRESA", 161.4, false},
        {45.6, u"e-Mail:", u"FOREMAIL", 161.4, false},
        {50.7, u"Representante:", u"FORREPRESENTANTE", 161.4, false},
        {56.2, u"Telefone:", u"FORFONEREPRESENTANTE", 161.4, true},
    };
    TBandaRelatorio &banda = *qrChdBandDadosEmpresa;
    const auto adicionarLinha
        = [&](double topo, double esquerdaRotulo, double larguraRotulo, const QString &rotulo,
              double esquerdaValor, double larguraValor, TMemoryTable &tabela, const QString &campo,
              bool desligaVazio) {
              banda
                  .Adicionar<TRotuloRelatorio>(
                      esquerdaRotulo, topo, larguraRotulo, FonteRelatorio(10), rotulo)
                  .SetAlinhamento(Qt::AlignRight);
              auto &valor = banda.Adicionar<TCampoRelatorio>(
                  esquerdaValor, topo, larguraValor, FonteRelatorio(10, true), tabela, campo);
              if (desligaVazio)
                  m_valoresEmpresa.push_back(&valor);
          };
    for (const TLinhaEmpresa &linha : linhas) {
        TMemoryTable &tabela
            = QStringView(linha.campo) == u"FornecedorCPFCNPJ" ? m_mmDados : m_mmForneced;
        adicionarLinha(linha.topo, 0.9, 26.5, Texto(linha.rotulo), 28.2, linha.largura, tabela,
            Texto(linha.campo), linha.desligaVazio);
    }
    adicionarLinha(18.1, 154.3, 11.0, QStringLiteral("CEP:"), 166.2, 23.4, m_mmForneced,
        QStringLiteral("FORCEP"), true);
}

void TfmQRCotacao::CriarListaItens()
{
    sdItemListagem
        = &qrPrincipal.AdicionarDetalhe(QStringLiteral("sdItemListagem"), 4.9, m_mmItens);
    sdItemListagem->AntesImprimir
        = [this](TBandaRelatorio &b, bool &i) { sdItemListagemBeforePrint(b, i); };
    CriarCampos(*sdItemListagem, m_mmItens, ColunasItens);

    ghbItemMenu = &sdItemListagem->CriarCabecalho(QStringLiteral("ghbItemMenu"), 5.3);
    CriarTitulos(*ghbItemMenu, ColunasItens);
    ghbItemMenu->Adicionar<TLinhaRelatorio>(0, 4.9, TLinhaRelatorio::AteABorda, PixelsRegua);

    qrchbobservacao = &sdItemListagem->AdicionarFilha(QStringLiteral("qrchbobservacao"), 3.7);
    qrchbobservacao->AntesImprimir
        = [this](TBandaRelatorio &b, bool &i) { qrchbobservacaoBeforePrint(b, i); };
    qrchbobservacao->Adicionar<TRotuloRelatorio>(
        9.9, 0.2, 0, FonteRelatorio(8, true), QStringLiteral("Observação:"));
    qrchbobservacao
        ->Adicionar<TCampoRelatorio>(
            30.0, 0.2, 159.6, FonteRelatorio(8), m_mmItens, QStringLiteral("itemobservacao"))
        .SetEstica(true);

    chItemBarra = &qrchbobservacao->AdicionarFilha(QStringLiteral("chItemBarra"), 0.9);
    chItemBarra->Adicionar<TLinhaRelatorio>(0, 0.3, TLinhaRelatorio::AteABorda);
}

void TfmQRCotacao::CriarListaGrupos()
{
    sdGruposListagem
        = &qrPrincipal.AdicionarDetalhe(QStringLiteral("sdGruposListagem"), 5.5, m_mmGrupos);
    sdGruposListagem->AntesImprimir
        = [this](TBandaRelatorio &b, bool &i) { sdGruposListagemBeforePrint(b, i); };
    sdGruposListagem
        ->Adicionar<TCampoRelatorio>(
            0, TopoLinha, 189.8, FonteRelatorio(9), m_mmGrupos, QStringLiteral("DescGrupo"))
        .SetEstica(true);
    sdGruposListagem->Adicionar<TLinhaRelatorio>(0, 5.1, TLinhaRelatorio::AteABorda, PixelsRegua);

    ghbGruposMenu = &sdGruposListagem->CriarCabecalho(QStringLiteral("ghbGruposMenu"), 5.3);
    ghbGruposMenu->Adicionar<TRotuloRelatorio>(
        0, TopoLinha, 0, FonteRelatorio(9, true), QStringLiteral("Grupos"));

    sdGrupoItemListagem = &sdGruposListagem->AdicionarSubDetalhe(
        QStringLiteral("sdGrupoItemListagem"), 5.3, m_mmItens);
    CriarCampos(*sdGrupoItemListagem, m_mmItens, ColunasItensGrupo);

    ghbGrupoItemMenu
        = &sdGrupoItemListagem->CriarCabecalho(QStringLiteral("ghbGrupoItemMenu"), 5.3);
    CriarTitulos(*ghbGrupoItemMenu, ColunasItensGrupo);
    ghbGrupoItemMenu->Adicionar<TLinhaRelatorio>(4.6, 4.9, TLinhaRelatorio::AteABorda, PixelsRegua);

    gfbGrupoTotal = &sdGrupoItemListagem->CriarRodape(QStringLiteral("gfbGrupoTotal"), 5.7);
    gfbGrupoTotal->AntesImprimir
        = [this](TBandaRelatorio &b, bool &i) { gfbGrupoTotalBeforePrint(b, i); };
    gfbGrupoTotal->Adicionar<TLinhaRelatorio>(0, 0, TLinhaRelatorio::AteABorda);
    qrlbGrupoTotal
        = &gfbGrupoTotal->Adicionar<TRotuloRelatorio>(0.9, 1.0, 154.8, FonteRelatorio(9, true));
    qrlbGrupoTotal->SetAlinhamento(Qt::AlignRight);
    gfbGrupoTotal
        ->Adicionar<TCampoRelatorio>(
            155.2, 1.0, 34.4, FonteRelatorio(9, true), m_mmGrupos, QStringLiteral("VlTotal"))
        .SetAlinhamento(Qt::AlignRight);
}

void TfmQRCotacao::CriarAssinatura()
{
    qrBndAssinatura = &qrPrincipal.AdicionarBanda(QStringLiteral("qrBndAssinatura"), 62.6);
    TBandaRelatorio &banda = *qrBndAssinatura;
    banda.Adicionar<TRotuloRelatorio>(
        0.2, 12.8, 0, FonteRelatorio(10, true), QStringLiteral("Valor total proposto:"));
    banda
        .Adicionar<TCampoRelatorio>(36.2, 12.8, 41.5, FonteRelatorio(10, true), m_mmDados,
            QStringLiteral("ValorTotalCotado"))
        .AlinhaValor()
        .SetTipoAlinhaValor(tavValorTotalComCifrao);
    banda.Adicionar<TRotuloRelatorio>(0, 26.0, 0, FonteRelatorio(10, true),
        QStringLiteral("Concordamos com todas as exigências do edital."));
    banda.Adicionar<TLinhaRelatorio>(42.3, 51.9, 108.2);
    banda.Adicionar<TRotuloRelatorio>(48.5, 52.5, 0, FonteRelatorio(8),
        QStringLiteral("Nome completo, assinatura do responsável legal e carimbo da empresa"));
    banda.Adicionar<TRotuloRelatorio>(
        84.7, 56.9, 0, FonteRelatorio(8), QStringLiteral("LOCAL/DATA"));
}

QString TfmQRCotacao::FormaJulgamento() const
{
    return Campo(m_mmDados, QStringLiteral("FormaJulgamento"));
}

QString TfmQRCotacao::TituloLicitacao() const
{
    return NomeModalidade(Campo(m_mmDados, QStringLiteral("LICMODALIDADE")))
        + QStringLiteral(" nº ") + Campo(m_mmDados, QStringLiteral("LICNUMEROALFA"));
}

QString TfmQRCotacao::DeclaracaoEdital() const
{
    return QStringLiteral("De acordo com as especificações constantes do edital licitatório do ")
        + TituloLicitacao() + QStringLiteral(", em especial seu anexo I - Termo de Referência.");
}

void TfmQRCotacao::qrPrincipalBeforePrint(TRelatorio &)
{
    m_filtroItens = m_mmItens.Filter();
    m_itensFiltrados = m_mmItens.Filtered();
    const QString forma = FormaJulgamento();
    const bool porLote = forma == QLatin1String("Gi");
    sdItemListagem->Habilitada = !porLote;
    ghbItemMenu->Habilitada = !porLote;
    chItemBarra->Habilitada = !porLote;
    sdGruposListagem->Habilitada = porLote;
    // A global tender lists every item, whichever quota the window is showing.
    if (forma == QLatin1String("Gl"))
        m_mmItens.SetFiltered(false);
}

void TfmQRCotacao::qrPrincipalAfterPrint(TRelatorio &)
{
    m_mmItens.SetFiltered(false);
    m_mmItens.SetFilter(m_filtroItens);
    m_mmItens.SetFiltered(m_itensFiltrados);
}

void TfmQRCotacao::qrtituloBeforePrint(TBandaRelatorio &, bool &)
{
    qrlbModalidadeNrLicTitulo->Caption = TituloLicitacao();
}

void TfmQRCotacao::qrChdBandDadosEmpresaBeforePrint(TBandaRelatorio &, bool &)
{
    for (TCampoRelatorio *valor : m_valoresEmpresa)
        valor->Habilitado = !valor->Texto().trimmed().isEmpty();
}

void TfmQRCotacao::qrchbModalidadeNrAlfaBeforePrint(TBandaRelatorio &, bool &)
{
    qrlbConstantesEdital->Caption = DeclaracaoEdital();
}

void TfmQRCotacao::sdItemListagemBeforePrint(TBandaRelatorio &, bool &imprimir)
{
    // A per-item proposal leaves out the items without a price, separator included.
    if (FormaJulgamento() == QLatin1String("Pi")) {
        imprimir = m_mmItens.FieldByName(QStringLiteral("VlCotado")).AsFloat() > 0;
        chItemBarra->Habilitada = imprimir;
    }
    m_itemImpresso = imprimir;
}

void TfmQRCotacao::qrchbobservacaoBeforePrint(TBandaRelatorio &, bool &imprimir)
{
    // An observation belongs under its item: it never prints for an item left out.
    imprimir = m_itemImpresso && !Campo(m_mmItens, QStringLiteral("itemobservacao")).isEmpty();
}

void TfmQRCotacao::sdGruposListagemBeforePrint(TBandaRelatorio &, bool &imprimir)
{
    imprimir = m_mmGrupos.FieldByName(QStringLiteral("VlTotal")).AsFloat() > 0;
    ghbGrupoItemMenu->Habilitada = imprimir;
    sdGrupoItemListagem->Habilitada = imprimir;
    gfbGrupoTotal->Habilitada = imprimir;
    if (!imprimir)
        return;
    // The lot's items, as the window's lot-change rule narrows them.
    m_mmItens.SetFiltered(false);
    m_mmItens.SetFilter(FiltroDoLote(m_mmGrupos.FieldByName(QStringLiteral("CodGrupo")).AsInteger(),
        m_mmGrupos.FieldByName(QStringLiteral("Tratamento")).AsInteger()));
    m_mmItens.SetFiltered(true);
}

void TfmQRCotacao::gfbGrupoTotalBeforePrint(TBandaRelatorio &, bool &)
{
    qrlbGrupoTotal->Caption = QStringLiteral("Valor total do ")
        + Campo(m_mmGrupos, QStringLiteral("DescGrupo")) + QLatin1Char(':');
}
