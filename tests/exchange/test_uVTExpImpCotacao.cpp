#include "common/uExcecoes.h"
#include "exchange/uVTExpImpCotacao.h"
#include "exchange/uVTExpImpCotacaoComum.h"
#include "exchange/uVTExpImpCotacaoValidacoes.h"
#include "messages/uExpLog.h"
#include "model/uTabelasCotacao.h"
#include "support/ArquivosTeste.h"
#include "support/CotacaoTeste.h"
#include "support/MensagemGravador.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const char *const MensagemImportar
    = "Ocorreu um erro ao importar as propostas. Contate a administração pública.";
const char *const MensagemExportarPropostas
    = "Ocorreu um erro ao exportar as propostas. Contate a administração pública.";
const char *const MensagemExportarDados
    = "Ocorreu um erro ao exportar os dados. Contate a administração pública.";

QString U(const char *texto)
{
    return QString::fromUtf8(texto);
}

struct CasoNome
{
    qint32 tipo;
    const char *numeroAlfa;
    qint32 pesquisa;
    const char *cpfCnpj;
    const char *nome;
};

class NomeCanonico : public ::testing::TestWithParam<CasoNome>
{
};

TEST_P(NomeCanonico, DoNumeroEDoDocumento)
{
    const CasoNome &c = GetParam();
    TDadosCotacao cotacao;
    cotacao.TipoCotacao = c.tipo;
    cotacao.NumeroAlfa = U(c.numeroAlfa);
    cotacao.PesquisaCodigo = c.pesquisa;
    cotacao.CpfCnpjFornecedor = U(c.cpfCnpj);
    EXPECT_EQ(NomeArquivoCanonico(cotacao), U(c.nome));
}

INSTANTIATE_TEST_SUITE_P(Exemplos, NomeCanonico,
    ::testing::Values(
        CasoNome {0, "12/2023", 0, "11.222.333/0001-81", "COT-12-2023-11222333000181"},
        CasoNome {1, "", 57, "123.456.789-09", "COT-PESQ-57-12345678909"},
        CasoNome {0, "7/2024", 0, "", "COT-7-2024"}, CasoNome {1, "7/2024", 57, "", "COT-PESQ-57"},
        CasoNome {2, "7/2024", -3, "1/2", "COT-PESQ--3-12"}));

// A quotation folder and a working folder of its own per test; the received file is
// pasta/Cotacao.kvt.
class Controlador : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_pasta.isValid());
        ASSERT_TRUE(m_trabalho.isValid());
        t.Abrir();
    }

    // Every test leaves the working folder as it found it.
    void TearDown() override { EXPECT_EQ(ArquivosEm(m_trabalho.path()), QStringList()); }

    QString Pasta() const { return m_pasta.path() + QLatin1Char('/'); }
    QString Trabalho() const { return m_trabalho.path() + QLatin1Char('/'); }
    QStringList Arquivos() const { return ArquivosEm(m_pasta.path()); }

    void Receber(const TDadosCotacao &cotacao, const QString &nome = QStringLiteral("Cotacao"))
    {
        GravarArquivoCotacao(cotacao, m_pasta.path(), nome);
    }

    bool Importar(const QString &nome = QStringLiteral("Cotacao"))
    {
        t.PrepararParaCarga();
        return c.Importar(nome, Pasta(), Trabalho(), t.mmDados, t.mmGrupos, t.mmItens, t.mmCotas);
    }

    bool Exportar(const QString &pasta)
    {
        return c.Exportar(pasta, Trabalho(), t.mmDados, t.mmItens, t.mmGrupos);
    }
    bool Exportar() { return Exportar(Pasta()); }

    void InformarDocumento(const char *cpfCnpj)
    {
        t.mmDados.First();
        t.mmDados.Edit();
        t.mmDados.FieldByName(QStringLiteral("FornecedorCPFCNPJ")).SetAsString(U(cpfCnpj));
        t.mmDados.Post();
    }

    const QStringList &Log() const { return ObterLogManager().Linhas(); }

    QTemporaryDir m_pasta;
    QTemporaryDir m_trabalho;
    TTabelasCotacao t;
    TExpImpCotacao c;
    MensagemGravador mensagens;
};

