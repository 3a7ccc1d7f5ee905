#include "common/uExcecoes.h"
#include "exchange/uVTExpImpCotacao.h"
#include "exchange/uVTExpImpCotacaoComum.h"
#include "exchange/uVTExpImpCotacaoJson.h"
#include "model/uVTExpImpCotacaoDados.h"
#include "support/DocumentoTeste.h"
#include "support/ImpressaoQt.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double HORA = 1.0 / 24;

const QString ITENS_LICITACAO = Envolto(QStringLiteral("itens"),
    Envolto(QStringLiteral("item"),
        Xml({{QStringLiteral("itemcodigo"), QStringLiteral("1")},
            {QStringLiteral("itemqtdlicitada"), QStringLiteral("10")}})));

// Every header element of a tender, in write order, each holding text as the writer writes it.
const TFilhos LICITACAO = {
    {QStringLiteral("tipocotacao"), QStringLiteral("0")},
    {QStringLiteral("entidadecodigo"), QStringLiteral("123")},
    {QStringLiteral("entidadeserie"), QStringLiteral("2")},
    {QStringLiteral("entidadenome"), QStringLiteral("Prefeitura de São João d'Aliança")},
    {QStringLiteral("licano"), QStringLiteral("2024")},
    {QStringLiteral("licsequencia"), QStringLiteral("7")},
    {QStringLiteral("lictratamento"), QStringLiteral("4")},
    {QStringLiteral("licvalortotalcotado"), QStringLiteral("1234,5")},
    {QStringLiteral("licvalortotallicitado"), QStringLiteral("98765,43")},
    {QStringLiteral("licregistroprecos"), QStringLiteral("-1")},
    {QStringLiteral("licmodalidade"), QStringLiteral("Pr")},
    {QStringLiteral("lictipo"), QStringLiteral("Mp")},
    {QStringLiteral("licformajulgamento"), QStringLiteral("Gl")},
    {QStringLiteral("licnralfa"), QStringLiteral("7/2024")},
    {QStringLiteral("liccpfcnpjfornecedor"), QStringLiteral("11.222.333/0001-81")},
    {QStringLiteral("licobjetoresumido"), QStringLiteral("4F626A65746F")},
    {QStringLiteral("licformaentrega"), QStringLiteral("Pa")},
    {QStringLiteral("liclocalentregaproposta"), QStringLiteral("53616C61")},
    {QStringLiteral("liclocalabertura"), QStringLiteral("417564")},
    {QStringLiteral("licprazoentrega"), QStringLiteral("3130")},
    {QStringLiteral("liclocalentregamatserv"), QStringLiteral("416C6D6F")},
    {QStringLiteral("lichoraentregaproposta"), QStringLiteral("30/12/1899 14:30:00")},
    {QStringLiteral("lichoraabertura"), QStringLiteral("30/12/1899 09:00:00")},
    {QStringLiteral("licdataabertura"), QStringLiteral("15/03/2023")},
    {QStringLiteral("licdataentregaproposta"), QStringLiteral("14/03/2023 18:00:00")},
};

const TFilhos PESQUISA = {
    {QStringLiteral("tipocotacao"), QStringLiteral("1")},
    {QStringLiteral("entidadecodigo"), QStringLiteral("321")},
    {QStringLiteral("entidadeserie"), QStringLiteral("5")},
    {QStringLiteral("entidadenome"), QStringLiteral("Câmara Municipal")},
    {QStringLiteral("pesqano"), QStringLiteral("2023")},
    {QStringLiteral("pesqsequencia"), QStringLiteral("12")},
    {QStringLiteral("pesqcodigo"), QStringLiteral("57")},
    {QStringLiteral("pesqvalorcotacao"), QStringLiteral("0,1")},
    {QStringLiteral("pesqcnpjfornecedor"), QStringLiteral("123.456.789-09")},
    {QStringLiteral("pesqbjetoresumido"), QStringLiteral("41")},
    {QStringLiteral("pesqformacotacao"), QStringLiteral("Pi")},
    {QStringLiteral("pesqdataemissao"), QStringLiteral("01/02/2023")},
    {QStringLiteral("pesqprazodata"), QStringLiteral("10/02/2023")},
    {QStringLiteral("pesqprazohora"), QStringLiteral("30/12/1899 17:00:00")},
    {QStringLiteral("pesqprazolocal"), QStringLiteral("42")},
    {QStringLiteral("pesqentregaforma"), QStringLiteral("Un")},
    {QStringLiteral("pesqentregaprazo"), QStringLiteral("43")},
    {QStringLiteral("pesqentregalocal"), QStringLiteral("44")},
    {QStringLiteral("pesqobservao"), QStringLiteral("45")},
};

