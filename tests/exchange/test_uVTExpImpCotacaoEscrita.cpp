#include "common/uExcecoes.h"
#include "exchange/uVTExpImpCotacao.h"
#include "exchange/uVTExpImpCotacaoComum.h"
#include "exchange/uVTExpImpCotacaoEscrita.h"
#include "exchange/uVTExpImpCotacaoJson.h"
#include "support/CotacaoTeste.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

QByteArray Escrito(const std::function<void(TEscritaBytes &)> &escrever)
{
    QByteArray bytes;
    TEscritaBytes escrita(bytes);
    escrever(escrita);
    return bytes;
}

TEST(EscritaBytes, TextosEscapadosComoNoArquivo)
{
    struct Caso
    {
        QString texto;
        QByteArray bytes;
    };
    const Caso casos[] = {
        {QString(), "<a/>"},
        {QStringLiteral("x<y&z>w"), "<a>x&lt;y&amp;z>w</a>"},
        {QStringLiteral("fim ]]> e ]>"), "<a>fim ]]&gt; e ]></a>"},
        {QStringLiteral("\"aspas\" 'e'\tlinhas\r\n"), "<a>\"aspas\" 'e'\tlinhas&#xd;\n</a>"},
        {QStringLiteral("ção"), "<a>\xE7\xE3o</a>"},
        {QStringLiteral("€ \U0001F600"), "<a>&#8364; &#128512;</a>"},
    };
    for (const Caso &c : casos) {
        EXPECT_EQ(
            Escrito([&](TEscritaBytes &e) { e.Elemento(QStringLiteral("a"), c.texto); }), c.bytes)
            << c.texto.toStdString();
    }
}

TEST(EscritaBytes, CdataFechadaEmVoltaDeReferenciasEDeFins)
{
    EXPECT_EQ(Escrito([](TEscritaBytes &e) {
        e.ElementoCDATA(QStringLiteral("b"), QStringLiteral("4F]]>€"));
    }),
        QByteArray("<b><![CDATA[4F]]]]><![CDATA[>]]>&#8364;<![CDATA[]]></b>"));
    EXPECT_EQ(Escrito([](TEscritaBytes &e) { e.ElementoCDATA(QStringLiteral("b"), QString()); }),
        QByteArray("<b><![CDATA[]]></b>"));
}

TEST(EscritaBytes, CaractereQueOXmlNaoLevaEhRecusado)
{
    for (const QString &texto : {QStringLiteral("a\u0001b"), QString(QChar(0xD800))}) {
        EXPECT_THROW(Escrito([&](TEscritaBytes &e) { e.Elemento(QStringLiteral("a"), texto); }),
            EVrtException);
    }
}

// The save writes the model straight into bytes; they read back into the same model and are
// written again byte for byte, for both kinds and both list shapes.
TEST(EscritaBytes, RelidosDaoOMesmoModeloEOsMesmosBytes)
{
    auto licitacao = LicitacaoTeste(QStringLiteral("Gi"), 4);
    licitacao->EntidadeNome = QStringLiteral("A & B <Ltda> ]]> \"x\"\r\n€");
    licitacao->BrasaoRelatorio = QStringLiteral("FFD8]]>00");
    licitacao->Grupos()->Grupo(0).Itens().Item(0).Marca = QStringLiteral("Marca™");
    auto pesquisa = PesquisaTeste(QStringLiteral("Pi"));
    pesquisa->CpfCnpjFornecedor = QStringLiteral("123.456.789-09");
    for (const TDadosCotacao *cotacao : {licitacao.get(), pesquisa.get()}) {
        const QByteArray bytes = DocumentoDaCotacao(*cotacao);
        const TDocumentoLido documento = TDocumentoLido::DeBytes(bytes);
        TDadosCotacao relida;
        relida.CarregarDoXML(ValidarDocumento(documento));

        EXPECT_EQ(CotacaoParaJson(relida), CotacaoParaJson(*cotacao));
        EXPECT_EQ(DocumentoDaCotacao(relida), bytes);
    }
}

} // namespace