TEST_F(Controlador, AbreOArquivoNasTabelas)
{
    Receber(*LicitacaoTeste(QStringLiteral("Gi")));
    ASSERT_TRUE(Importar());

    EXPECT_TRUE(mensagens.Mensagens().isEmpty());
    EXPECT_EQ(c.NomeArquivo(), QStringLiteral("Cotacao"));
    EXPECT_EQ(t.mmGrupos.RecordCount(), 2);
    EXPECT_EQ(t.mmItens.RecordCount(), 4);
    EXPECT_EQ(c.Cotacao().NumeroAlfa, QStringLiteral("7/2024"));
    const QStringList log = Log();
    ASSERT_GE(log.size(), 8);
    EXPECT_EQ(log.mid(0, 4),
        QStringList({U("Abrindo arquivo..."), U("Arquivo aberto com sucesso."),
            U("Validando arquivo..."), U("Arquivo validado com sucesso.")}));
    EXPECT_TRUE(log.contains(U("Carregando dados da cotação.")));
    EXPECT_EQ(log.last(), U("Dados carregados com sucesso."));
    EXPECT_EQ(Arquivos(), QStringList({U("Cotacao.kvt")}));
}

TEST_F(Controlador, ArquivoAusenteDaFalsoComAviso)
{
    EXPECT_FALSE(Importar(QStringLiteral("Nenhum")));
    EXPECT_EQ(Log(),
        QStringList(
            {U("Abrindo arquivo..."), U("[Erro] Não foi possível carregar o arquivo KVT.")}));
    ASSERT_EQ(mensagens.Mensagens().size(), 1);
    EXPECT_EQ(mensagens.Mensagens().first().Texto, U(MensagemImportar));
    EXPECT_TRUE(mensagens.Mensagens().first().Detalhes.isEmpty());
}

TEST_F(Controlador, DocumentoSemDadosEhInvalido)
{
    // A document whose root is "cotacao" itself.
    auto cotacao = LicitacaoTeste();
    QByteArray documento;
    TEscritaBytes escrita(documento);
    escrita.Declaracao(u"version=\"1.0\" encoding=\"ISO-8859-1\"");
    cotacao->GravarNoXML(escrita);
    const QString caminho = QDir(m_trabalho.path()).filePath(QStringLiteral("Cotacao"));
    GravarDocumento(documento, caminho);
    ASSERT_TRUE(CompactarArquivo(TextoParaVersao(VERSAO_ARQUIVO_COTACAO), Pasta(), caminho));
    QFile::remove(caminho);
    ObterLogManager().Limpar();

    try {
        Importar();
        FAIL() << "o arquivo foi aceito";
    } catch (const EVrtException &e) {
        EXPECT_EQ(e.Message(), U("Arquivo inválido."));
    }
    EXPECT_EQ(Log().last(), U("[Erro] Arquivo inválido."));
    ASSERT_EQ(mensagens.Mensagens().size(), 1);
    EXPECT_EQ(mensagens.Mensagens().first().Texto, U(MensagemImportar));
    EXPECT_EQ(mensagens.Mensagens().first().Detalhes, U("Arquivo inválido."));
}

TEST_F(Controlador, ContainerRecusadoMostraOMotivoNosDetalhes)
{
    GravarArquivo(
        QDir(m_pasta.path()).filePath(QStringLiteral("Cotacao.kvt")), QByteArray(64, 'x'));
    EXPECT_THROW(Importar(), EVrtException);
    ASSERT_EQ(mensagens.Mensagens().size(), 1);
    EXPECT_EQ(mensagens.Mensagens().first().Texto, U(MensagemImportar));
    EXPECT_TRUE(mensagens.Mensagens().first().Detalhes.startsWith(U("Arquivo ")));
}

