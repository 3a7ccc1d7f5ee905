#include "model/uTabelasCotacao.h"

#include "common/uFuncoesLicitacao.h"
#include "messages/uExpLog.h"
#include "model/uVTExpImpCotacaoItem.h"

#include <QStringView>

#include <initializer_list>

namespace {

enum TExibicao : unsigned { Oculto = 1, AEsquerda = 2, Obrigatorio = 4 };

// One field as the window declares it. A zero width or an empty label keeps the field's own.
struct TCampoDeclarado
{
    const char16_t *nome;
    TFieldType tipo;
    int tamanho = 0;
    const char16_t *rotulo = u"";
    int largura = 0;
    unsigned exibicao = 0;
    TFieldKind tipoCampo = fkData;
    const char16_t *formato = u"";
};

void Declarar(TMemoryTable &tabela, std::initializer_list<TCampoDeclarado> campos)
{
    for (const TCampoDeclarado &d : campos) {
        TField &campo
            = tabela.AdicionarCampo(QStringView(d.nome).toString(), d.tipo, d.tamanho, d.tipoCampo);
        const QStringView rotulo(d.rotulo);
        if (!rotulo.isEmpty())
            campo.SetDisplayLabel(rotulo.toString());
        if (d.largura > 0)
            campo.SetDisplayWidth(d.largura);
        if (d.exibicao & Oculto)
            campo.SetVisible(false);
        if (d.exibicao & AEsquerda)
            campo.SetAlignment(Qt::AlignLeft);
        if (d.exibicao & Obrigatorio)
            campo.SetRequired(true);
        const QStringView formato(d.formato);
        if (!formato.isEmpty())
            campo.SetDisplayFormat(formato.toString());
    }
}

void DeclararDados(TMemoryTable &t)
{
    Declarar(t,
        {
            {u"ELICODIGOCLIENTE", ftInteger},
            {u"ELISERIE", ftInteger},
            {u"ELIBRASAORELATORIO", ftGraphic},
            {u"ELIDESCRICAO", ftString, 255},
            {u"Ano", ftInteger},
            {u"Sequencia", ftInteger},
            {u"FormaJulgamento", ftString, 2},
            {u"Objeto", ftMemo},
            {u"TipoCotacao", ftInteger},
            {u"FormaEntregaTipo", ftString, 2},
            {u"FormaEntregaPrazo", ftMemo},
            {u"FormaEntregaLocal", ftMemo},
            {u"PrazoEntregaData", ftDate},
            {u"PrazoEntregaHora", ftTime, 0, u"", 0, 0, fkData, u"hh:mm"},
            {u"PrazoEntregaLocal", ftMemo},
            {u"LICNUMEROALFA", ftString, 20},
            {u"LICMODALIDADE", ftString, 2},
            {u"LICTIPO", ftString, 2},
            {u"LICVALORTOTALLICITADO", ftFloat},
            {u"ValorTotalCotado", ftFloat},
            {u"LICLOCALABERTURA", ftMemo},
            {u"LICDATAABERTURA", ftDate},
            {u"LICHORAABERTURA", ftTime, 0, u"", 0, 0, fkData, u"hh:mm"},
            {u"LICREGISTROPRECOS", ftBoolean},
            {u"FornecedorCPFCNPJ", ftString, 18},
            {u"LICTRATAMENTO", ftInteger, 0, u"Tratamento"},
            {u"DataEmissao", ftDate},
            {u"Observacao", ftMemo},
            // Calculated without a calculation: the fill writes the survey's code and the row
            // keeps it.
            {u"CODIGOPESQUISA", ftInteger, 0, u"", 0, 0, fkCalculated},
        });
}

void DeclararGrupos(TMemoryTable &t)
{
    Declarar(t,
        {
            {u"CodGrupo", ftSmallint, 0, u"Código", 0, AEsquerda},
            {u"Tratamento", ftInteger, 0, u"Tratamento", 20, AEsquerda},
            {u"DescGrupo", ftString, 70, u"Descrição do lote"},
            {u"VlTotal", ftFloat, 0, u"Valor total (R$)"},
        });
}

void DeclararItens(TMemoryTable &t)
{
    Declarar(t,
        {
            {u"Item", ftSmallint, 0, u"Item", 5, AEsquerda | Obrigatorio},
            {u"Tratamento", ftInteger, 0, u"Tratamento", 20, AEsquerda},
            {u"CodMaterial", ftInteger, 0, u"", 0, Oculto},
            {u"DescMaterial", ftString, 900, u"Material/Serviço", 40},
            {u"QtdLicitada", ftFloat, 0, u"Quantidade", 12},
            {u"VlEstimado", ftFloat, 0, u"Valor Un. Estimado (R$)", 15},
            {u"VlCotado", ftFloat, 0, u"Valor Un. Cotado (R$)", 15},
            {u"QtdMinima", ftFloat, 0, u"Qtd. Minima", 12, Oculto | AEsquerda},
            {u"CodGrupo", ftSmallint, 0, u"", 0, Oculto | AEsquerda},
            {u"VlMaximo", ftFloat, 0, u"Valor Máximo (R$)"},
            {u"ITEMMARCA", ftString, 20, u"Marca"},
            {u"calcVlTotalCotado", ftFloat, 0, u"", 0, Oculto, fkCalculated},
            {u"itemobservacao", ftString, 255, u"Observação", 60},
        });
}

void DeclararCotas(TMemoryTable &t)
{
    Declarar(t,
        {
            {u"CotaCodigo", ftInteger, 0, u"", 0, Oculto},
            {u"CotaDescricao", ftString, 20, u"Cota", 100},
            {u"ValorTotal", ftFloat, 0, u"Valor total (R$)"},
        });
}

void DeclararFornecedor(TMemoryTable &t)
{
    Declarar(t,
        {
            {u"FORRAZAOSOCIAL", ftString, 80},
            {u"FORNOMEFANTASIA", ftString, 80},
            {u"FORCPFCNPJ", ftString, 18},
            {u"FORENDERECO", ftString, 120},
            {u"FORCIDADE", ftString, 100},
            {u"FORESTADO", ftString, 50},
            {u"FORCEP", ftString, 15},
            {u"FOREMAIL", ftString, 50},
            {u"FORFONEEMPRESA", ftString, 20},
            {u"FORFAXEMPRESA", ftString, 20},
            {u"FORREPRESENTANTE", ftString, 20},
            {u"FORFONEREPRESENTANTE", ftString, 20},
            {u"FORBANCO", ftString, 20},
            {u"FORAGENCIA", ftString, 20},
            {u"FORCONTACORRENTE", ftString, 20},
        });
}

void Formatar(TField *campo, const char16_t *exibicao, const char16_t *edicao = u"")
{
    campo->SetDisplayFormat(QStringView(exibicao).toString());
    campo->SetEditFormat(QStringView(edicao).toString());
}

double ValorOuZero(const TField &campo)
{
    return campo.IsNull() ? 0.0 : campo.AsFloat();
}

void TextoDoTratamento(TField &campo, QString &texto)
{
    texto = NomeTratamento(campo.IsNull() ? 0 : campo.AsInteger());
}

} // namespace

