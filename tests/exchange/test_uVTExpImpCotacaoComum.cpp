#include "common/uExcecoes.h"
#include "exchange/uVTExpImpCotacao.h"
#include "exchange/uVTExpImpCotacaoComum.h"
#include "exchange/uVTExpImpCotacaoValidacoes.h"
#include "model/uVTExpImpCotacaoDados.h"
#include "support/ArquivosTeste.h"
#include "support/DocumentoTeste.h"
#include "support/ImpressaoQt.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

const QByteArray DECLARACAO = "<?xml version = \"1.0\" encoding=\"ISO-8859-1\"?>";

class Documento : public DocumentoTeste
{
protected:
    QString Caminho(const QString &nome) const { return m_pasta.filePath(nome); }

    // The bytes of a document <dados><cotacao><nome>...</nome></cotacao></dados> with the
    // declaration that a save gives it, the value as text or as CDATA.
    static QByteArray Novo(const QString &nome, const QString &valor, bool cdata = false)
    {
        QByteArray bytes;
        TEscritaBytes escrita(bytes);
        escrita.Declaracao(u"version = \"1.0\" encoding=\"ISO-8859-1\"");
        escrita.Abrir(QStringLiteral("dados"));
        escrita.Abrir(QStringLiteral("cotacao"));
        if (cdata)
            escrita.ElementoCDATA(nome, valor);
        else
            escrita.Elemento(nome, valor);
        escrita.Fechar();
        escrita.Fechar();
        return bytes;
    }

    // The document written to a file and loaded back, as a save and a later open do.
    const TDocumentoLido &Relido(const QByteArray &bytes)
    {
        const QString arquivo = Caminho(QStringLiteral("documento"));
        GravarDocumento(bytes, arquivo);
        CarregarDocumento(m_relido, arquivo);
        return m_relido;
    }

    QTemporaryDir m_pasta;
    TDocumentoLido m_relido;
};

} // namespace

TEST_F(Documento, ReadingPrimitivesGiveDefaultsForAnAbsentElement)
{
    const TElementoLido ausente;
    EXPECT_EQ(LerInteiro(ausente), 0);
    EXPECT_EQ(LerReal(ausente), 0.0);
    EXPECT_EQ(LerDataHora(ausente), 0.0);
    EXPECT_FALSE(LerLogico(ausente));
    EXPECT_TRUE(LerTexto(ausente).isNull());

    // A text of blanks only is kept as written: present, and no number.
    const TElementoLido cotacao = Cotacao(QStringLiteral("<a> &#32;</a><b>\n 12 \n</b><c> x </c>"));
    EXPECT_THROW(LerInteiro(cotacao.PrimeiroFilho(QStringLiteral("a"))), EConvertError);
    EXPECT_EQ(LerTexto(cotacao.PrimeiroFilho(QStringLiteral("a"))), QStringLiteral("  "));
    EXPECT_EQ(LerInteiro(cotacao.PrimeiroFilho(QStringLiteral("b"))), 12);
    EXPECT_EQ(LerTexto(cotacao.PrimeiroFilho(QStringLiteral("c"))), QStringLiteral(" x "));
}

TEST_F(Documento, ChildrenAreFoundByNameAndTextsReadAsWritten)
{
    const TElementoLido cotacao = Cotacao(QStringLiteral(
        "<x>1</x><a> p<b>q</b><![CDATA[ <r> ]]>&#233;&#8364; </a><x>2</x><a/><y>\t</y>"));
    EXPECT_EQ(cotacao.PrimeiroFilho().Nome(), QStringLiteral("x"));
    EXPECT_EQ(cotacao.PrimeiroFilho(QStringLiteral("x")).Texto(), QStringLiteral("1"));
    EXPECT_EQ(cotacao.PrimeiroFilho(QStringLiteral("x")).ProximoIrmao(QStringLiteral("x")).Texto(),
        QStringLiteral("2"));
    // An element's text holds its children's, CDATA and references as they read.
    EXPECT_EQ(cotacao.PrimeiroFilho(QStringLiteral("a")).Texto(), QStringLiteral(" pq <r> é€ "));
    EXPECT_EQ(cotacao.PrimeiroFilho(QStringLiteral("y")).Texto(), QStringLiteral("\t"));
    EXPECT_TRUE(cotacao.PrimeiroFilho(QStringLiteral("b")).Nulo()); // a grandchild
    EXPECT_TRUE(cotacao.PrimeiroFilho(QStringLiteral("nenhum")).Nulo());
    EXPECT_TRUE(cotacao.PrimeiroFilho(QStringLiteral("y")).ProximoIrmao().Nulo());
}