TEST_F(Controlador, FalhaAoPreencherAsTabelas)
{
    auto cotacao = LicitacaoTeste();
    cotacao->BrasaoRelatorio = QStringLiteral("zz");
    Receber(*cotacao);
    EXPECT_THROW(Importar(), EConvertError);
    const QStringList log = Log();
    ASSERT_GE(log.size(), 3);
    EXPECT_EQ(log.mid(log.size() - 3),
        QStringList({U("[Erro] Erro ao adicionar a imagem na memória..."),
            U("[Erro] Erro ao inserir as informações na tabela de memória."),
            U("[Erro] Erro ao carregar os dados da cotação.")}));
    ASSERT_EQ(mensagens.Mensagens().size(), 1);
    EXPECT_FALSE(mensagens.Mensagens().first().Detalhes.isEmpty());
}

TEST_F(Controlador, LogCompletoDeUmaGravacao)
{
    Receber(*LicitacaoTeste());
    ASSERT_TRUE(Importar());
    InformarDocumento("11.222.333/0001-81");
    ASSERT_TRUE(Exportar());

    // The answers are taken from the tables, then the three stages run, the writer's own
    // lines in the middle.
    EXPECT_EQ(Log(),
        QStringList({U("Atualizando a licitação da tabela de memória pra o objeto..."),
            U("Atualizando os itens da tabela para os objetos..."),
            U("Itens atualizados com sucesso."), U("Dados da licitação atualizados com sucesso."),
            U("Criando arquivo XML..."), U("Arquivo XML criado com sucesso."),
            U("Inserindo dados no arquivo XML."), U("Carregando dados da licitação..."),
            U("Carregando itens para o arquivo..."), U("Itens exportados com sucesso."),
            U("Dados da licitação carregados com sucesso."), U("Dados inseridos com sucesso"),
            U("Salvando arquivo KVT."), U("Salvando arquivo temporário."),
            U("Arquivo temporário salvo com sucesso."), U("Comprimindo arquivo..."),
            U("Arquivo comprimido com sucesso."), U("Arquivo temporário deletado."),
            U("Arquivo KVT salvo com sucesso.")}));
    EXPECT_TRUE(mensagens.Mensagens().isEmpty());
}

TEST_F(Controlador, PrimeiraGravacaoRenomeiaEDepoisSobrescreve)
{
    Receber(*LicitacaoTeste());
    GravarArquivo(QDir(m_pasta.path()).filePath(QStringLiteral("outro.kvt")), "x");
    ASSERT_TRUE(Importar());

    // Without a CPF/CNPJ yet, then with it, then once more.
    ASSERT_TRUE(Exportar());
    EXPECT_EQ(c.NomeArquivo(), QStringLiteral("COT-7-2024"));
    EXPECT_EQ(Arquivos(), QStringList({U("COT-7-2024.kvt"), U("outro.kvt")}));

    InformarDocumento("11.222.333/0001-81");
    ASSERT_TRUE(Exportar());
    EXPECT_EQ(Arquivos(), QStringList({U("COT-7-2024-11222333000181.kvt"), U("outro.kvt")}));

    ASSERT_TRUE(Exportar());
    EXPECT_EQ(Arquivos(), QStringList({U("COT-7-2024-11222333000181.kvt"), U("outro.kvt")}));
    EXPECT_EQ(c.NomeArquivo(), QStringLiteral("COT-7-2024-11222333000181"));

    // The file written holds the answers and reads back.
    TExpImpCotacao leitor;
    t.PrepararParaCarga();
    ASSERT_TRUE(leitor.Importar(QStringLiteral("COT-7-2024-11222333000181"), Pasta(), Trabalho(),
        t.mmDados, t.mmGrupos, t.mmItens, t.mmCotas));
    EXPECT_EQ(leitor.Cotacao().CpfCnpjFornecedor, QStringLiteral("11.222.333/0001-81"));
}

TEST_F(Controlador, MesmoArquivoSobOutroNomeNaoEhApagado)
{
    Receber(*LicitacaoTeste(), QStringLiteral("COT-7-2024"));
    // The received name leads to the very file the save writes.
    ASSERT_TRUE(QFile::link(QDir(m_pasta.path()).filePath(QStringLiteral("COT-7-2024.kvt")),
        QDir(m_pasta.path()).filePath(QStringLiteral("Atalho.kvt"))));
    ASSERT_TRUE(Importar(QStringLiteral("Atalho")));
    ASSERT_TRUE(Exportar());
    EXPECT_EQ(Arquivos(), QStringList({U("Atalho.kvt"), U("COT-7-2024.kvt")}));
}

