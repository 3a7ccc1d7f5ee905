#include "common/uExcecoes.h"
#include "exchange/uVTExpImpCotacaoJson.h"
#include "model/uVTExpImpCotacaoGrupos.h"
#include "support/DocumentoTeste.h"
#include "support/ImpressaoQt.h"

namespace {

// Every "item" element of each vocabulary in write order, with text as the writer writes it.
const TFilhos ITEM_LICITACAO = {
    {QStringLiteral("itemcodigo"), QStringLiteral("3")},
    {QStringLiteral("itemqtdlicitada"), QStringLiteral("12,5")},
    {QStringLiteral("itemqtdminima"), QStringLiteral("2")},
    {QStringLiteral("itemvalorcotado"), QStringLiteral("7,12345")},
    {QStringLiteral("itemobjresumido"), QStringLiteral("Caneta azul")},
    {QStringLiteral("matservidigo"), QStringLiteral("100")},
    {QStringLiteral("matserviobjresumido"), QStringLiteral("Caneta")},
    {QStringLiteral("matservidescricao"), QStringLiteral("Caneta esferográfica <azul> & fina")},
    {QStringLiteral("itemvlestimado"), QStringLiteral("8")},
    {QStringLiteral("itemmarca"), QStringLiteral("Bic")},
    {QStringLiteral("itemvalormaximo"), QStringLiteral("9,5")},
    {QStringLiteral("itemobservacao"), QStringLiteral("Entrega em 5 dias")},
    {QStringLiteral("itemtratamento"), QStringLiteral("3")},
};

const TFilhos ITEM_PESQUISA = {
    {QStringLiteral("itemcodigo"), QStringLiteral("4")},
    {QStringLiteral("itemqtd"), QStringLiteral("1E15")},
    {QStringLiteral("itemvalorunitcotado"), QStringLiteral("0,5")},
    {QStringLiteral("itemservmatcod"), QStringLiteral("200")},
    {QStringLiteral("itemservmatdesc"), QStringLiteral("Papel A4")},
    {QStringLiteral("itemmarca"), QStringLiteral("Chamex")},
    {QStringLiteral("itemobservacao"), QStringLiteral("Caixa")},
    {QStringLiteral("itemobjresumido"), QStringLiteral("Resma")},
    {QStringLiteral("matserviobjresumido"), QStringLiteral("Papel")},
};

QString Item(const TFilhos &filhos)
{
    return Envolto(QStringLiteral("item"), Xml(filhos));
}

QString ItemCodigo(int codigo, const QString &valorCotado = QStringLiteral("1"))
{
    return Item({{QStringLiteral("itemcodigo"), QString::number(codigo)},
        {QStringLiteral("itemvalorcotado"), valorCotado}});
}

QString Grupo(int codigo, const QString &itens)
{
    return Envolto(QStringLiteral("grupo"),
        Xml({{QStringLiteral("grupocodigo"), QString::number(codigo)},
            {QStringLiteral("grupodescricao"), QStringLiteral("Lote %1").arg(codigo)},
            {QStringLiteral("grupovalor"), QStringLiteral("10,5")},
            {QStringLiteral("grupotratamento"), QStringLiteral("4")}})
            + itens);
}

QList<int> Codigos(const TItens &itens)
{
    QList<int> codigos;
    for (int i = 0; i < itens.Count(); ++i)
        codigos.append(itens.Item(i).Codigo);
    return codigos;
}

class Listas : public DocumentoTeste
{
protected:
    TElementoLido Elemento(const QString &nome, const QString &conteudo)
    {
        return Cotacao(Envolto(nome, conteudo)).PrimeiroFilho(nome);
    }

    // What a list's writer writes, read back.
    template<typename TLista>
    TElementoLido Gravar(const TLista &lista, void (TLista::*gravar)(TEscritaXML &) const)
    {
        return Gravado([&](TEscritaXML &escrita) { (lista.*gravar)(escrita); });
    }
};

} // namespace

TEST(Tratamento, NamesTheFourCodesOnly)
{
    const std::pair<int, const char *> casos[]
        = {{0, ""}, {1, "Normal"}, {2, "Exclusivo para ME/EPP"}, {3, "Cota Principal"},
            {4, "Cota Reservada"}, {5, ""}, {-1, ""}};
    for (const auto &[codigo, nome] : casos)
        EXPECT_EQ(NomeTratamento(codigo), QString::fromUtf8(nome)) << codigo;
}

