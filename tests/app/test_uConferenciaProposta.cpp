#include "app/uConferenciaProposta.h"
#include "app/uRegrasCotacao.h"
#include "exchange/uVTExpImpCotacao.h"
#include "model/uTabelasCotacao.h"
#include "model/uVTExpImpCotacaoDados.h"
#include "support/CotacaoTeste.h"
#include "support/MensagemGravador.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// An open quotation whose items the test answers as the window would, then checks.
class Conferencia : public testing::Test
{
protected:
    void Abrir(const TDadosCotacao &cotacao)
    {
        tabelas.Abrir();
        GravarArquivoCotacao(cotacao, pasta.path(), QStringLiteral("Cotacao"));
        regras.NovoControlador();
        ASSERT_TRUE(regras.Carregar(QStringLiteral("Cotacao"), pasta.path() + QLatin1Char('/')));
        tabelas.mmItens.SetFiltered(false);
    }

    // Answers the n-th item (from 0, all items shown) and reads the totals again.
    void Responder(int linha, double preco, const QString &marca = QStringLiteral("Acme"))
    {
        tabelas.mmItens.SetRecNo(linha + 1);
        tabelas.mmItens.Edit();
        tabelas.mmItensVlCotado->SetAsFloat(preco);
        tabelas.mmItens.FieldByName(QStringLiteral("ITEMMARCA")).SetAsString(marca);
        tabelas.mmItens.Post();
        regras.CalcularTotais();
        tabelas.mmItens.SetFiltered(false);
    }

    void Fornecedor(const char *razaoSocial, const char *endereco)
    {
        tabelas.mmForneced.Append();
        tabelas.mmForneced.FieldByName(QStringLiteral("FORRAZAOSOCIAL"))
            .SetAsString(QString::fromUtf8(razaoSocial));
        tabelas.mmForneced.FieldByName(QStringLiteral("FORENDERECO"))
            .SetAsString(QString::fromUtf8(endereco));
        tabelas.mmForneced.Post();
        regras.GravarCPFCNPJ(QStringLiteral("11.222.333/0001-81"));
    }

    QStringList Linhas() const
    {
        QStringList textos;
        for (const TPendencia &pendencia : ConferirProposta(regras))
            textos << pendencia.Texto;
        return textos;
    }

    MensagemGravador gravador;
    QTemporaryDir pasta;
    TTabelasCotacao tabelas;
    TRegrasCotacao regras {tabelas};
};

TEST_F(Conferencia, NothingAnsweredInAGlobalTender)
{
    Abrir(*LicitacaoGrande(QStringLiteral("Gl"), 3));

    const std::vector<TPendencia> pendencias = ConferirProposta(regras);

    ASSERT_EQ(pendencias.size(), 5u);
    EXPECT_EQ(pendencias[0].Texto, QStringLiteral("Informe o CPF/CNPJ do fornecedor."));
    EXPECT_EQ(pendencias[0].Destino, TPendencia::Fornecedor);
    EXPECT_EQ(pendencias[1].Texto,
        QStringLiteral("3 itens sem preço; a proposta global precisa do preço de todos os itens."));
    EXPECT_EQ(pendencias[1].Destino, TPendencia::Item);
    EXPECT_EQ(pendencias[1].Entrada, 0);
    EXPECT_EQ(
        pendencias[2].Texto, QStringLiteral("A proposta impressa sairá sem \"Razão social\"."));
    EXPECT_EQ(pendencias[2].Destino, TPendencia::DadosEmpresa);
    EXPECT_EQ(pendencias[3].Texto, QStringLiteral("A proposta impressa sairá sem \"CPF/CNPJ\"."));
    EXPECT_EQ(pendencias[4].Texto, QStringLiteral("A proposta impressa sairá sem \"Endereço\"."));
}

TEST_F(Conferencia, EachItemAboveItsMaximumOrWithoutBrand)
{
    Abrir(*LicitacaoGrande(QStringLiteral("Pi"), 4));
    Fornecedor("Papelaria Aurora Ltda", "Rua XV, 10");
    Responder(0, 10);
    Responder(1, 15.5);
    Responder(2, 3, QStringLiteral("  "));

    EXPECT_EQ(Linhas(),
        QStringList({QStringLiteral("1 item sem preço (informação: por item, cada item é cotado "
                                    "à parte)."),
            QStringLiteral("Item 2: o valor cotado (R$ 15,50000) é maior que o preço máximo "
                           "(R$ 12,00)."),
            QStringLiteral("Item 3: cotado sem marca.")}));
    EXPECT_EQ(ConferirProposta(regras)[1].Entrada, 1);
}

TEST_F(Conferencia, ALotAnsweredInPartAndAnInvalidNumber)
{
    Abrir(*LicitacaoGrande(QStringLiteral("Gi"), 103));
    Fornecedor("Papelaria Aurora Ltda", "Rua XV, 10");
    regras.GravarCPFCNPJ(QStringLiteral("11.222.333/0001-80"));
    // Lot 2 holds items 101 to 103 of the tender: the first is answered, the others not.
    Responder(100, 5);

    EXPECT_EQ(Linhas(),
        QStringList({QStringLiteral("O CNPJ do fornecedor é inválido."),
            QStringLiteral("Lote 2: 2 itens sem preço; o lote cotado precisa do preço de todos os "
                           "seus itens.")}));
    EXPECT_EQ(ConferirProposta(regras)[1].Entrada, 101);
}

TEST_F(Conferencia, APriceSurveyPrintsNothing)
{
    Abrir(*PesquisaTeste(QStringLiteral("Pi")));
    regras.GravarCPFCNPJ(QStringLiteral("11.222.333/0001-81"));
    Responder(0, 2);
    Responder(1, 2);

    EXPECT_EQ(Linhas(), QStringList());
}

} // namespace