TTabelasCotacao::TTabelasCotacao()
    : mmDados(QStringLiteral("mmDados"))
    , mmGrupos(QStringLiteral("mmGrupos"))
    , mmItens(QStringLiteral("mmItens"))
    , mmCotas(QStringLiteral("mmCotas"))
    , mmForneced(QStringLiteral("mmForneced"))
{
    DeclararDados(mmDados);
    DeclararGrupos(mmGrupos);
    DeclararItens(mmItens);
    DeclararCotas(mmCotas);
    DeclararFornecedor(mmForneced);

    // The header computes its calculated fields when a row is fetched, not on every change;
    // the lots and quotas recompute theirs before a filter test.
    mmDados.AutoCalcFields = false;
    mmGrupos.RecalcOnIndex = true;
    mmCotas.RecalcOnIndex = true;

    const auto campo = [](TMemoryTable &tabela, const char *nome) {
        return &tabela.FieldByName(QLatin1String(nome));
    };
    mmDadosFormaJulgamento = campo(mmDados, "FormaJulgamento");
    mmDadosFormaEntregaTipo = campo(mmDados, "FormaEntregaTipo");
    mmDadosPrazoEntregaHora = campo(mmDados, "PrazoEntregaHora");
    mmDadosLICMODALIDADE = campo(mmDados, "LICMODALIDADE");
    mmDadosLICVALORTOTALLICITADO = campo(mmDados, "LICVALORTOTALLICITADO");
    mmDadosValorTotalCotado = campo(mmDados, "ValorTotalCotado");
    mmDadosLICHORAABERTURA = campo(mmDados, "LICHORAABERTURA");
    mmDadosLICREGISTROPRECOS = campo(mmDados, "LICREGISTROPRECOS");
    mmDadosLICTRATAMENTO = campo(mmDados, "LICTRATAMENTO");
    mmGruposTratamento = campo(mmGrupos, "Tratamento");
    mmGruposVlTotal = campo(mmGrupos, "VlTotal");
    mmItensTratamento = campo(mmItens, "Tratamento");
    mmItensQtdLicitada = campo(mmItens, "QtdLicitada");
    mmItensVlEstimado = campo(mmItens, "VlEstimado");
    mmItensVlCotado = campo(mmItens, "VlCotado");
    mmItensVlMaximo = campo(mmItens, "VlMaximo");
    mmItenscalcVlTotalCotado = campo(mmItens, "calcVlTotalCotado");
    mmCotasValorTotal = campo(mmCotas, "ValorTotal");

    mmItens.AfterOpen = [this](TMemoryTable &t) { mmItensAfterOpen(t); };
    mmGrupos.AfterOpen = [this](TMemoryTable &t) { mmGruposAfterOpen(t); };
    mmDados.AfterOpen = [this](TMemoryTable &t) { mmDadosAfterOpen(t); };
    mmCotas.AfterOpen = [this](TMemoryTable &t) { mmCotasAfterOpen(t); };
    mmItens.OnCalcFields = [this](TMemoryTable &t) { mmItensCalcFields(t); };

    mmDadosFormaJulgamento->OnGetText = mmDadosFormaJulgamentoGetText;
    mmDadosLICTRATAMENTO->OnGetText = mmDadosLICTRATAMENTOGetText;
    mmGruposTratamento->OnGetText = mmGruposTratamentoGetText;
    mmItensTratamento->OnGetText = mmItensTratamentoGetText;
    mmDadosLICREGISTROPRECOS->OnGetText = mmDadosLICREGISTROPRECOSGetText;
    mmDadosLICMODALIDADE->OnGetText = mmDadosLICMODALIDADEGetText;
    mmDadosFormaEntregaTipo->OnGetText = mmDadosFormaEntregaTipoGetText;
}

