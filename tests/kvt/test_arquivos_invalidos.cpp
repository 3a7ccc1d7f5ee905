// Bad quotation files through the whole open road, as the program opens them (the controller
// with the four tables) and as kvt checks them: each gives its message, leaves the file as it
// was and leaves no document behind, neither in the working folder nor beside the file.
#include "exchange/uVTExpImpCotacao.h"
#include "exchange/uVTExpImpCotacaoValidacoes.h"
#include "messages/uExpLog.h"
#include "model/uTabelasCotacao.h"
#include "support/ArquivosTeste.h"
#include "support/KvtTeste.h"
#include "support/MensagemGravador.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

const char *const MensagemImportar
    = "Ocorreu um erro ao importar as propostas. Contate a administração pública.";
const char *const ErroHexa = "Ocorreu um erro ao converter um Inteiro para Hexadecimal";

QString U(const char *texto)
{
    return QString::fromUtf8(texto);
}

QByteArray Documento(const QByteArray &cotacao)
{
    return "<?xml version = \"1.0\" encoding=\"ISO-8859-1\"?><dados><cotacao>" + cotacao
        + "</cotacao></dados>";
}

// A tender judged per item with one item, the given elements first (the reader takes the
// first element of each name).
QByteArray Licitacao(const QByteArray &elementos)
{
    return Documento(elementos
        + "<tipocotacao>0</tipocotacao><licformajulgamento>Pi</licformajulgamento>"
          "<licnralfa>7/2024</licnralfa><itens><item><itemcodigo>1</itemcodigo></item></itens>");
}

QByteArray Pesquisa(const QByteArray &elementos)
{
    return Documento(elementos
        + "<tipocotacao>1</tipocotacao><pesqformacotacao>Pi</pesqformacotacao>"
          "<pesqcodigo>57</pesqcodigo><itens><item><itemcodigo>1</itemcodigo></item></itens>");
}

QByteArray Elemento(const QByteArray &nome, const QByteArray &texto)
{
    return '<' + nome + '>' + texto + "</" + nome + '>';
}

// The container of a document, packed by the program's own writer.
QByteArray Container(const QByteArray &documento)
{
    QTemporaryDir rascunho;
    const QString caminho = rascunho.filePath(QStringLiteral("Documento"));
    GravarArquivo(caminho, documento);
    EXPECT_TRUE(
        CompactarArquivo(TextoParaVersao(VERSAO_ARQUIVO_COTACAO), rascunho.path(), caminho));
    return LerArquivo(caminho + QStringLiteral(".kvt"));
}

QByteArray Valido()
{
    return Container(Licitacao(QByteArray()));
}

QByteArray Alterado(QByteArray bytes, int posicao, const QByteArray &novos)
{
    return bytes.replace(posicao, novos.size(), novos);
}

// A valid header before a zlib stream of more zeros than a document may hold.
QByteArray Bomba()
{
    static const QByteArray bomba = [] {
        QByteArray bytes = Valido().left(TAMANHO_CABECALHO_COTACAO);
        z_stream fluxo {};
        deflateInit(&fluxo, Z_DEFAULT_COMPRESSION);
        std::vector<Bytef> zeros(1 << 20, 0);
        std::vector<Bytef> saida(1 << 16);
        const qint64 megas = TAMANHO_MAXIMO_DOCUMENTO / (1 << 20) + 1;
        for (qint64 mega = 0; mega <= megas; ++mega) {
            fluxo.next_in = zeros.data();
            fluxo.avail_in = mega < megas ? uInt(zeros.size()) : 0;
            const int flush = mega < megas ? Z_NO_FLUSH : Z_FINISH;
            do {
                fluxo.next_out = saida.data();
                fluxo.avail_out = uInt(saida.size());
                deflate(&fluxo, flush);
                bytes.append(reinterpret_cast<const char *>(saida.data()),
                    qsizetype(saida.size() - fluxo.avail_out));
            } while (fluxo.avail_out == 0);
        }
        deflateEnd(&fluxo);
        return bytes;
    }();
    return bomba;
}

struct CasoInvalido
{
    const char *nome;
    QByteArray (*arquivo)();
    // The details of the message and kvt's error: %1 stands for the file's path, %2 for the
    // inflated document's; nullptr when the file opens.
    const char *erro;
    // The fault shows only when the tables are filled, which kvt check does not do.
    bool checkAceita = false;
};

void PrintTo(const CasoInvalido &caso, std::ostream *saida)
{
    *saida << caso.nome;
}

#define HEXA_RUIM(nome, documento)                                                                 \
    CasoInvalido                                                                                   \
    {                                                                                              \
        "hexa_" nome, [] { return Container(documento(Elemento(nome, "41 42"))); }, ErroHexa, true \
    }