TEST_F(Documento, TextsSurviveTheFileWhateverTheirCharacters)
{
    const struct
    {
        const char16_t *valor;
        const char *bytes; // how the value lies in the file
    } casos[] = {
        {u"Licitação nº 5 – São Paulo", "Licita\xE7\xE3o n\xBA 5 &#8211; S\xE3o Paulo"},
        {u"€ 10", "&#8364; 10"},
        {u"\U0001F600", "&#128512;"},
        {u"a\r\nb\tc", "a&#xd;\nb\tc"},
        {u"<&>\"'", "&lt;&amp;>\"'"},
    };
    for (const auto &caso : casos) {
        const QString valor = QString::fromUtf16(caso.valor);
        SCOPED_TRACE(valor.toStdString());
        const QByteArray bytes = Novo(QStringLiteral("entidadenome"), valor);
        EXPECT_TRUE(bytes.startsWith(DECLARACAO + "<dados><cotacao><entidadenome>"));
        EXPECT_TRUE(bytes.contains(caso.bytes)) << bytes.toStdString();

        const TElementoLido cotacao = ValidarDocumento(Relido(bytes));
        EXPECT_EQ(LerTexto(cotacao.PrimeiroFilho(QStringLiteral("entidadenome"))), valor);
    }
}

TEST_F(Documento, ACdataSectionKeepsItsTextWhateverItHolds)
{
    const struct
    {
        const char16_t *valor;
        const char *bytes;
    } casos[] = {
        {u"FFD8FFE0", "<![CDATA[FFD8FFE0]]>"},
        {u"", "<elibrasaorelatorio><![CDATA[]]></elibrasaorelatorio>"},
        {u"AB€CD", "<![CDATA[AB]]>&#8364;<![CDATA[CD]]>"},
        {u"x]]>y", "<![CDATA[x]]]]><![CDATA[>y]]>"},
    };
    for (const auto &caso : casos) {
        const QString valor = QString::fromUtf16(caso.valor);
        SCOPED_TRACE(valor.toStdString());
        const QByteArray bytes = Novo(QStringLiteral("elibrasaorelatorio"), valor, true);
        EXPECT_TRUE(bytes.contains(caso.bytes)) << bytes.toStdString();

        const TElementoLido cotacao = ValidarDocumento(Relido(bytes));
        EXPECT_EQ(LerTexto(cotacao.PrimeiroFilho(QStringLiteral("elibrasaorelatorio"))), valor);
    }
}

TEST_F(Documento, TheBytesCarryTheirDeclarationAndNothingBetweenElements)
{
    TDadosCotacao cotacao;
    cotacao.FormaJulgamento = QStringLiteral("Gi");
    cotacao.SetGrupos(std::make_unique<TGrupos>());
    cotacao.Grupos()->Adicionar(std::make_unique<TGrupo>());
    const QByteArray bytes = DocumentoDaCotacao(cotacao);
    EXPECT_TRUE(bytes.startsWith(DECLARACAO + "<dados><cotacao>")) << bytes.toStdString();
    EXPECT_FALSE(bytes.contains('\n'));
    EXPECT_FALSE(bytes.contains("> <"));
}

TEST_F(Documento, ACharacterThatXmlCannotCarryFailsTheWrite)
{
    for (const QString &valor :
        {QStringLiteral("a\u0001b"), QString(QChar(0xD800)), QString(QChar(0xFFFF))}) {
        EXPECT_THROW(Novo(QStringLiteral("itemmarca"), valor), EVrtException);
        EXPECT_THROW(Novo(QStringLiteral("b"), valor, true), EVrtException);
    }
}

TEST_F(Documento, OnlyADadosRootWithACotacaoChildIsValid)
{
    const std::pair<const char *, bool> casos[] = {
        {"<dados><cotacao/></dados>", true},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><dados><x/><cotacao/></dados>", true},
        {"<cotacao/>", false},
        {"<dados/>", false},
        {"<dados><outro><cotacao/></outro></dados>", false},
        {"<Dados><cotacao/></Dados>", false},
        {"<dados><cotacao></dados>", false},
        {"", false},
        {"\x1F\x8B\x08 nada de XML", false},
    };
    for (const auto &[xml, valido] : casos) {
        SCOPED_TRACE(xml);
        ObterLogManager().Limpar();
        GravarArquivo(Caminho(QStringLiteral("doc")), QByteArray(xml));
        TDocumentoLido documento;
        CarregarDocumento(documento, Caminho(QStringLiteral("doc")));
        if (valido) {
            EXPECT_EQ(ValidarDocumento(documento).Nome(), QStringLiteral("cotacao"));
            EXPECT_EQ(Log(),
                QStringList({QStringLiteral("Validando arquivo..."),
                    QStringLiteral("Arquivo validado com sucesso.")}));
        } else {
            try {
                ValidarDocumento(documento);
                ADD_FAILURE() << "accepted";
            } catch (const EVrtException &erro) {
                EXPECT_EQ(erro.Message(), QStringLiteral("Arquivo inválido."));
            }
            EXPECT_EQ(Log(),
                QStringList({QStringLiteral("Validando arquivo..."),
                    QStringLiteral("[Erro] Arquivo inválido.")}));
        }
    }
    TDocumentoLido documento;
    EXPECT_THROW(CarregarDocumento(documento, Caminho(QStringLiteral("nenhum"))), EFileError);
}

