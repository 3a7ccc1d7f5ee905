#include "app/uConferenciaPlanilha.h"
#include "common/uExcecoes.h"
#include "support/CotacaoTeste.h"
#include "support/TabelasPlanilhaTeste.h"

#include <gtest/gtest.h>

namespace {

QStringList Problemas(const TConferenciaPlanilha &conferencia)
{
    QStringList textos;
    for (const TProblemaPlanilha &problema : conferencia.Problemas)
        textos.append(problema.Descricao());
    return textos;
}

struct CasoLinha
{
    const char *nome;
    std::vector<TCelulaPlanilha> linha; // Item, price, brand
    const char *problema; // empty when the row is a change
};

void PrintTo(const CasoLinha &caso, std::ostream *saida)
{
    *saida << caso.nome;
}

class LinhaDaPlanilha : public testing::TestWithParam<CasoLinha>
{
};

// A tender of loose items 1 and 2 (maximum price 12, no answers yet), one row under the header.
TEST_P(LinhaDaPlanilha, GivesAProblemLineOrAChange)
{
    TCotacaoAberta aberta(*LicitacaoTeste(QStringLiteral("Pi")));
    const TConferenciaPlanilha conferencia = ConferirPlanilha(aberta.tabelas,
        PlanilhaTeste(
            {{Txt("Item"), Txt("Valor unitário cotado (R$)"), Txt("Marca")}, GetParam().linha}));
    const QString problema = QString::fromUtf8(GetParam().problema);
    if (problema.isEmpty()) {
        EXPECT_EQ(Problemas(conferencia), QStringList());
        EXPECT_EQ(conferencia.Alteracoes.size(), 1u);
    } else {
        EXPECT_EQ(Problemas(conferencia), QStringList {QStringLiteral("Linha 2: ") + problema});
        EXPECT_TRUE(conferencia.Alteracoes.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, LinhaDaPlanilha,
    testing::Values(CasoLinha {"numero", {Num(1), Num(10)}, ""},
        CasoLinha {"texto", {Txt("1"), Txt("1.234,56")}, ""},
        CasoLinha {"so_marca", {Num(2), Vazia(), Txt("Acme")}, ""},
        CasoLinha {"item_texto", {Txt("x"), Num(1)}, "\"x\" não é um número de item."},
        CasoLinha {"item_fracao", {Num(1.5), Num(1)}, "\"1,5\" não é um número de item."},
        CasoLinha {"desconhecido", {Num(9), Num(1)}, "O item 9 não existe nesta cotação."},
        CasoLinha {"nao_numero", {Num(1), Txt("dez")}, "O valor cotado \"dez\" não é um número."},
        CasoLinha {"negativo", {Num(1), Num(-1)}, "O valor cotado não pode ser negativo."},
        CasoLinha {
            "negativo_texto", {Num(1), Txt("-1,5")}, "O valor cotado não pode ser negativo."},
        CasoLinha {"data", {Num(1), Data(45352)}, "O valor cotado é uma data, não um número."},
        CasoLinha {"logico", {Num(1), Logico(true)},
            "O valor cotado é um valor lógico (verdadeiro ou falso), não um número."},
        CasoLinha {"marca_longa", {Num(1), Num(1), Txt("123456789012345678901")},
            "A marca tem mais de 20 caracteres."},
        CasoLinha {"marca_data", {Num(1), Num(1), Data(1)}, "A marca não é um texto."}));

class ConferenciaPlanilha : public testing::Test
{
protected:
    static TPlanilhaLida Precos(std::initializer_list<std::vector<TCelulaPlanilha>> linhas)
    {
        TPlanilhaLida planilha = PlanilhaTeste(linhas);
        planilha.Linhas.insert(planilha.Linhas.begin(),
            {0, {Txt("lote"), Txt("ITEM"), Txt("Tratamento"), Txt("valor unitario cotado (r$)")}});
        for (std::size_t i = 0; i < planilha.Linhas.size(); ++i)
            planilha.Linhas[i].Numero = int(i) + 1;
        return planilha;
    }
};

TEST_F(ConferenciaPlanilha, KeepsOnlyWhatChangesRoundedToFiveDecimalsAndMarksPricesAboveTheMaximum)
{
    TCotacaoAberta aberta(*LicitacaoTeste(QStringLiteral("Pi")));
    const TConferenciaPlanilha conferencia = ConferirPlanilha(aberta.tabelas,
        Precos({{Vazia(), Num(1), Vazia(), Num(20.123456)}, {Vazia(), Num(2), Vazia(), Num(0)},
            {Vazia(), Vazia(), Vazia(), Vazia()}, {Vazia(), Vazia(), Txt("Total")}}));
    EXPECT_EQ(Problemas(conferencia), QStringList());
    ASSERT_EQ(conferencia.Alteracoes.size(), 1u);
    const TAlteracaoItem &item = conferencia.Alteracoes.front();
    EXPECT_EQ(item.Linha, 2);
    EXPECT_EQ(item.Nome(), QStringLiteral("Item 1"));
    EXPECT_DOUBLE_EQ(*item.Preco, 20.12346);
    EXPECT_FALSE(item.Marca.has_value());
    EXPECT_TRUE(item.AcimaDoMaximo());
}

TEST_F(ConferenciaPlanilha, MatchesTheLotToo)
{
    TCotacaoAberta aberta(*LicitacaoTeste(QStringLiteral("Gi")));
    const TConferenciaPlanilha conferencia = ConferirPlanilha(aberta.tabelas,
        Precos({{Num(2), Num(1), Vazia(), Num(5)}, {Num(3), Num(1), Vazia(), Num(5)},
            {Num(1), Num(7), Vazia(), Num(5)}, {Txt("1"), Num(2), Vazia(), Num(6)},
            {Num(1), Num(2), Vazia(), Num(6)}, {Vazia(), Num(1), Vazia(), Num(5)}}));
    EXPECT_EQ(Problemas(conferencia),
        QStringList({QStringLiteral("Linha 3: O lote 3 não contém o item 1."),
            QStringLiteral("Linha 4: O item 7 não existe nesta cotação."),
            QStringLiteral("Linha 6: Lote 1, item 2 já está na linha 5."),
            QStringLiteral("Linha 7: Falta o número do lote.")}));
    ASSERT_EQ(conferencia.Alteracoes.size(), 2u);
    EXPECT_EQ(conferencia.Alteracoes[0].Nome(), QStringLiteral("Lote 2, item 1"));
    EXPECT_EQ(conferencia.Alteracoes[1].Nome(), QStringLiteral("Lote 1, item 2"));
}

TEST_F(ConferenciaPlanilha, TellsTheQuotasApartByTheirTreatment)
{
    auto cotacao = LicitacaoTeste(QStringLiteral("Gl"), 4);
    for (int item = 1; item <= 2; ++item)
        cotacao->Itens()->Adicionar(ItemTeste(item, 100 + item, 3));
    TCotacaoAberta aberta(*cotacao);
    const TConferenciaPlanilha conferencia = ConferirPlanilha(aberta.tabelas,
        Precos({{Vazia(), Num(1), Txt("Cota Principal"), Num(5)},
            {Vazia(), Num(1), Txt("cota reservada"), Num(6)}, {Vazia(), Num(2), Num(3), Num(7)},
            {Vazia(), Num(2), Vazia(), Num(8)}}));
    EXPECT_EQ(Problemas(conferencia),
        QStringList {QStringLiteral(
            "Linha 5: Item 2 está em mais de uma cota: a coluna \"Tratamento\" deve dizer qual.")});
    ASSERT_EQ(conferencia.Alteracoes.size(), 3u);
    EXPECT_EQ(conferencia.Alteracoes[0].Tratamento, 3);
    EXPECT_EQ(conferencia.Alteracoes[1].Tratamento, 4);
    EXPECT_EQ(conferencia.Alteracoes[2].Tratamento, 3);
}

TEST_F(ConferenciaPlanilha, RefusesASheetThatCannotHoldAnswers)
{
    TCotacaoAberta itens(*LicitacaoTeste(QStringLiteral("Pi")));
    TCotacaoAberta lotes(*LicitacaoTeste(QStringLiteral("Gi")));
    const struct
    {
        TCotacaoAberta &aberta;
        TPlanilhaLida planilha;
        const char *mensagem;
    } casos[] = {
        {itens, PlanilhaTeste({}), "A planilha está vazia."},
        {itens, PlanilhaTeste({{Txt("Lote"), Txt("Marca")}}),
            "A planilha não tem a coluna \"Item\" na primeira linha."},
        {lotes, PlanilhaTeste({{Txt("Item"), Txt("Marca")}}),
            "A planilha não tem a coluna \"Lote\" na primeira linha."},
        {itens, PlanilhaTeste({{Txt("Item"), Txt("Quantidade")}}),
            "A planilha não tem nenhuma das colunas de resposta (\"Valor unitário cotado (R$)\", "
            "\"Marca\", \"Observação\")."},
        {itens, PlanilhaTeste({{Txt("Item"), Txt("Marca"), Txt("MARCA")}}),
            "A planilha tem duas colunas \"Marca\"."},
    };
    for (const auto &caso : casos) {
        try {
            ConferirPlanilha(caso.aberta.tabelas, caso.planilha);
            ADD_FAILURE() << caso.mensagem;
        } catch (const EVrtException &erro) {
            EXPECT_EQ(erro.Message(), QString::fromUtf8(caso.mensagem));
        }
    }
}

} // namespace