const QString BRASAO
    = QStringLiteral("<elibrasaorelatorio><![CDATA[FFD8FFE0]]></elibrasaorelatorio>");

TFilhos Sem(TFilhos filhos, const QStringList &nomes)
{
    filhos.erase(std::remove_if(filhos.begin(), filhos.end(),
                     [&](const auto &filho) { return nomes.contains(filho.first); }),
        filhos.end());
    return filhos;
}

TFilhos ComBrasao(TFilhos filhos)
{
    filhos.emplace_back(QStringLiteral("elibrasaorelatorio"), QStringLiteral("FFD8FFE0"));
    return filhos;
}

class Cabecalho : public DocumentoTeste
{
protected:
    // The "cotacao" element written under "dados", read back.
    TElementoLido Gravar(const TDadosCotacao &cotacao)
    {
        return Gravado([&](TEscritaXML &escrita) {
            escrita.Abrir(QStringLiteral("dados"));
            cotacao.GravarNoXML(escrita);
            escrita.Fechar();
        }).PrimeiroFilho();
    }
};

} // namespace

TEST_F(Cabecalho, ATenderHeaderLandsInItsPropertiesAndIsWrittenBackInOrder)
{
    TDadosCotacao c;
    c.CarregarDoXML(Cotacao(Xml(LICITACAO) + ITENS_LICITACAO + BRASAO));

    EXPECT_EQ(c.TipoCotacao, tcLicitacao);
    EXPECT_EQ(c.EntidadeCodigo, 123);
    EXPECT_EQ(c.EntidadeSerie, 2);
    EXPECT_EQ(c.EntidadeNome, QStringLiteral("Prefeitura de São João d'Aliança"));
    EXPECT_EQ(c.Ano, 2024);
    EXPECT_EQ(c.Sequencia, 7);
    EXPECT_EQ(c.Tratamento, 4);
    EXPECT_EQ(c.ValorTotalCotado, 1234.5);
    EXPECT_EQ(c.ValorTotalLicitado, 98765.43);
    EXPECT_TRUE(c.RegistroPrecos);
    EXPECT_EQ(c.Modalidade, QStringLiteral("Pr"));
    EXPECT_EQ(c.TipoLicitacao, QStringLiteral("Mp"));
    EXPECT_EQ(c.FormaJulgamento, QStringLiteral("Gl"));
    EXPECT_EQ(c.NumeroAlfa, QStringLiteral("7/2024"));
    EXPECT_EQ(c.CpfCnpjFornecedor, QStringLiteral("11.222.333/0001-81"));
    EXPECT_EQ(c.ObjetoResumido, QStringLiteral("4F626A65746F"));
    EXPECT_EQ(c.FormaEntrega, QStringLiteral("Pa"));
    EXPECT_EQ(c.LocalEntregaProposta, QStringLiteral("53616C61"));
    EXPECT_EQ(c.LocalAbertura, QStringLiteral("417564"));
    EXPECT_EQ(c.PrazoEntrega, QStringLiteral("3130"));
    EXPECT_EQ(c.LocalEntregaMatServ, QStringLiteral("416C6D6F"));
    EXPECT_DOUBLE_EQ(c.HoraEntregaProposta, 14.5 * HORA);
    EXPECT_DOUBLE_EQ(c.HoraAbertura, 9 * HORA);
    EXPECT_EQ(c.DataAbertura, 45000);
    EXPECT_DOUBLE_EQ(c.DataEntregaProposta, 44999 + 18 * HORA);
    EXPECT_EQ(c.BrasaoRelatorio, QStringLiteral("FFD8FFE0"));
    ASSERT_NE(c.Itens(), nullptr);
    EXPECT_EQ(c.Itens()->Count(), 1);
    EXPECT_EQ(c.Grupos(), nullptr);

    const TElementoLido gravado = Gravar(c);
    TFilhos esperado = LICITACAO;
    esperado.emplace_back(QStringLiteral("itens"), QStringLiteral("…"));
    EXPECT_EQ(Folhas(gravado), ComBrasao(esperado));
    EXPECT_TRUE(m_bytesGravados.endsWith(
        "<elibrasaorelatorio><![CDATA[FFD8FFE0]]></elibrasaorelatorio></cotacao></dados>"));
}

