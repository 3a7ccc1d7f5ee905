#include "common/uExcecoes.h"
#include "exchange/uVTExpImpCotacao.h"
#include "exchange/uVTExpImpCotacaoComum.h"
#include "exchange/uVTExpImpCotacaoEscrita.h"
#include "support/CotacaoTeste.h"

#include <QDomDocument>

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

// The save writes the model straight into bytes; they must be those of the document built
// as a DOM tree, for both kinds and both list shapes.
TEST(EscritaBytes, MesmosBytesQueODocumentoDom)
{
    auto licitacao = LicitacaoTeste(QStringLiteral("Gi"), 4);
    licitacao->EntidadeNome = QStringLiteral("A & B <Ltda> ]]> \"x\"\r\n€");
    licitacao->BrasaoRelatorio = QStringLiteral("FFD8]]>00");
    licitacao->Grupos()->Grupo(0).Itens().Item(0).Marca = QStringLiteral("Marca™");
    auto pesquisa = PesquisaTeste(QStringLiteral("Pi"));
    pesquisa->CpfCnpjFornecedor = QStringLiteral("123.456.789-09");
    for (const TDadosCotacao *cotacao : {licitacao.get(), pesquisa.get()}) {
        QDomDocument documento;
        documento.appendChild(documento.createProcessingInstruction(
            QStringLiteral("xml"), QStringLiteral("version = \"1.0\" encoding=\"ISO-8859-1\"")));
        QDomElement dados = documento.createElement(QStringLiteral("dados"));
        documento.appendChild(dados);
        dados.appendChild(cotacao->GravarNoXML(documento));

        EXPECT_EQ(DocumentoDaCotacao(*cotacao), DocumentoParaBytes(documento));
    }
}

} // namespace
