#include "exchange/uVTExpImpCotacaoJson.h"

#include "common/uJson.h"
#include "model/uVTExpImpCotacaoDados.h"

namespace {

// An array of the quantidade elements that json(indice) writes.
template<typename FJson>
QString ListaParaJson(int quantidade, FJson json)
{
    QStringList valores;
    valores.reserve(quantidade);
    for (int indice = 0; indice < quantidade; ++indice)
        valores.append(json(indice));
    return ListaJson(valores);
}

QString ItensParaJson(const TItens &itens)
{
    return ListaParaJson(itens.Count(), [&](int i) { return ItemParaJson(itens.Item(i)); });
}

} // namespace

QString ItemParaJson(const TItem &item)
{
    return TObjetoJson()
        .Inteiro(QStringLiteral("Codigo"), item.Codigo)
        .Inteiro(QStringLiteral("CodigoMatServ"), item.CodigoMatServ)
        .Inteiro(QStringLiteral("Tratamento"), item.Tratamento)
        .Texto(QStringLiteral("DescricaoMatServ"), item.DescricaoMatServ)
        .Texto(QStringLiteral("ObjetoResumidoMatServ"), item.ObjetoResumidoMatServ)
        .Texto(QStringLiteral("ObjetoResumidoItem"), item.ObjetoResumidoItem)
        .Texto(QStringLiteral("Marca"), item.Marca)
        .Texto(QStringLiteral("Observacao"), item.Observacao)
        .Real(QStringLiteral("Quantidade"), item.Quantidade)
        .Real(QStringLiteral("QuantidadeMinima"), item.QuantidadeMinima)
        .Real(QStringLiteral("ValorCotado"), item.ValorCotado)
        .Real(QStringLiteral("ValorEstimado"), item.ValorEstimado)
        .Real(QStringLiteral("ValorMaximo"), item.ValorMaximo)
        .Escrito();
}

QString GrupoParaJson(const TGrupo &grupo)
{
    return TObjetoJson()
        .Inteiro(QStringLiteral("Codigo"), grupo.Codigo)
        .Texto(QStringLiteral("Descricao"), grupo.Descricao)
        .Real(QStringLiteral("Valor"), grupo.Valor)
        .Inteiro(QStringLiteral("Tratamento"), grupo.Tratamento)
        .Json(QStringLiteral("Itens"), ItensParaJson(grupo.Itens()))
        .Escrito();
}

QString CotacaoParaJson(const TDadosCotacao &c)
{
    TObjetoJson json;
    json.Inteiro(QStringLiteral("TipoCotacao"), c.TipoCotacao)
        .Inteiro(QStringLiteral("EntidadeCodigo"), c.EntidadeCodigo)
        .Inteiro(QStringLiteral("EntidadeSerie"), c.EntidadeSerie)
        .Texto(QStringLiteral("EntidadeNome"), c.EntidadeNome)
        .Texto(QStringLiteral("BrasaoRelatorio"), c.BrasaoRelatorio)
        .Inteiro(QStringLiteral("Ano"), c.Ano)
        .Inteiro(QStringLiteral("Sequencia"), c.Sequencia)
        .Texto(QStringLiteral("FormaJulgamento"), c.FormaJulgamento)
        .Texto(QStringLiteral("ObjetoResumido"), c.ObjetoResumido)
        .Texto(QStringLiteral("FormaEntrega"), c.FormaEntrega)
        .Texto(QStringLiteral("PrazoEntrega"), c.PrazoEntrega)
        .Texto(QStringLiteral("LocalEntregaMatServ"), c.LocalEntregaMatServ)
        .Texto(QStringLiteral("LocalEntregaProposta"), c.LocalEntregaProposta)
        .Real(QStringLiteral("DataEntregaProposta"), c.DataEntregaProposta)
        .Real(QStringLiteral("HoraEntregaProposta"), c.HoraEntregaProposta)
        .Texto(QStringLiteral("CpfCnpjFornecedor"), c.CpfCnpjFornecedor)
        .Real(QStringLiteral("ValorTotalCotado"), c.ValorTotalCotado)
        .Texto(QStringLiteral("NumeroAlfa"), c.NumeroAlfa)
        .Texto(QStringLiteral("Modalidade"), c.Modalidade)
        .Texto(QStringLiteral("TipoLicitacao"), c.TipoLicitacao)
        .Inteiro(QStringLiteral("Tratamento"), c.Tratamento)
        .Texto(QStringLiteral("LocalAbertura"), c.LocalAbertura)
        .Real(QStringLiteral("DataAbertura"), c.DataAbertura)
        .Real(QStringLiteral("HoraAbertura"), c.HoraAbertura)
        .Real(QStringLiteral("ValorTotalLicitado"), c.ValorTotalLicitado)
        .Logico(QStringLiteral("RegistroPrecos"), c.RegistroPrecos)
        .Inteiro(QStringLiteral("PesquisaCodigo"), c.PesquisaCodigo)
        .Real(QStringLiteral("DataEmissao"), c.DataEmissao)
        .Texto(QStringLiteral("Observacao"), c.Observacao);
    if (c.Itens())
        json.Json(QStringLiteral("Itens"), ItensParaJson(*c.Itens()));
    else
        json.Nulo(QStringLiteral("Itens"));
    if (c.Grupos())
        json.Json(QStringLiteral("Grupos"), ListaParaJson(c.Grupos()->Count(), [&](int i) {
            return GrupoParaJson(c.Grupos()->Grupo(i));
        }));
    else
        json.Nulo(QStringLiteral("Grupos"));
    return json.Escrito();
}
