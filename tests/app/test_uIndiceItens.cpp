#include "app/uIndiceItens.h"
#include "model/uVTExpImpCotacaoDados.h"
#include "support/CotacaoTeste.h"

#include <gtest/gtest.h>

namespace {

// The item number of an entry, or 0 for none.
qint32 Codigo(const TIndiceItens &indice, int entrada)
{
    return entrada < 0 ? 0 : indice.Entrada(entrada).Codigo;
}

struct CasoLocalizar
{
    const char *texto;
    int de;
    bool paraTras;
    qint32 codigo;
};

class Localizar : public testing::TestWithParam<CasoLocalizar>
{
};

TEST_P(Localizar, NumbersExactlyWordsWithoutCaseOrAccentsWrappingAround)
{
    const auto cotacao = LicitacaoGrande(QStringLiteral("Pi"));
    TIndiceItens indice;
    indice.Montar(*cotacao, false);
    const CasoLocalizar &caso = GetParam();
    EXPECT_EQ(
        Codigo(indice, indice.Localizar(QString::fromUtf8(caso.texto), caso.de, caso.paraTras)),
        caso.codigo);
}

INSTANTIATE_TEST_SUITE_P(Casos, Localizar,
    testing::Values(CasoLocalizar {"137", -1, false, 137},
        CasoLocalizar {" 137 ", 200, false, 137}, // wraps around
        CasoLocalizar {"cafe", -1, false, 37}, CasoLocalizar {"CAFÉ", 36, false, 137},
        CasoLocalizar {"cafe", 36, true, 437}, CasoLocalizar {"cafe", -1, true, 437},
        CasoLocalizar {"moido torrado", 100, false, 137}, CasoLocalizar {"acucar", -1, false, 88},
        CasoLocalizar {"material 12", -1, false, 12}, CasoLocalizar {"cafe acucar", -1, false, 0},
        CasoLocalizar {"xyz", -1, false, 0}, CasoLocalizar {"   ", -1, false, 0},
        CasoLocalizar {"501", -1, false, 0}));

TEST(IndiceItens, LotsAndQuotasSayWhereEachItemShows)
{
    TIndiceItens porLote;
    porLote.Montar(*LicitacaoGrande(QStringLiteral("Gi"), 250), false);
    ASSERT_EQ(porLote.Count(), 250);
    const TEntradaItem &noSegundo = porLote.Entrada(136);
    EXPECT_EQ(noSegundo.Codigo, 37);
    EXPECT_EQ(noSegundo.Lote, 1);
    EXPECT_EQ(noSegundo.CodigoLote, 2);
    EXPECT_EQ(noSegundo.Linha, 36);

    // A reserved lot shows only its reserved items; the others cannot be reached.
    TIndiceItens reservado;
    reservado.Montar(*LicitacaoGrande(QStringLiteral("Gi"), 10, 4), false);
    EXPECT_EQ(reservado.Entrada(0).Linha, 0);
    EXPECT_EQ(reservado.Entrada(1).Linha, -1);
    EXPECT_EQ(reservado.Entrada(2).Linha, 1);
    EXPECT_EQ(Codigo(reservado, reservado.Localizar(QStringLiteral("2"), -1)), 0);

    // Quotas show the items of their treatment.
    TIndiceItens cotas;
    cotas.Montar(*LicitacaoGrande(QStringLiteral("Gl"), 10, 4), true);
    EXPECT_EQ(cotas.Entrada(4).Tratamento, 4);
    EXPECT_EQ(cotas.Entrada(4).Linha, 2);
    EXPECT_EQ(cotas.Entrada(5).Tratamento, 3);
    EXPECT_EQ(cotas.Entrada(5).Linha, 2);
}

TEST(IndiceItens, NextWithoutPriceWrapsAroundAndSkipsPricedItems)
{
    TIndiceItens indice;
    indice.Montar(*LicitacaoGrande(QStringLiteral("Pi"), 5), false);
    for (int i : {0, 1, 3})
        indice.Entrada(i).Preco = 1.5;
    EXPECT_EQ(indice.ProximoSemPreco(-1), 2);
    EXPECT_EQ(indice.ProximoSemPreco(2), 4);
    EXPECT_EQ(indice.ProximoSemPreco(4), 2);
    indice.Entrada(2).Preco = indice.Entrada(4).Preco = 3;
    EXPECT_EQ(indice.ProximoSemPreco(0), -1);
}

} // namespace