void TTabelasCotacao::Abrir()
{
    for (TMemoryTable *tabela : {&mmDados, &mmGrupos, &mmItens, &mmForneced, &mmCotas})
        tabela->Open();
    // Leaving a lot or a quota posts a pending item first.
    mmGrupos.HabilitaBeforeScroll = true;
    mmCotas.HabilitaBeforeScroll = true;
}

void TTabelasCotacao::Fechar()
{
    for (TMemoryTable *tabela : {&mmGrupos, &mmItens, &mmDados, &mmForneced, &mmCotas})
        tabela->Close();
}

void TTabelasCotacao::PrepararParaCarga()
{
    for (TMemoryTable *tabela : {&mmItens, &mmGrupos, &mmDados, &mmCotas})
        PrepararTabela(*tabela);
    mmItens.SetFiltered(false);
    mmItens.SetFilter(QString());
}

void TTabelasCotacao::mmItensAfterOpen(TMemoryTable &)
{
    Formatar(mmItensQtdLicitada, u"#.#####");
    Formatar(mmItensVlEstimado, u"#,#####0.00000###;0; ");
    Formatar(mmItensVlCotado, u"#,##0.00000;0; ", u"0.00000;0");
    Formatar(mmItenscalcVlTotalCotado, u"#,##0.00;0; ");
    Formatar(mmItensVlMaximo, u"#,#####0.00###;0; ");
}