// Blank-only texts are data: a brand, an observation and a supplier number made of blanks
// open, fill the tables and are saved as written (the carriage return travels as a character
// reference).
TEST_F(Controlador, TextosSoDeBrancosSaoLidosEGravadosComoEscritos)
{
    auto cotacao = LicitacaoTeste();
    TItem &item = cotacao->Itens()->Item(0);
    item.Marca = QStringLiteral("   ");
    item.Observacao = QStringLiteral(" \t\r\n ");
    cotacao->CpfCnpjFornecedor = QStringLiteral("  ");
    Receber(*cotacao);
    ASSERT_TRUE(Importar());

    const auto conferir = [](const TDadosCotacao &lida) {
        EXPECT_EQ(lida.CpfCnpjFornecedor, QStringLiteral("  "));
        ASSERT_NE(lida.Itens(), nullptr);
        EXPECT_EQ(lida.Itens()->Item(0).Marca, QStringLiteral("   "));
        EXPECT_EQ(lida.Itens()->Item(0).Observacao, QStringLiteral(" \t\r\n "));
    };
    conferir(c.Cotacao());
    t.mmItens.First();
    EXPECT_EQ(t.mmItens.FieldByName(QStringLiteral("ITEMMARCA")).AsString(), QStringLiteral("   "));

    ASSERT_TRUE(Exportar());
    EXPECT_EQ(c.NomeArquivo(), QStringLiteral("COT-7-2024-  "));
    TDadosCotacao relida;
    ASSERT_TRUE(LerArquivoCotacao(relida, Pasta(), c.NomeArquivo(), Trabalho()));
    conferir(relida);
    EXPECT_EQ(Arquivos(), QStringList({U("COT-7-2024-  .kvt")}));
}

// Files arrive from systems that ignore letter case, and under odd names: each opens as the
// base name its folder gives, and the first save replaces it by the canonical file.
class ArquivoRecebido
    : public Controlador
    , public ::testing::WithParamInterface<const char *>
{
};

TEST_P(ArquivoRecebido, AbreEAPrimeiraGravacaoOSubstitui)
{
    const QString recebido = U(GetParam());
    Receber(*LicitacaoTeste(), QStringLiteral("Recebido"));
    ASSERT_TRUE(QFile::rename(QDir(m_pasta.path()).filePath(QStringLiteral("Recebido.kvt")),
        QDir(m_pasta.path()).filePath(recebido)));

    ASSERT_TRUE(Importar(QFileInfo(recebido).completeBaseName()));
    EXPECT_EQ(c.Cotacao().NumeroAlfa, QStringLiteral("7/2024"));
    EXPECT_TRUE(mensagens.Mensagens().isEmpty());
    EXPECT_EQ(Arquivos(), QStringList({recebido}));

    ASSERT_TRUE(Exportar());
    EXPECT_EQ(Arquivos(), QStringList({U("COT-7-2024.kvt")}));
}

INSTANTIATE_TEST_SUITE_P(Nomes, ArquivoRecebido,
    ::testing::Values("Cotacao.kvt", "COTACAO.KVT", "Cotacao.Kvt", ".kvt", "COT-7-2024.KVT"));

TEST_F(Controlador, ExtensaoExataVemAntesDasOutrasCaixas)
{
    Receber(*LicitacaoTeste());
    GravarArquivo(QDir(m_pasta.path()).filePath(QStringLiteral("Cotacao.KVT")), "x");
    EXPECT_TRUE(Importar());
    // The base name itself keeps its case.
    EXPECT_FALSE(Importar(QStringLiteral("COTACAO")));
}

