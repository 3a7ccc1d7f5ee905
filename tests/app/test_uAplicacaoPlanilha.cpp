#include "app/uAplicacaoPlanilha.h"
#include "common/uPastaTemporaria.h"
#include "exchange/uVTExpImpCotacao.h"
#include "support/CotacaoTeste.h"
#include "support/MensagemGravador.h"
#include "support/TabelasPlanilhaTeste.h"

#include <gtest/gtest.h>

namespace {

// Item 1 at 20 (its maximum is 12) and item 2 at 5, in a tender of loose items.
std::vector<TAlteracaoItem> Alteracoes(TCotacaoAberta &aberta)
{
    return ConferirPlanilha(aberta.tabelas,
        PlanilhaTeste({{Txt("Item"), Txt("Valor unitário cotado (R$)")}, {Num(1), Num(20)},
            {Num(2), Num(5)}}))
        .Alteracoes;
}

struct CasoModalidade
{
    const char *modalidade;
    int resposta; // to the question, when there is one
    int mensagens;
    double precoItem1; // after the batch
};

class RegraDoMaximoNoLote : public testing::TestWithParam<CasoModalidade>
{
};

TEST_P(RegraDoMaximoNoLote, AsksInformsOrAcceptsOnceForTheWholeSheet)
{
    auto cotacao = LicitacaoTeste(QStringLiteral("Pi"));
    cotacao->Modalidade = QString::fromUtf8(GetParam().modalidade);
    TCotacaoAberta aberta(*cotacao);
    MensagemGravador gravador({GetParam().resposta});
    const std::vector<TAlteracaoItem> aceitas
        = DecidirPrecosAcimaDoMaximo(aberta.regras, Alteracoes(aberta));
    ASSERT_EQ(int(gravador.Mensagens().size()), GetParam().mensagens);
    if (GetParam().mensagens == 1) {
        EXPECT_TRUE(gravador.Mensagens().front().Texto.contains(
            QStringLiteral("Item 1: R$ 20,00000, máximo R$ 12,00")));
        EXPECT_EQ(gravador.Mensagens().front().Detalhes,
            QStringLiteral("Item 1: R$ 20,00000, máximo R$ 12,00"));
    }
    ASSERT_TRUE(AplicarAlteracoes(aberta.regras, aceitas, aberta.Diretorio()));
    EXPECT_EQ(aberta.Preco(0, 1), GetParam().precoItem1);
    EXPECT_EQ(aberta.Preco(0, 2), 5);
}

INSTANTIATE_TEST_SUITE_P(Modalidades, RegraDoMaximoNoLote,
    testing::Values(CasoModalidade {"Pr", mrYes, 1, 20}, CasoModalidade {"Pr", mrNo, 1, 0},
        CasoModalidade {"Le", mrOk, 0, 20}, CasoModalidade {"Cs", mrOk, 0, 20},
        CasoModalidade {"Cc", mrOk, 1, 20}, CasoModalidade {"", mrOk, 1, 20}));

TEST(AplicacaoPlanilha, QuestionUnderPregaoIsAYesNoQuestion)
{
    TCotacaoAberta aberta(*LicitacaoTeste(QStringLiteral("Pi")));
    MensagemGravador gravador({mrNo});
    DecidirPrecosAcimaDoMaximo(aberta.regras, Alteracoes(aberta));
    ASSERT_EQ(gravador.Mensagens().size(), 1);
    const TMensagem &pergunta = gravador.Mensagens().front();
    EXPECT_EQ(pergunta.Tipo, tmPergunta);
    EXPECT_EQ(pergunta.Botoes, TBotoesMensagem(bmSim | bmNao));
    EXPECT_EQ(pergunta.Texto,
        QStringLiteral("Os valores da proposta abaixo são maiores que o preço máximo:\r"
                       "Item 1: R$ 20,00000, máximo R$ 12,00\rContinuar mesmo assim?"));
}

TEST(AplicacaoPlanilha, WritesEveryLotThenTotalsEveryLotAndSavesOnce)
{
    TCotacaoAberta aberta(*LicitacaoTeste(QStringLiteral("Gi")));
    TTabelasCotacao &t = aberta.tabelas;
    int verificacoes = 0;
    int gravacoes = 0;
    t.mmItens.BeforePost = [&](TMemoryTable &) { ++verificacoes; };
    t.mmItens.AfterPost = [&](TMemoryTable &) { ++gravacoes; };
    t.mmGrupos.Last(); // the grid shows lot 2
    const int itemAtual = t.mmItens.FieldByName(QStringLiteral("Item")).AsInteger();

    const TConferenciaPlanilha conferencia = ConferirPlanilha(t,
        PlanilhaTeste({{Txt("Lote"), Txt("Item"), Txt("Valor unitário cotado (R$)"), Txt("Marca")},
            {Num(1), Num(1), Num(2), Txt("Acme")}, {Num(1), Num(2), Num(3)},
            {Num(2), Num(2), Num(4)}}));
    ASSERT_TRUE(conferencia.Problemas.empty());
    MensagemGravador gravador;
    ASSERT_TRUE(AplicarAlteracoes(aberta.regras, conferencia.Alteracoes, aberta.Diretorio()));

    EXPECT_EQ(verificacoes, 0);
    EXPECT_EQ(gravacoes, 0);
    EXPECT_TRUE(gravador.Mensagens().isEmpty());
    EXPECT_EQ(aberta.Marca(1, 1), QStringLiteral("Acme"));
    // The grid still shows the second lot, on the same item.
    EXPECT_EQ(t.mmGrupos.FieldByName(QStringLiteral("CodGrupo")).AsInteger(), 2);
    EXPECT_EQ(t.mmItens.Filter(), QStringLiteral(" CODGRUPO = 2"));
    EXPECT_EQ(t.mmItens.FieldByName(QStringLiteral("Item")).AsInteger(), itemAtual);
    // Quantities are 2.5: lot 1 totals 12.5, lot 2 totals 10.
    EXPECT_DOUBLE_EQ(t.mmDadosValorTotalCotado->AsFloat(), 22.5);
    t.mmGrupos.First();
    EXPECT_DOUBLE_EQ(t.mmGruposVlTotal->AsFloat(), 12.5);
    t.mmGrupos.Next();
    EXPECT_DOUBLE_EQ(t.mmGruposVlTotal->AsFloat(), 10);

    // The file holds the answers.
    TTabelasCotacao relidas;
    relidas.Abrir();
    TExpImpCotacao leitor;
    ASSERT_TRUE(leitor.Importar(QStringLiteral("COT-7-2024"), aberta.Diretorio(), PastaTemporaria(),
        relidas.mmDados, relidas.mmGrupos, relidas.mmItens, relidas.mmCotas));
    EXPECT_EQ(leitor.Cotacao().Grupos()->Grupo(1).Itens().Item(1).ValorCotado, 4);
    EXPECT_EQ(leitor.Cotacao().Grupos()->Grupo(0).Itens().Item(0).Marca, QStringLiteral("Acme"));
}

} // namespace