void TTabelasCotacao::mmGruposAfterOpen(TMemoryTable &)
{
    Formatar(mmGruposVlTotal, u"#,##0.00;0; ", u"0.00;0");
}

void TTabelasCotacao::mmDadosAfterOpen(TMemoryTable &)
{
    Formatar(mmDadosValorTotalCotado, u"#,##0.00", u"0.00;0");
    Formatar(mmDadosLICVALORTOTALLICITADO, u"#,##0.00");
}

void TTabelasCotacao::mmCotasAfterOpen(TMemoryTable &)
{
    Formatar(mmCotasValorTotal, u"#,##0.00;0; ", u"0.00;0");
}

void TTabelasCotacao::mmItensCalcFields(TMemoryTable &)
{
    const long double total = static_cast<long double>(ValorOuZero(*mmItensQtdLicitada))
        * ValorOuZero(*mmItensVlCotado);
    mmItenscalcVlTotalCotado->SetAsFloat(static_cast<double>(Arredondar(3, total)));
}

void TTabelasCotacao::mmDadosFormaJulgamentoGetText(TField &campo, QString &texto, bool)
{
    const QString codigo = campo.AsString().left(2);
    if (codigo == QLatin1String("Pi"))
        texto = QStringLiteral("Por item");
    else if (codigo == QLatin1String("Gl"))
        texto = QStringLiteral("Global");
    else if (codigo == QLatin1String("Gi"))
        texto = QStringLiteral("Lote");
    else
        texto.clear();
}

void TTabelasCotacao::mmDadosLICTRATAMENTOGetText(TField &campo, QString &texto, bool)
{
    TextoDoTratamento(campo, texto);
}

void TTabelasCotacao::mmGruposTratamentoGetText(TField &campo, QString &texto, bool)
{
    TextoDoTratamento(campo, texto);
}

void TTabelasCotacao::mmItensTratamentoGetText(TField &campo, QString &texto, bool)
{
    TextoDoTratamento(campo, texto);
}

void TTabelasCotacao::mmDadosLICREGISTROPRECOSGetText(TField &campo, QString &texto, bool)
{
    texto = EscolherTexto(
        !campo.IsNull() && campo.AsBoolean(), QStringLiteral("Sim"), QStringLiteral("Não"));
}

void TTabelasCotacao::mmDadosLICMODALIDADEGetText(TField &campo, QString &texto, bool)
{
    texto = NomeModalidade(campo.AsString());
}

void TTabelasCotacao::mmDadosFormaEntregaTipoGetText(TField &campo, QString &texto, bool)
{
    texto = NomeFormaEntrega(campo.AsString());
}

void PrepararTabela(TMemoryTable &tabela)
{
    for (int i = 0; i < tabela.FieldCount(); ++i)
        tabela.Fields(i).SetReadOnly(false);
    tabela.EmptyTable();
}

void PreencherCotas(TMemoryTable &mmCotas)
{
    TImpExpLogManager &log = ObterLogManager();
    log.AdicionarMensagem(QStringLiteral("Importando cotas para a tabela de memória"));
    try {
        TField &codigo = mmCotas.FieldByName(QStringLiteral("COTACODIGO"));
        TField &descricao = mmCotas.FieldByName(QStringLiteral("COTADESCRICAO"));
        TField &total = mmCotas.FieldByName(QStringLiteral("VALORTOTAL"));
        for (const qint32 cota : {4, 3}) {
            mmCotas.Append();
            codigo.SetAsInteger(cota);
            descricao.SetAsString(NomeTratamento(cota));
            total.SetAsFloat(0);
            mmCotas.Post();
        }
    } catch (...) {
        log.AdicionarErro(QStringLiteral("Erro ao importar as cotas para a tabela de memória."));
        throw;
    }
    log.AdicionarMensagem(QStringLiteral("Cotas importadas com sucesso."));
}