TEST_F(Cabecalho, APriceSurveyHeaderLandsInItsPropertiesAndIsWrittenBackInOrder)
{
    TDadosCotacao c;
    const QString itens = Envolto(QStringLiteral("itens"), QString());
    c.CarregarDoXML(Cotacao(Xml(PESQUISA) + itens + BRASAO));

    EXPECT_EQ(c.TipoCotacao, tcPesquisa);
    EXPECT_EQ(c.EntidadeCodigo, 321);
    EXPECT_EQ(c.EntidadeSerie, 5);
    EXPECT_EQ(c.EntidadeNome, QStringLiteral("Câmara Municipal"));
    EXPECT_EQ(c.Ano, 2023);
    EXPECT_EQ(c.Sequencia, 12);
    EXPECT_EQ(c.PesquisaCodigo, 57);
    EXPECT_EQ(c.ValorTotalCotado, 0.1);
    EXPECT_EQ(c.CpfCnpjFornecedor, QStringLiteral("123.456.789-09"));
    EXPECT_EQ(c.ObjetoResumido, QStringLiteral("41"));
    EXPECT_EQ(c.FormaJulgamento, QStringLiteral("Pi"));
    EXPECT_EQ(c.DataEmissao, 44958);
    EXPECT_EQ(c.DataEntregaProposta, 44967);
    EXPECT_DOUBLE_EQ(c.HoraEntregaProposta, 17 * HORA);
    EXPECT_EQ(c.LocalEntregaProposta, QStringLiteral("42"));
    EXPECT_EQ(c.FormaEntrega, QStringLiteral("Un"));
    EXPECT_EQ(c.PrazoEntrega, QStringLiteral("43"));
    EXPECT_EQ(c.LocalEntregaMatServ, QStringLiteral("44"));
    EXPECT_EQ(c.Observacao, QStringLiteral("45"));
    ASSERT_NE(c.Itens(), nullptr);
    EXPECT_EQ(c.Itens()->Count(), 0);

    TFilhos esperado = PESQUISA;
    esperado.emplace_back(QStringLiteral("itens"), QString());
    EXPECT_EQ(Folhas(Gravar(c)), ComBrasao(esperado));
}

TEST_F(Cabecalho, EachKindIgnoresAndNeverWritesTheOtherKindsElements)
{
    // Both documents carry every element of both kinds.
    const QString todos = Xml(Sem(LICITACAO, {QStringLiteral("tipocotacao")}))
        + Xml(Sem(PESQUISA, {QStringLiteral("tipocotacao")})) + ITENS_LICITACAO;
    for (const auto &[tipo, prefixoAlheio] :
        {std::pair {0, QStringLiteral("pesq")}, std::pair {1, QStringLiteral("lic")}}) {
        SCOPED_TRACE(tipo);
        TFilhos documento = {{QStringLiteral("tipocotacao"), QString::number(tipo)}};
        TDadosCotacao c;
        c.CarregarDoXML(Cotacao(Xml(documento) + todos));
        EXPECT_EQ(c.PesquisaCodigo, tipo == 1 ? 57 : 0);
        EXPECT_EQ(c.Tratamento, tipo == 0 ? 4 : 0);
        EXPECT_EQ(c.FormaJulgamento, tipo == 0 ? QStringLiteral("Gl") : QStringLiteral("Pi"));

        for (const QString &nome : Nomes(Folhas(Gravar(c))))
            EXPECT_FALSE(nome.startsWith(prefixoAlheio)) << nome.toStdString();
    }
}

TEST_F(Cabecalho, AnotherKindCarriesOnlyTheCommonElementsAndNoList)
{
    TDadosCotacao c;
    c.CarregarDoXML(Cotacao(Xml({{QStringLiteral("tipocotacao"), QStringLiteral("2")}})
        + Xml(Sem(LICITACAO, {QStringLiteral("tipocotacao")})) + ITENS_LICITACAO));
    EXPECT_EQ(c.Ano, 0);
    EXPECT_TRUE(c.FormaJulgamento.isEmpty());
    EXPECT_EQ(c.Itens(), nullptr);

    c.FormaJulgamento = QStringLiteral("Pi");
    EXPECT_EQ(Nomes(Folhas(Gravar(c))),
        QStringList({QStringLiteral("tipocotacao"), QStringLiteral("entidadecodigo"),
            QStringLiteral("entidadeserie"), QStringLiteral("entidadenome"),
            QStringLiteral("elibrasaorelatorio")}));
    EXPECT_FALSE(Log().contains(QStringLiteral("[Erro] Não existe itens.")));
}