TEST_F(Controlador, PastaDeTrabalhoSemBarraGuardaODocumentoDentroDela)
{
    const QByteArray valido = [&] {
        Receber(*LicitacaoTeste());
        return LerArquivo(QDir(m_pasta.path()).filePath(QStringLiteral("Cotacao.kvt")));
    }();
    // A digest that does not match names the inflated document.
    GravarArquivo(QDir(m_pasta.path()).filePath(QStringLiteral("Cotacao.kvt")),
        QByteArray(valido).replace(27, 1, "\x5A"));
    t.PrepararParaCarga();
    EXPECT_THROW(c.Importar(QStringLiteral("Cotacao"), Pasta(), m_trabalho.path(), t.mmDados,
                     t.mmGrupos, t.mmItens, t.mmCotas),
        EVrtException);
    ASSERT_EQ(mensagens.Mensagens().size(), 1);
    EXPECT_EQ(mensagens.Mensagens().first().Detalhes,
        U("Arquivo %1/Cotacao inválido.").arg(m_trabalho.path()));
}

TEST_F(Controlador, CompressaoQueNaoGravaMantemOArquivoAberto)
{
    Receber(*LicitacaoTeste());
    ASSERT_TRUE(Importar());
    EXPECT_FALSE(Exportar(QDir(m_pasta.path()).filePath(QStringLiteral("nao-existe"))));

    const QStringList log = Log();
    ASSERT_GE(log.size(), 2);
    EXPECT_EQ(log.mid(log.size() - 2),
        QStringList({U("[Erro] Problemas ao tentar comprimir o arquivo."),
            U("Arquivo temporário deletado.")}));
    ASSERT_EQ(mensagens.Mensagens().size(), 1);
    EXPECT_EQ(mensagens.Mensagens().first().Texto, U(MensagemExportarPropostas));
    EXPECT_TRUE(mensagens.Mensagens().first().Detalhes.isEmpty());
    EXPECT_EQ(Arquivos(), QStringList({U("Cotacao.kvt")}));

    // The opened file is still the one to replace at the next save.
    EXPECT_EQ(c.NomeArquivo(), QStringLiteral("Cotacao"));
    ASSERT_TRUE(Exportar());
    EXPECT_EQ(Arquivos(), QStringList({U("COT-7-2024.kvt")}));
}

// Makes the container's final rename fail.
class ConfirmacaoFalha : public TGravacaoContainer
{
public:
    bool Confirmar(QSaveFile &arquivo) override
    {
        arquivo.cancelWriting();
        arquivo.commit();
        return false;
    }
};

TEST_F(Controlador, CompressaoQueFalhaMantemOArquivoAbertoEMostraOErro)
{
    Receber(*LicitacaoTeste());
    ASSERT_TRUE(Importar());
    ConfirmacaoFalha falha;
    TGravacaoContainer *anterior = InstalarGravacaoContainer(&falha);
    EXPECT_THROW(Exportar(), Exception);
    InstalarGravacaoContainer(anterior);

    const QStringList log = Log();
    ASSERT_GE(log.size(), 2);
    EXPECT_EQ(log.mid(log.size() - 2),
        QStringList(
            {U("Arquivo temporário deletado."), U("[Erro] Erro ao salvar o arquivo KVT.")}));
    ASSERT_EQ(mensagens.Mensagens().size(), 1);
    EXPECT_EQ(mensagens.Mensagens().first().Texto, U(MensagemExportarDados));
    EXPECT_FALSE(mensagens.Mensagens().first().Detalhes.isEmpty());
    EXPECT_EQ(Arquivos(), QStringList({U("Cotacao.kvt")}));
}

TEST_F(Controlador, RegravarNaoApagaOArquivoLido)
{
    Receber(*PesquisaTeste());
    ASSERT_TRUE(c.Regravar(QStringLiteral("Cotacao"), Pasta(), Pasta(), Trabalho()));
    EXPECT_EQ(Arquivos(), QStringList({U("COT-PESQ-57.kvt"), U("Cotacao.kvt")}));
    EXPECT_EQ(Log().last(), U("Arquivo KVT salvo com sucesso."));
    EXPECT_TRUE(mensagens.Mensagens().isEmpty());
}

} // namespace
