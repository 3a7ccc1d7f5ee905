#include "app/uRegrasCotacao.h"

#include <gtest/gtest.h>

namespace {

struct CasoCPFCNPJ
{
    const char *digitado;
    TConferenciaCPFCNPJ::TResultado resultado;
    const char *mascarado;
    const char *mensagem;
};

class ConferenciaCPFCNPJ : public testing::TestWithParam<CasoCPFCNPJ>
{
};

constexpr const char *CPFInvalido = "O CPF do fornecedor é inválido.";
constexpr const char *CNPJInvalido = "O CNPJ do fornecedor é inválido.";
constexpr const char *TamanhoInvalido = "O CPF/CNPJ do fornecedor está inválido.";

TEST_P(ConferenciaCPFCNPJ, AcceptsMasksOrRefusesTheTypedNumber)
{
    const CasoCPFCNPJ &caso = GetParam();
    const TConferenciaCPFCNPJ conferencia = ConferirCPFCNPJ(QString::fromUtf8(caso.digitado));
    EXPECT_EQ(conferencia.Resultado, caso.resultado);
    EXPECT_EQ(conferencia.Mascarado, QString::fromUtf8(caso.mascarado));
    EXPECT_EQ(conferencia.Mensagem, QString::fromUtf8(caso.mensagem));
}

INSTANTIATE_TEST_SUITE_P(Casos, ConferenciaCPFCNPJ,
    testing::Values(CasoCPFCNPJ {"", TConferenciaCPFCNPJ::Vazio, "", ""},
        CasoCPFCNPJ {"    ", TConferenciaCPFCNPJ::Vazio, "", ""},
        CasoCPFCNPJ {"11144477735", TConferenciaCPFCNPJ::Aceito, "111.444.777-35", ""},
        CasoCPFCNPJ {"111.444.777-35", TConferenciaCPFCNPJ::Aceito, "111.444.777-35", ""},
        CasoCPFCNPJ {"11222333000181", TConferenciaCPFCNPJ::Aceito, "11.222.333/0001-81", ""},
        CasoCPFCNPJ {"11.222.333/0001-81", TConferenciaCPFCNPJ::Aceito, "11.222.333/0001-81", ""},
        // Only the first 18 characters count, separators included.
        CasoCPFCNPJ {"11.222.333/0001-8199", TConferenciaCPFCNPJ::Aceito, "11.222.333/0001-81", ""},
        CasoCPFCNPJ {"11144477736", TConferenciaCPFCNPJ::Recusado, "", CPFInvalido},
        // A letter counts for the length and is lost in the mask.
        CasoCPFCNPJ {"1114447773x", TConferenciaCPFCNPJ::Recusado, "", CPFInvalido},
        CasoCPFCNPJ {"11222333000182", TConferenciaCPFCNPJ::Recusado, "", CNPJInvalido},
        CasoCPFCNPJ {"111 444 777 35", TConferenciaCPFCNPJ::Recusado, "", CNPJInvalido},
        CasoCPFCNPJ {"111444777351", TConferenciaCPFCNPJ::Recusado, "", TamanhoInvalido},
        CasoCPFCNPJ {"1112223330001", TConferenciaCPFCNPJ::Recusado, "", TamanhoInvalido},
        CasoCPFCNPJ {"111 444 777 3", TConferenciaCPFCNPJ::Recusado, "", TamanhoInvalido}));

} // namespace