TEST_F(Cabecalho, MissingElementsReadAsTheirDefaults)
{
    TDadosCotacao c;
    c.CarregarDoXML(Cotacao(QString()));
    EXPECT_EQ(CotacaoParaJson(c), CotacaoParaJson(TDadosCotacao()));
    EXPECT_EQ(c.TipoCotacao, tcLicitacao);
    EXPECT_EQ(Log(),
        QStringList({QStringLiteral("Carregando dados do arquivo..."),
            QStringLiteral("Dados carregados com sucesso.")}));
}

TEST_F(Cabecalho, AFreshObjectWritesTheTenderHeaderWithAnEmptyPictureSection)
{
    const TDadosCotacao nova;
    const TElementoLido gravado = Gravar(nova);
    TFilhos esperado = LICITACAO;
    for (auto &filho : esperado)
        filho.second = QStringLiteral("0");
    for (const char *texto : {"entidadenome", "licmodalidade", "lictipo", "licformajulgamento",
             "licnralfa", "liccpfcnpjfornecedor", "licobjetoresumido", "licformaentrega",
             "liclocalentregaproposta", "liclocalabertura", "licprazoentrega",
             "liclocalentregamatserv"}) {
        for (auto &filho : esperado) {
            if (filho.first == QLatin1String(texto))
                filho.second.clear();
        }
    }
    for (auto &filho : esperado) {
        if (filho.first.contains(QLatin1String("hora"))
            || filho.first.contains(QLatin1String("data")))
            filho.second = QStringLiteral("30/12/1899");
    }
    esperado.emplace_back(QStringLiteral("elibrasaorelatorio"), QString());
    EXPECT_EQ(Folhas(gravado), esperado);
    EXPECT_TRUE(m_bytesGravados.contains("<elibrasaorelatorio><![CDATA[]]></elibrasaorelatorio>"));
    EXPECT_EQ(Log(),
        QStringList({QStringLiteral("Carregando dados da licitação..."),
            QStringLiteral("Dados da licitação carregados com sucesso.")}));
}

TEST_F(Cabecalho, APresentValueThatDoesNotParseFailsTheWholeRead)
{
    const std::pair<const char *, const char *> casos[] = {
        {"tipocotacao", "zero"},
        {"entidadecodigo", ""},
        {"licano", ""},
        {"licano", "2024a"},
        {"licvalortotalcotado", "1234.56"},
        {"licvalortotallicitado", "1.234,5"},
        {"licdataabertura", "31/02/2024"},
        {"lichoraabertura", "25:00"},
    };
    for (const auto &[nome, texto] : casos) {
        SCOPED_TRACE(nome);
        ObterLogManager().Limpar();
        TFilhos documento = LICITACAO;
        for (auto &filho : documento) {
            if (filho.first == QLatin1String(nome))
                filho.second = QString::fromUtf8(texto);
        }
        TDadosCotacao c;
        EXPECT_THROW(c.CarregarDoXML(Cotacao(Xml(documento))), EConvertError);
        EXPECT_EQ(Log().constLast(), QStringLiteral("[Erro] Erro ao carregar os dados do XML."));
    }
}

TEST_F(Cabecalho, AMissingCotacaoElementFailsTheRead)
{
    TDadosCotacao c;
    EXPECT_THROW(c.CarregarDoXML(TElementoLido()), EVrtException);
    EXPECT_EQ(Log().constLast(), QStringLiteral("[Erro] Erro ao carregar os dados do XML."));
}

TEST_F(Cabecalho, APriceRegistrationTenderReadsBackAsSuch)
{
    const std::pair<const char *, bool> casos[] = {
        {"Y", true},
        {"-1", true},
        {"0", false},
        {"N", false},
        {"y", false},
        {"", false},
        {"1", false},
    };
    for (const auto &[texto, esperado] : casos) {
        SCOPED_TRACE(texto);
        TDadosCotacao c;
        c.CarregarDoXML(
            Cotacao(Xml({{QStringLiteral("licregistroprecos"), QString::fromUtf8(texto)}})));
        EXPECT_EQ(c.RegistroPrecos, esperado);

        const TElementoLido gravado = Gravar(c);
        EXPECT_EQ(gravado.PrimeiroFilho(QStringLiteral("licregistroprecos")).Texto(),
            esperado ? QStringLiteral("-1") : QStringLiteral("0"));
        TDadosCotacao relido;
        relido.CarregarDoXML(gravado);
        EXPECT_EQ(relido.RegistroPrecos, esperado);
    }
}