TEST_F(Documento, AHostileDocumentIsRefusedQuickly)
{
    // A million nested elements, or entities that expand without end.
    const QByteArray profundo = "<dados><cotacao><entidadenome>"
        + QByteArray("<a>").repeated(1000000) + "x" + QByteArray("</a>").repeated(1000000)
        + "</entidadenome></cotacao></dados>";
    QByteArray entidades = "<!DOCTYPE d [<!ENTITY a \"aaaaaaaaaa\">";
    for (char nome = 'b'; nome <= 'j'; ++nome)
        entidades += "<!ENTITY " + QByteArray(1, nome) + " \""
            + QByteArray("&" + QByteArray(1, char(nome - 1)) + ";").repeated(10) + "\">";
    entidades += "]><dados><cotacao><entidadenome>&j;</entidadenome></cotacao></dados>";

    for (const QByteArray &xml : {profundo, entidades}) {
        GravarArquivo(Caminho(QStringLiteral("doc")), xml);
        TDocumentoLido documento;
        CarregarDocumento(documento, Caminho(QStringLiteral("doc")));
        EXPECT_THROW(ValidarDocumento(documento), EVrtException);
    }
}

TEST_F(Documento, DamagedDocumentsNeverBreakTheReader)
{
    // Random damage to a valid document of every list kind: the road either reads a model or
    // raises one of the program's errors.
    QString xml = Envolto(QStringLiteral("dados"),
        Envolto(QStringLiteral("cotacao"),
            Xml({{QStringLiteral("tipocotacao"), QStringLiteral("0")},
                {QStringLiteral("licformajulgamento"), QStringLiteral("Gi")},
                {QStringLiteral("licdataabertura"), QStringLiteral("15/03/2023 10:00:00")},
                {QStringLiteral("licvalortotalcotado"), QStringLiteral("1,5E3")}})
                + QStringLiteral("<grupos><grupo><grupocodigo>1</grupocodigo><itens><item>"
                                 "<itemcodigo>1</itemcodigo><itemqtdlicitada>2,5</itemqtdlicitada>"
                                 "</item></itens></grupo></grupos>")));
    const QByteArray original = xml.toLatin1();
    const QByteArray alfabeto = QByteArray("<>/!&;#x0123456789,.-E: açãoitemgrupo") + '\0' + '\xFF';
    QRandomGenerator aleatorio(42);
    int lidos = 0;
    for (int i = 0; i < 3000; ++i) {
        QByteArray danificado = original;
        for (int j = aleatorio.bounded(1, 6); j > 0; --j) {
            const qsizetype pos = aleatorio.bounded(danificado.size());
            switch (aleatorio.bounded(3)) {
            case 0:
                danificado[pos] = alfabeto.at(aleatorio.bounded(alfabeto.size()));
                break;
            case 1:
                danificado.remove(pos, aleatorio.bounded(1, 8));
                break;
            default:
                danificado.insert(pos, alfabeto.at(aleatorio.bounded(alfabeto.size())));
            }
        }
        const TDocumentoLido documento = TDocumentoLido::DeBytes(danificado);
        try {
            TDadosCotacao cotacao;
            cotacao.CarregarDoXML(ValidarDocumento(documento));
            ++lidos;
        } catch (const Exception &) { }
    }
    EXPECT_GT(lidos, 0);
}

TEST_F(Documento, OpeningInflatesLoadsAndAlwaysRemovesTheTemporaryDocument)
{
    QTemporaryDir trabalho;
    const QString pasta = m_pasta.path() + QLatin1Char('/');
    const QString pastaTrabalho = trabalho.path() + QLatin1Char('/');
    GravarArquivo(Caminho(QStringLiteral("Licitacao")), "<dados><cotacao/></dados>");
    ASSERT_TRUE(CompactarArquivo(
        TextoParaVersao(VERSAO_ARQUIVO_COTACAO), pasta, Caminho(QStringLiteral("Licitacao"))));

    TDocumentoLido documento;
    ASSERT_TRUE(AbrirArquivoCotacao(documento, pasta, QStringLiteral("Licitacao"), pastaTrabalho));
    EXPECT_EQ(documento.Raiz().Nome(), QStringLiteral("dados"));
    EXPECT_EQ(Log(),
        QStringList(
            {QStringLiteral("Abrindo arquivo..."), QStringLiteral("Arquivo aberto com sucesso.")}));
    EXPECT_TRUE(ArquivosEm(trabalho.path()).isEmpty());

    ObterLogManager().Limpar();
    EXPECT_FALSE(AbrirArquivoCotacao(documento, pasta, QStringLiteral("Outro"), pastaTrabalho));
    EXPECT_EQ(Log(),
        QStringList({QStringLiteral("Abrindo arquivo..."),
            QStringLiteral("[Erro] Não foi possível carregar o arquivo KVT.")}));

    // A body cut short inflates a partial document before the digest refuses it.
    QByteArray container = LerArquivo(Caminho(QStringLiteral("Licitacao.kvt")));
    container.chop(8);
    GravarArquivo(Caminho(QStringLiteral("Curto.kvt")), container);
    EXPECT_THROW(
        AbrirArquivoCotacao(documento, pasta, QStringLiteral("Curto"), pastaTrabalho), Exception);
    EXPECT_TRUE(ArquivosEm(trabalho.path()).isEmpty());
}