const CasoInvalido Casos[] = {
    {"assinatura_errada", [] { return Alterado(Valido(), 0, "KVT!"); }, "Arquivo %1 inválido."},
    {"arquivo_vazio", [] { return QByteArray(); }, "Arquivo %1 inválido."},
    {"arquivo_curto", [] { return Valido().left(TAMANHO_CABECALHO_COTACAO - 1); },
        "Arquivo %1 inválido."},
    {"outra_versao",
        [] {
            char menor[4];
            qToLittleEndian<qint32>(1, menor);
            return Alterado(Valido(), 8, QByteArray(menor, 4));
        },
        "Versão 02.01.00.0000 do arquivo inválida para esta versão 02.00.00.0000."},
    {"digest_diferente", [] { return Alterado(Valido(), 27, "\x5A"); }, "Arquivo %2 inválido."},
    {"corpo_cortado", [] { return Valido().chopped(12); }, "Arquivo %2 inválido."},
    {"deflate_danificado", [] { return Alterado(Valido(), TAMANHO_CABECALHO_COTACAO, "\xFF"); },
        "Error"},
    {"bomba_de_descompressao", Bomba, "Arquivo %2 inválido."},
    {"nao_xml", [] { return Container("Isto n\xE3o \xE9 um documento XML."); },
        "Arquivo inválido."},
    {"xml_cortado", [] { return Container(Licitacao(QByteArray()).chopped(20)); },
        "Arquivo inválido."},
    {"raiz_errada",
        [] { return Container("<cotacao><dados><tipocotacao>0</tipocotacao></dados></cotacao>"); },
        "Arquivo inválido."},
    {"inteiro_ruim", [] { return Container(Licitacao(Elemento("licano", "20x4"))); },
        "'20x4' não é um valor inteiro válido."},
    {"inteiro_vazio", [] { return Container(Licitacao(Elemento("licano", ""))); },
        "'' não é um valor inteiro válido."},
    {"inteiro_alem_de_32_bits",
        [] { return Container(Licitacao(Elemento("entidadecodigo", "4294967296"))); },
        "'4294967296' não é um valor inteiro válido."},
    {"real_com_ponto",
        [] { return Container(Licitacao(Elemento("licvalortotallicitado", "1234.56"))); },
        "'1234.56' não é um valor real válido."},
    {"real_com_milhar",
        [] { return Container(Pesquisa(Elemento("pesqvalorcotacao", "1.234,56"))); },
        "'1.234,56' não é um valor real válido."},
    {"data_inexistente",
        [] { return Container(Licitacao(Elemento("licdataabertura", "31/02/2024"))); },
        "'31/02/2024' não é uma data e hora válida."},
    HEXA_RUIM("licobjetoresumido", Licitacao),
    HEXA_RUIM("liclocalentregaproposta", Licitacao),
    HEXA_RUIM("liclocalabertura", Licitacao),
    HEXA_RUIM("licprazoentrega", Licitacao),
    HEXA_RUIM("liclocalentregamatserv", Licitacao),
    HEXA_RUIM("elibrasaorelatorio", Licitacao),
    HEXA_RUIM("pesqbjetoresumido", Pesquisa),
    HEXA_RUIM("pesqprazolocal", Pesquisa),
    HEXA_RUIM("pesqentregaprazo", Pesquisa),
    HEXA_RUIM("pesqentregalocal", Pesquisa),
    HEXA_RUIM("pesqobservao", Pesquisa),
    {"sem_itens",
        [] {
            return Container(Documento(
                "<tipocotacao>0</tipocotacao><licformajulgamento>Gl</licformajulgamento>"));
        },
        "O elemento \"itens\" não existe no arquivo."},
    {"sem_grupos",
        [] {
            return Container(Documento("<tipocotacao>1</tipocotacao><pesqformacotacao>Gi"
                                       "</pesqformacotacao><itens/>"));
        },
        "O elemento \"grupos\" não existe no arquivo."},
    {"item_alem_do_campo",
        [] {
            return Container(Documento("<licformajulgamento>Pi</licformajulgamento><itens><item>"
                                       "<itemcodigo>32768</itemcodigo></item></itens>"));
        },
        "O valor 32768 está fora do intervalo do campo \"Item\" (-32768 a 32767).", true},
    {"item_aquem_do_campo",
        [] {
            return Container(Documento("<licformajulgamento>Pi</licformajulgamento><itens><item>"
                                       "<itemcodigo>-32769</itemcodigo></item></itens>"));
        },
        "O valor -32769 está fora do intervalo do campo \"Item\" (-32768 a 32767).", true},
    {"lote_alem_do_campo",
        [] {
            return Container(Documento("<licformajulgamento>Gi</licformajulgamento><grupos><grupo>"
                                       "<grupocodigo>65536</grupocodigo></grupo></grupos>"));
        },
        "O valor 65536 está fora do intervalo do campo \"CodGrupo\" (-32768 a 32767).", true},
    {"textos_enormes",
        [] {
            return Container(Licitacao(Elemento("entidadenome", QByteArray(4 << 20, 'A'))
                + Elemento("licobjetoresumido", QByteArray(2 << 20, 'B'))
                + Elemento("licformaentrega", QByteArray(1 << 20, '\xE9'))));
        },
        nullptr},
};