TEST_F(Cabecalho, DateTimesReadAsDatesTimesOrBothAndWriteTheTimeOnlyWhenSet)
{
    const std::tuple<const char *, double, const char *> casos[] = {
        {"14:30", 14.5 * HORA, "30/12/1899 14:30:00"},
        {"14:30:15", (14.5 + 15.0 / 3600) * HORA, "30/12/1899 14:30:15"},
        {"15/03/2023", 45000, "15/03/2023"},
        {"15/03/2023 00:00:00", 45000, "15/03/2023"},
        {"15/03/2023 08:00", 45000 + 8 * HORA, "15/03/2023 08:00:00"},
    };
    for (const auto &[lido, valor, escrito] : casos) {
        SCOPED_TRACE(lido);
        TDadosCotacao c;
        c.CarregarDoXML(
            Cotacao(Xml({{QStringLiteral("lichoraentregaproposta"), QString::fromUtf8(lido)}})));
        EXPECT_NEAR(c.HoraEntregaProposta, valor, 1e-9);
        EXPECT_EQ(Gravar(c).PrimeiroFilho(QStringLiteral("lichoraentregaproposta")).Texto(),
            QString::fromUtf8(escrito));
    }
}

TEST_F(Cabecalho, RealsAreReadAndWrittenInBothNotations)
{
    const std::tuple<const char *, double, const char *> casos[] = {
        {"1234,5", 1234.5, "1234,5"},
        {"3,000", 3, "3"},
        {"1E15", 1e15, "1E15"},
        {"1,5e+20", 1.5e20, "1,5E20"},
        {"0,000001", 1e-6, "1E-6"},
        {"-2,5E-7", -2.5e-7, "-2,5E-7"},
        {"0,00001", 1e-5, "0,00001"},
    };
    for (const auto &[lido, valor, escrito] : casos) {
        SCOPED_TRACE(lido);
        TDadosCotacao c;
        c.CarregarDoXML(
            Cotacao(Xml({{QStringLiteral("licvalortotallicitado"), QString::fromUtf8(lido)}})));
        EXPECT_DOUBLE_EQ(c.ValorTotalLicitado, valor);
        EXPECT_EQ(Gravar(c).PrimeiroFilho(QStringLiteral("licvalortotallicitado")).Texto(),
            QString::fromUtf8(escrito));
    }
}

TEST_F(Cabecalho, TheFormChoosesTheListThatIsRead)
{
    struct Caso
    {
        int tipo;
        const char *forma;
        bool comItens;
        bool comGrupos;
        bool falha;
        bool temItens;
        bool temGrupos;
    };
    const Caso casos[] = {
        {0, "Pi", true, false, false, true, false},
        {0, "Gl", true, true, false, true, false},
        {0, "Gi", false, true, false, false, true},
        {1, "Pi", true, false, false, true, false},
        {1, "Gi", true, true, false, false, true},
        {0, "Pi", false, true, true, false, false},
        {0, "Gi", true, false, true, false, false},
        {1, "Gl", false, false, true, false, false},
        {0, "pi", true, true, false, false, false},
        {0, "", true, true, false, false, false},
        {0, "Xy", true, true, false, false, false},
        {2, "Pi", true, true, false, false, false},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(std::to_string(caso.tipo) + caso.forma);
        const QString forma = QString::fromUtf8(caso.forma);
        QString conteudo = Xml({{QStringLiteral("tipocotacao"), QString::number(caso.tipo)},
            {QStringLiteral("licformajulgamento"), forma},
            {QStringLiteral("pesqformacotacao"), forma}});
        if (caso.comItens)
            conteudo
                += Envolto(QStringLiteral("itens"), Envolto(QStringLiteral("item"), QString()));
        if (caso.comGrupos)
            conteudo
                += Envolto(QStringLiteral("grupos"), Envolto(QStringLiteral("grupo"), QString()));

        TDadosCotacao c;
        if (caso.falha)
            EXPECT_THROW(c.CarregarDoXML(Cotacao(conteudo)), EVrtException);
        else
            EXPECT_NO_THROW(c.CarregarDoXML(Cotacao(conteudo)));
        EXPECT_EQ(c.Itens() != nullptr, caso.temItens);
        EXPECT_EQ(c.Grupos() != nullptr, caso.temGrupos);
    }
}