TEST(ListasDoModelo, KeepInsertionOrderAndEmptyOnLimpar)
{
    TGrupos grupos;
    for (int codigo : {5, 2, 9}) {
        auto grupo = std::make_unique<TGrupo>();
        grupo->Codigo = codigo;
        grupo->Itens().Adicionar(std::make_unique<TItem>()).Codigo = codigo * 10;
        grupos.Adicionar(std::move(grupo));
    }
    ASSERT_EQ(grupos.Count(), 3);
    EXPECT_EQ(grupos.Grupo(1).Codigo, 2);
    EXPECT_EQ(grupos.Grupo(2).Itens().Item(0).Codigo, 90);
    grupos.Limpar();
    EXPECT_EQ(grupos.Count(), 0);

    const TGrupo novo;
    EXPECT_EQ(novo.Itens().Count(), 0);
    EXPECT_EQ(ItemParaJson(TItem()),
        QStringLiteral(
            "{\"Codigo\":0,\"CodigoMatServ\":0,\"Tratamento\":0,\"DescricaoMatServ\":\"\","
            "\"ObjetoResumidoMatServ\":\"\",\"ObjetoResumidoItem\":\"\",\"Marca\":\"\","
            "\"Observacao\":\"\",\"Quantidade\":0,\"QuantidadeMinima\":0,"
            "\"ValorCotado\":0,\"ValorEstimado\":0,\"ValorMaximo\":0}"));
}

TEST_F(Listas, EachVocabularyReadsAndWritesEveryItemElementInOrder)
{
    struct Caso
    {
        const TFilhos &filhos;
        void (TItens::*ler)(const TElementoLido &);
        void (TItens::*gravar)(TEscritaXML &) const;
        const char *json;
    };
    const Caso casos[] = {
        {ITEM_LICITACAO, &TItens::CarregarDoXMLLicitacao, &TItens::GravarNoXMLLicitacao,
            "{\"Codigo\":3,\"CodigoMatServ\":100,\"Tratamento\":3,"
            "\"DescricaoMatServ\":\"Caneta esferográfica <azul> & fina\","
            "\"ObjetoResumidoMatServ\":\"Caneta\",\"ObjetoResumidoItem\":\"Caneta azul\","
            "\"Marca\":\"Bic\",\"Observacao\":\"Entrega em 5 dias\",\"Quantidade\":12.5,"
            "\"QuantidadeMinima\":2,\"ValorCotado\":7.12345,\"ValorEstimado\":8,"
            "\"ValorMaximo\":9.5}"},
        {ITEM_PESQUISA, &TItens::CarregarDoXMLPesquisa, &TItens::GravarNoXMLPesquisa,
            "{\"Codigo\":4,\"CodigoMatServ\":200,\"Tratamento\":0,"
            "\"DescricaoMatServ\":\"Papel A4\",\"ObjetoResumidoMatServ\":\"Papel\","
            "\"ObjetoResumidoItem\":\"Resma\",\"Marca\":\"Chamex\",\"Observacao\":\"Caixa\","
            "\"Quantidade\":1e+15,\"QuantidadeMinima\":0,\"ValorCotado\":0.5,"
            "\"ValorEstimado\":0,\"ValorMaximo\":0}"},
    };
    for (const Caso &caso : casos) {
        TItens itens;
        (itens.*caso.ler)(Elemento(QStringLiteral("itens"), Item(caso.filhos)));
        ASSERT_EQ(itens.Count(), 1);
        EXPECT_EQ(ItemParaJson(itens.Item(0)), QString::fromUtf8(caso.json));

        const TElementoLido gravado = Gravar(itens, caso.gravar);
        EXPECT_EQ(gravado.Nome(), QStringLiteral("itens"));
        EXPECT_EQ(Folhas(gravado.PrimeiroFilho(QStringLiteral("item"))), caso.filhos);
    }
}