// The file arrives as cotacoes/Cotacao.kvt; the controller works in trabalho, kvt in a
// temporary location of its own.
class ArquivoInvalido : public ::testing::TestWithParam<CasoInvalido>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_raiz.isValid());
        for (const char *pasta : {"cotacoes", "trabalho", "tmp"})
            ASSERT_TRUE(QDir(m_raiz.path()).mkdir(QString::fromLatin1(pasta)));
        m_bytes = GetParam().arquivo();
        GravarArquivo(Arquivo(), m_bytes);
        ObterLogManager().Limpar();
    }

    // What is left afterwards: the file as it came, and nothing else anywhere.
    void TearDown() override
    {
        EXPECT_EQ(LerArquivo(Arquivo()), m_bytes);
        EXPECT_EQ(ArquivosEm(m_raiz.path()), QStringList({QStringLiteral("cotacoes/Cotacao.kvt")}));
        EXPECT_TRUE(QDir(Pasta(QStringLiteral("tmp")))
                        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                        .isEmpty());
    }

    QString Pasta(const QString &nome) const { return m_raiz.filePath(nome) + QLatin1Char('/'); }
    QString Arquivo() const
    {
        return Pasta(QStringLiteral("cotacoes")) + QStringLiteral("Cotacao.kvt");
    }

    QString Erro(const QString &documento) const
    {
        return U(GetParam().erro)
            .replace(QStringLiteral("%1"), Arquivo())
            .replace(QStringLiteral("%2"), documento);
    }

    // kvt's error line, its private folder's random name made plain.
    static QString UltimaLinha(const ResultadoKvt &r)
    {
        QString linha = r.erro.isEmpty() ? QString() : r.erro.last();
        return linha.replace(QRegularExpression(QStringLiteral("/varenta-cotacao-[^/]+/")),
            QStringLiteral("/privada/"));
    }

    QTemporaryDir m_raiz;
    QByteArray m_bytes;
};

TEST_P(ArquivoInvalido, ImportarMostraOMotivo)
{
    TTabelasCotacao t;
    t.Abrir();
    t.PrepararParaCarga();
    MensagemGravador mensagens;
    TExpImpCotacao controlador;
    const auto importar = [&] {
        return controlador.Importar(QStringLiteral("Cotacao"), Pasta(QStringLiteral("cotacoes")),
            Pasta(QStringLiteral("trabalho")), t.mmDados, t.mmGrupos, t.mmItens, t.mmCotas);
    };
    if (!GetParam().erro) {
        EXPECT_TRUE(importar());
        EXPECT_TRUE(mensagens.Mensagens().isEmpty());
        return;
    }
    EXPECT_THROW(importar(), Exception);
    ASSERT_EQ(mensagens.Mensagens().size(), 1);
    EXPECT_EQ(mensagens.Mensagens().first().Texto.toStdString(), MensagemImportar);
    EXPECT_EQ(mensagens.Mensagens().first().Detalhes.toStdString(),
        Erro(Pasta(QStringLiteral("trabalho")) + QStringLiteral("Cotacao")).toStdString());
}

TEST_P(ArquivoInvalido, KvtRecusaComOMesmoMotivo)
{
    const QString privada = Pasta(QStringLiteral("tmp")) + QStringLiteral("privada/Cotacao");
    const bool checkRecusa = GetParam().erro && !GetParam().checkAceita;
    const ResultadoKvt check
        = ExecutarKvt({QStringLiteral("check"), Arquivo()}, Pasta(QStringLiteral("tmp")));
    EXPECT_EQ(check.status, checkRecusa ? 1 : 0);
    EXPECT_EQ(UltimaLinha(check),
        checkRecusa ? QStringLiteral("erro: ") + Erro(privada)
                    : U("Dados carregados com sucesso."));

    // The tables' road refuses what check lets through.
    if (GetParam().checkAceita) {
        const ResultadoKvt tabelas
            = ExecutarKvt({QStringLiteral("tables"), Arquivo()}, Pasta(QStringLiteral("tmp")));
        EXPECT_EQ(tabelas.status, 1);
        EXPECT_EQ(UltimaLinha(tabelas).toStdString(), "erro: " + Erro(privada).toStdString());
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, ArquivoInvalido, ::testing::ValuesIn(Casos),
    [](const ::testing::TestParamInfo<CasoInvalido> &dado) {
        return std::string(dado.param.nome);
    });

} // namespace