TEST_F(Cabecalho, ABadLooseItemDiscardsTheWholeList)
{
    TDadosCotacao c;
    const QString itens = Envolto(QStringLiteral("itens"),
        Envolto(QStringLiteral("item"), Xml({{QStringLiteral("itemcodigo"), QStringLiteral("1")}}))
            + Envolto(QStringLiteral("item"),
                Xml({{QStringLiteral("itemvalorcotado"), QStringLiteral("1.5")}})));
    EXPECT_THROW(c.CarregarDoXML(Cotacao(
                     Xml({{QStringLiteral("licformajulgamento"), QStringLiteral("Pi")}}) + itens)),
        EConvertError);
    EXPECT_EQ(c.Itens(), nullptr);
    EXPECT_EQ(Log(),
        QStringList({QStringLiteral("Carregando dados do arquivo..."),
            QStringLiteral("Carregando itens do arquivo..."),
            QStringLiteral("[Erro] Erro ao carregar os itens do arquivo."),
            QStringLiteral("[Erro] Erro ao carregar os dados do XML.")}));
}

TEST_F(Cabecalho, AnAbsentListIsLoggedAndLeftOutOfTheDocument)
{
    for (const auto &[forma, erro] : {std::pair {"Gl", "[Erro] Não existe itens."},
             std::pair {"Gi", "[Erro] Não existe grupos."}}) {
        ObterLogManager().Limpar();
        TDadosCotacao c;
        c.FormaJulgamento = QString::fromUtf8(forma);
        const QStringList nomes = Nomes(Folhas(Gravar(c)));
        EXPECT_FALSE(nomes.contains(QStringLiteral("itens")));
        EXPECT_FALSE(nomes.contains(QStringLiteral("grupos")));
        EXPECT_EQ(nomes.constLast(), QStringLiteral("elibrasaorelatorio"));
        EXPECT_EQ(Log(),
            QStringList(
                {QStringLiteral("Carregando dados da licitação..."), QString::fromUtf8(erro),
                    QStringLiteral("Dados da licitação carregados com sucesso.")}));
    }
}

TEST_F(Cabecalho, AValueWithoutTextFailsTheWriteWithBothErrorLines)
{
    TDadosCotacao c;
    c.FormaJulgamento = QStringLiteral("Pi");
    c.SetItens(std::make_unique<TItens>());
    c.Itens()->Adicionar(std::make_unique<TItem>()).ValorCotado
        = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(Gravar(c), EConvertError);
    EXPECT_EQ(Log(),
        QStringList({QStringLiteral("Carregando dados da licitação..."),
            QStringLiteral("Carregando itens para o arquivo..."),
            QStringLiteral("[Erro] Erro ao exportar os itens para o arquivo."),
            QStringLiteral("[Erro] Erro ao inserir as informações no arquivo")}));

    ObterLogManager().Limpar();
    TDadosCotacao pesquisa;
    pesquisa.TipoCotacao = tcPesquisa;
    pesquisa.DataEmissao = 1e9;
    EXPECT_THROW(Gravar(pesquisa), EConvertError);
    EXPECT_EQ(Log(),
        QStringList({QStringLiteral("Carregando dados da pesquisa de preços..."),
            QStringLiteral("[Erro] Erro ao inserir as informações no arquivo")}));
}

TEST_F(Cabecalho, ReadWriteReadGivesTheSameModel)
{
    const QString grupos = Envolto(QStringLiteral("grupos"),
        Envolto(QStringLiteral("grupo"),
            Xml({{QStringLiteral("grupocodigo"), QStringLiteral("9")},
                {QStringLiteral("grupodescricao"), QStringLiteral("Lote € ção")},
                {QStringLiteral("grupovalor"), QStringLiteral("10,25")},
                {QStringLiteral("grupotratamento"), QStringLiteral("3")}})
                + ITENS_LICITACAO));
    for (const QString &documento :
        {Xml(LICITACAO).replace(QStringLiteral(">Gl<"), QStringLiteral(">Gi<")) + grupos + BRASAO,
            Xml(PESQUISA) + ITENS_LICITACAO + BRASAO}) {
        TDadosCotacao lido;
        lido.CarregarDoXML(Cotacao(documento));

        // Through the bytes of a file, as a save and a later open would go.
        const TDocumentoLido relido = TDocumentoLido::DeBytes(DocumentoDaCotacao(lido));
        TDadosCotacao novo;
        novo.CarregarDoXML(ValidarDocumento(relido));
        EXPECT_EQ(CotacaoParaJson(novo), CotacaoParaJson(lido));
    }
}