TEST_F(Listas, ASurveyIgnoresTheTenderOnlyElementsOfAnItem)
{
    TItens itens;
    itens.CarregarDoXMLPesquisa(Elemento(QStringLiteral("itens"), Item(ITEM_LICITACAO)));
    ASSERT_EQ(itens.Count(), 1);
    const TItem &item = itens.Item(0);
    EXPECT_EQ(item.Codigo, 3);
    EXPECT_EQ(item.Quantidade, 0); // "itemqtdlicitada" is not the survey's "itemqtd"
    EXPECT_EQ(item.ValorCotado, 0);
    EXPECT_EQ(item.Tratamento, 0);
    EXPECT_EQ(item.ValorMaximo, 0);
    EXPECT_EQ(item.Marca, QStringLiteral("Bic"));

    itens.Item(0).Tratamento = 4;
    itens.Item(0).ValorEstimado = 1;
    EXPECT_EQ(Nomes(Folhas(Gravar(itens, &TItens::GravarNoXMLPesquisa).PrimeiroFilho())),
        Nomes(ITEM_PESQUISA));
}

TEST_F(Listas, ReadsItemsInDocumentOrderAndWritesThemInListOrder)
{
    TItens itens;
    itens.CarregarDoXMLLicitacao(Elemento(QStringLiteral("itens"),
        ItemCodigo(3) + Envolto(QStringLiteral("outro"), QString()) + ItemCodigo(1)
            + ItemCodigo(2)));
    EXPECT_EQ(Codigos(itens), QList<int>({3, 1, 2}));
    EXPECT_EQ(Log(),
        QStringList({QStringLiteral("Carregando itens do arquivo..."),
            QStringLiteral("Itens carregados com sucesso.")}));

    const TElementoLido gravado = Gravar(itens, &TItens::GravarNoXMLLicitacao);
    QList<int> escritos;
    for (TElementoLido item = gravado.PrimeiroFilho(); !item.Nulo(); item = item.ProximoIrmao())
        escritos.append(item.PrimeiroFilho(QStringLiteral("itemcodigo")).Texto().toInt());
    EXPECT_EQ(escritos, QList<int>({3, 1, 2}));
}

TEST_F(Listas, ABadLooseItemKeepsTheItemsBeforeItAndRaises)
{
    TItens itens;
    itens.Adicionar(std::make_unique<TItem>());
    EXPECT_THROW(itens.CarregarDoXMLLicitacao(Elemento(QStringLiteral("itens"),
                     ItemCodigo(1) + ItemCodigo(2, QString()) + ItemCodigo(3))),
        EConvertError);
    EXPECT_EQ(Codigos(itens), QList<int>({1}));
    EXPECT_EQ(Log().constLast(), QStringLiteral("[Erro] Erro ao carregar os itens do arquivo."));

    ObterLogManager().Limpar();
    EXPECT_THROW(itens.CarregarDoXMLPesquisa(TElementoLido()), EVrtException);
    EXPECT_EQ(itens.Count(), 0);
    EXPECT_EQ(Log(),
        QStringList({QStringLiteral("Carregando itens do arquivo..."),
            QStringLiteral("[Erro] Erro ao carregar os itens do arquivo.")}));
}

TEST_F(Listas, ALotWithABadSecondItemKeepsItsFirstWhileTheOtherLotsLoad)
{
    const QString itensRuins = Envolto(
        QStringLiteral("itens"), ItemCodigo(1) + ItemCodigo(2, QString()) + ItemCodigo(3));
    const QString itensBons = Envolto(QStringLiteral("itens"), ItemCodigo(1) + ItemCodigo(2));
    TGrupos grupos;
    grupos.CarregarDoXMLLicitacao(Elemento(QStringLiteral("grupos"),
        Grupo(1, itensRuins) + Grupo(2, itensBons) + Grupo(3, QString())));

    ASSERT_EQ(grupos.Count(), 3);
    EXPECT_EQ(Codigos(grupos.Grupo(0).Itens()), QList<int>({1}));
    EXPECT_EQ(Codigos(grupos.Grupo(1).Itens()), QList<int>({1, 2}));
    EXPECT_EQ(grupos.Grupo(2).Itens().Count(), 0);
    EXPECT_EQ(grupos.Grupo(1).Descricao, QStringLiteral("Lote 2"));
    EXPECT_EQ(grupos.Grupo(1).Valor, 10.5);
    EXPECT_EQ(grupos.Grupo(1).Tratamento, 4);
    EXPECT_EQ(Log(),
        QStringList({QStringLiteral("Carregando grupos de itens..."),
            QStringLiteral("Carregando itens do grupo..."),
            QStringLiteral("Carregando itens do arquivo..."),
            QStringLiteral("[Erro] Erro ao carregar os itens do arquivo."),
            QStringLiteral("[Erro] Erro ao carregar os itens do grupo"),
            QStringLiteral("Carregando itens do grupo..."),
            QStringLiteral("Carregando itens do arquivo..."),
            QStringLiteral("Itens carregados com sucesso."),
            QStringLiteral("Itens do grupo carregados com sucesso."),
            QStringLiteral("Carregando itens do grupo..."),
            QStringLiteral("Carregando itens do arquivo..."),
            QStringLiteral("[Erro] Erro ao carregar os itens do arquivo."),
            QStringLiteral("[Erro] Erro ao carregar os itens do grupo"),
            QStringLiteral("Grupos carregados com sucesso.")}));
}

