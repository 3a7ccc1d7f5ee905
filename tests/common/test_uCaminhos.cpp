#include "common/uCaminhos.h"

#include <gtest/gtest.h>

namespace {

struct CasoCaminho
{
    const char *pasta;
    const char *nome;
    const char *caminho;
};

// A folder with or without its trailing separator joins the same way; a name of its own is
// never glued onto the folder's last component.
TEST(CaminhoEm, UmaBarraEntreAPastaEONome)
{
    const CasoCaminho casos[] = {
        {"/tmp/privada", "Cotacao", "/tmp/privada/Cotacao"},
        {"/tmp/privada/", "Cotacao", "/tmp/privada/Cotacao"},
        {"/srv/cotacoes", ".kvt", "/srv/cotacoes/.kvt"},
        {"/", "Cotacao.kvt", "/Cotacao.kvt"},
        {"", "Cotacao.kvt", "Cotacao.kvt"},
    };
    for (const CasoCaminho &caso : casos) {
        EXPECT_EQ(CaminhoEm(QString::fromUtf8(caso.pasta), QString::fromUtf8(caso.nome)),
            QString::fromUtf8(caso.caminho))
            << caso.pasta << " + " << caso.nome;
    }
}

} // namespace