TEST_F(Listas, ABadLotValueOrAMissingGruposFailsTheLots)
{
    for (const QString &valor : {QStringLiteral(""), QStringLiteral("1.5")}) {
        ObterLogManager().Limpar();
        TGrupos grupos;
        const QString ruim
            = Envolto(QStringLiteral("grupo"), Xml({{QStringLiteral("grupovalor"), valor}}));
        EXPECT_THROW(grupos.CarregarDoXMLPesquisa(
                         Elemento(QStringLiteral("grupos"), Grupo(1, QString()) + ruim)),
            EConvertError);
        EXPECT_EQ(grupos.Count(), 1);
        EXPECT_EQ(Log().constLast(), QStringLiteral("[Erro] Erro ao carregar os grupos de itens."));
    }
    TGrupos grupos;
    EXPECT_THROW(grupos.CarregarDoXMLLicitacao(TElementoLido()), EVrtException);
}

TEST_F(Listas, LotsAreWrittenWithTheirItemsInTheVocabularyOfTheKind)
{
    TGrupos grupos;
    grupos.CarregarDoXMLLicitacao(Elemento(QStringLiteral("grupos"),
        Grupo(7, Envolto(QStringLiteral("itens"), ItemCodigo(1) + ItemCodigo(2)))
            + Grupo(5, Envolto(QStringLiteral("itens"), ItemCodigo(3) + ItemCodigo(4)))));
    ObterLogManager().Limpar();

    const TElementoLido licitacao = Gravar(grupos, &TGrupos::GravarNoXMLLicitacao);
    EXPECT_EQ(licitacao.Nome(), QStringLiteral("grupos"));
    const TElementoLido primeiro = licitacao.PrimeiroFilho(QStringLiteral("grupo"));
    EXPECT_EQ(Folhas(primeiro),
        TFilhos({{QStringLiteral("grupocodigo"), QStringLiteral("7")},
            {QStringLiteral("grupodescricao"), QStringLiteral("Lote 7")},
            {QStringLiteral("grupovalor"), QStringLiteral("10,5")},
            {QStringLiteral("grupotratamento"), QStringLiteral("4")},
            {QStringLiteral("itens"), QStringLiteral("…")}}));
    EXPECT_EQ(primeiro.ProximoIrmao().PrimeiroFilho().Texto(), QStringLiteral("5"));
    EXPECT_EQ(Log(),
        QStringList({QStringLiteral("Carregando grupo de itens..."),
            QStringLiteral("Carregando itens para o arquivo..."),
            QStringLiteral("Itens exportados com sucesso."),
            QStringLiteral("Carregando itens para o arquivo..."),
            QStringLiteral("Itens exportados com sucesso.")}));

    const TElementoLido pesquisa = Gravar(grupos, &TGrupos::GravarNoXMLPesquisa);
    const TElementoLido grupo = pesquisa.PrimeiroFilho();
    EXPECT_EQ(Nomes(Folhas(grupo)),
        QStringList({QStringLiteral("grupocodigo"), QStringLiteral("grupodescricao"),
            QStringLiteral("grupovalor"), QStringLiteral("itens")}));
    EXPECT_EQ(Nomes(Folhas(grupo.PrimeiroFilho(QStringLiteral("itens")).PrimeiroFilho())),
        Nomes(ITEM_PESQUISA));
}
