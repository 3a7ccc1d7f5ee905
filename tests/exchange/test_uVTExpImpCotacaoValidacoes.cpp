#include "exchange/uVTExpImpCotacaoValidacoes.h"
#include "support/ArquivosTeste.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const TVersao VersaoAtual = TextoParaVersao(VERSAO_ARQUIVO_COTACAO);

// A document large enough to cross every buffer of both directions, compressible like the
// real ones.
QByteArray DocumentoDeExemplo()
{
    QByteArray documento("<?xml version = \"1.0\" encoding=\"ISO-8859-1\"?><dados><cotacao>");
    for (int i = 0; i < 20000; ++i)
        documento += "<item><codigo>" + QByteArray::number(i * 7919 % 100003)
            + "</codigo><descricao>Caneta esferogr\xe1"
              "fica azul</descricao></item>";
    return documento + "</cotacao></dados>";
}

TMD5Digest Md5(const QByteArray &dados)
{
    const QByteArray hash = QCryptographicHash::hash(dados, QCryptographicHash::Md5);
    TMD5Digest digest;
    std::copy(hash.begin(), hash.end(), digest.begin());
    return digest;
}

// A container folder and a working folder, with the document named as the open names it.
class Container : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_raiz.isValid());
        ASSERT_TRUE(QDir(m_raiz.path()).mkpath(QStringLiteral("cotacoes")));
        ASSERT_TRUE(QDir(m_raiz.path()).mkpath(QStringLiteral("trabalho")));
        pasta = m_raiz.filePath(QStringLiteral("cotacoes"));
        trabalho = m_raiz.filePath(QStringLiteral("trabalho"));
        documento = trabalho + QStringLiteral("/COT-12-2023");
        container = pasta + QStringLiteral("/COT-12-2023.kvt");
    }

    void Compactar(const QByteArray &conteudo)
    {
        GravarArquivo(documento, conteudo);
        ASSERT_TRUE(CompactarArquivo(VersaoAtual, pasta, documento));
        ASSERT_TRUE(QFile::remove(documento));
    }

    // Rewrites part of the container in place.
    void Alterar(int posicao, const QByteArray &bytes)
    {
        QByteArray dados = LerArquivo(container);
        dados.replace(posicao, bytes.size(), bytes);
        GravarArquivo(container, dados);
    }

    QString Descompactar(qint64 maximo = TAMANHO_MAXIMO_DOCUMENTO)
    {
        try {
            EXPECT_TRUE(DescompactarArquivo(VersaoAtual, pasta, documento, maximo));
            return QString();
        } catch (const Exception &e) {
            return e.Message();
        }
    }

    QString ArquivoInvalido(const QString &caminho) const
    {
        return QStringLiteral("Arquivo %1 inválido.").arg(caminho);
    }

    QTemporaryDir m_raiz;
    QString pasta;
    QString trabalho;
    QString documento;
    QString container;
};

class DamagedBody
    : public Container
    , public ::testing::WithParamInterface<int>
{
};

// Which step of writing the container fails.
enum class PassoGravacao { Criar, Gravar, Confirmar };

class FailingStep : public TGravacaoContainer
{
public:
    explicit FailingStep(PassoGravacao passo)
        : m_passo(passo)
    { }
    bool Criar(QSaveFile &arquivo) override
    {
        return m_passo != PassoGravacao::Criar && TGravacaoContainer::Criar(arquivo);
    }
    qint64 Gravar(QSaveFile &arquivo, const char *dados, qint64 tamanho) override
    {
        // The header goes through; the body breaks off.
        if (m_passo == PassoGravacao::Gravar && ++m_gravacoes > 1)
            return -1;
        return TGravacaoContainer::Gravar(arquivo, dados, tamanho);
    }
    bool Confirmar(QSaveFile &arquivo) override
    {
        if (m_passo == PassoGravacao::Confirmar) {
            arquivo.cancelWriting();
            return false;
        }
        return TGravacaoContainer::Confirmar(arquivo);
    }

private:
    PassoGravacao m_passo;
    int m_gravacoes = 0;
};

class InterruptedWrite
    : public Container
    , public ::testing::WithParamInterface<PassoGravacao>
{
};

} // namespace

TEST(Version, TextFormAndComparison)
{
    const TVersao atual = TextoParaVersao(VERSAO_ARQUIVO_COTACAO);
    EXPECT_EQ(atual.Major, 2);
    EXPECT_EQ(atual.Minor, 0);
    EXPECT_EQ(atual.Release, 0);
    EXPECT_EQ(atual.Build, 0);
    EXPECT_EQ(VersaoParaTexto(atual), QStringLiteral("02.00.00.0000"));
    EXPECT_EQ(VersaoParaTexto({1, 5, 0, 3}), QStringLiteral("01.05.00.0003"));
    EXPECT_EQ(VersaoParaTexto({123, 5, 0, 123456}), QStringLiteral("12.05.00.1234"));
    const TVersao lida = TextoParaVersao(QStringLiteral("12x34y56z7890"));
    EXPECT_EQ(VersaoParaTexto(lida), QStringLiteral("12.34.56.7890"));
    EXPECT_THROW(TextoParaVersao(QStringLiteral("ab.00.00.0000")), EConvertError);

    EXPECT_EQ(CompararVersao({2, 0, 0, 0}, {2, 0, 0, 0}), 0);
    EXPECT_EQ(CompararVersao({2, 1, 0, 0}, {2, 0, 9, 9}), 1);
    EXPECT_EQ(CompararVersao({2, 0, 0, 1}, {2, 0, 0, 2}), -1);
    // fields compare as unsigned numbers
    EXPECT_EQ(CompararVersao({-1, 0, 0, 0}, {1, 0, 0, 0}), 1);
}

TEST(Digest, StandardMd5OfTheWholeFileAndZeroForAMissingOne)
{
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("abc"));
    GravarArquivo(arquivo, "abc");

    EXPECT_EQ(QByteArray(
                  reinterpret_cast<const char *>(TMD5CheckSum::CalcularArquivo(arquivo).data()), 16)
                  .toHex(),
        QByteArray("900150983cd24fb0d6963f7d28e17f72"));
    EXPECT_EQ(TMD5CheckSum::CalcularArquivo(pasta.filePath(QStringLiteral("nada"))), TMD5Digest {});
    EXPECT_TRUE(TMD5CheckSum::Comparar(Md5("abc"), TMD5CheckSum::CalcularArquivo(arquivo)));
    EXPECT_FALSE(TMD5CheckSum::Comparar(Md5("abd"), TMD5CheckSum::CalcularArquivo(arquivo)));
}

TEST(ContainerName, FolderWithDelimiterAndTheDocumentsFileName)
{
    EXPECT_EQ(NomeArquivoCompactado(
                  QStringLiteral("/srv/cotacoes"), QStringLiteral("/opt/prog/COT-12-2023")),
        QStringLiteral("/srv/cotacoes/COT-12-2023.kvt"));
    EXPECT_EQ(
        NomeArquivoCompactado(QStringLiteral("/srv/cotacoes/"), QStringLiteral("COT-1.234-2023")),
        QStringLiteral("/srv/cotacoes/COT-1.234-2023.kvt"));
}

TEST_F(Container, RoundTripGivesTheDocumentByteForByte)
{
    for (const QByteArray &conteudo : {DocumentoDeExemplo(), QByteArray()}) {
        Compactar(conteudo);
        EXPECT_EQ(Descompactar(), QString());
        EXPECT_EQ(LerArquivo(documento), conteudo);
    }
}

TEST_F(Container, HeaderHoldsSignatureVersionAndDigest)
{
    const QByteArray conteudo = DocumentoDeExemplo();
    Compactar(conteudo);

    const QByteArray dados = LerArquivo(container);
    EXPECT_EQ(dados.left(20).toHex(),
        QByteArray("d2029649020000000000000000000000000000"
                   "00"));
    const TMD5Digest digest = Md5(conteudo);
    EXPECT_EQ(dados.mid(20, 16), QByteArray(reinterpret_cast<const char *>(digest.data()), 16));
    EXPECT_EQ(dados.mid(36, 2).toHex(), QByteArray("789c"));
    EXPECT_LT(dados.size(), conteudo.size() / 4);
}

TEST_F(Container, EmptyDocumentCarriesTheDigestOfNoBytes)
{
    Compactar(QByteArray());
    EXPECT_EQ(
        LerArquivo(container).mid(20, 16).toHex(), QByteArray("d41d8cd98f00b204e9800998ecf8427e"));
}

TEST_F(Container, WritesTheVersionAsGivenAndReplacesAnEarlierContainer)
{
    GravarArquivo(documento, "primeiro");
    ASSERT_TRUE(CompactarArquivo(VersaoAtual, pasta, documento));
    GravarArquivo(documento, "segundo");
    ASSERT_TRUE(CompactarArquivo({2, 0, 0, 7}, pasta, documento));
    QFile::remove(documento);

    EXPECT_EQ(LerArquivo(container).mid(16, 4).toHex(), QByteArray("07000000"));
    EXPECT_EQ(Descompactar(), QString());
    EXPECT_EQ(LerArquivo(documento), QByteArray("segundo"));
    EXPECT_EQ(ArquivosEm(pasta), QStringList {QStringLiteral("COT-12-2023.kvt")});
}

TEST_F(Container, IgnoresTheBuildNumberAndRefusesAnotherMinorVersion)
{
    Compactar("<dados/>");
    Alterar(16, QByteArray("\x07\x00\x00\x00", 4));
    EXPECT_EQ(Descompactar(), QString());

    QFile::remove(documento);
    Alterar(8, QByteArray("\x01\x00\x00\x00", 4));
    Alterar(16, QByteArray(4, '\0'));
    EXPECT_EQ(Descompactar(),
        QStringLiteral("Versão 02.01.00.0000 do arquivo inválida para esta versão 02.00.00.0000."));
    EXPECT_FALSE(QFile::exists(documento));
}

TEST_F(Container, RefusesAWrongSignatureOrAShortFileBeforeCreatingTheDocument)
{
    Compactar("<dados/>");
    const QByteArray valido = LerArquivo(container);
    // a wrong signature is refused before the (also wrong) version is looked at
    for (const QByteArray &dados :
        {QByteArray("\xD3\x02\x96\x49\x09") + valido.mid(5), valido.left(35), QByteArray()}) {
        GravarArquivo(container, dados);
        EXPECT_EQ(Descompactar(), ArquivoInvalido(container));
        EXPECT_TRUE(ArquivosEm(trabalho).isEmpty());
    }
}

TEST_F(Container, DigestMismatchRemovesTheDocument)
{
    Compactar(DocumentoDeExemplo());
    Alterar(25, QByteArray("\xAA\xBB"));

    EXPECT_EQ(Descompactar(), ArquivoInvalido(documento));
    EXPECT_TRUE(ArquivosEm(trabalho).isEmpty());
}

TEST_F(Container, BodyCutShortEndsReadingAndIsRefused)
{
    Compactar(DocumentoDeExemplo());
    const QByteArray dados = LerArquivo(container);
    for (const int tamanho : {int(dados.size() / 2), 36}) {
        GravarArquivo(container, dados.left(tamanho));
        EXPECT_EQ(Descompactar(), ArquivoInvalido(documento)) << tamanho;
        EXPECT_TRUE(ArquivosEm(trabalho).isEmpty());
    }
}

TEST_P(DamagedBody, RaisesTheInflatersErrorAndRemovesTheDocument)
{
    Compactar(DocumentoDeExemplo());
    const int posicao
        = GetParam() >= 0 ? GetParam() : int(LerArquivo(container).size()) + GetParam();
    Alterar(posicao, QByteArray("\x00\x01", 2));

    try {
        DescompactarArquivo(VersaoAtual, pasta, documento);
        FAIL() << "damaged data accepted";
    } catch (const EZLibError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Error"));
    }
    EXPECT_TRUE(ArquivosEm(trabalho).isEmpty());
}

// The zlib header, then the Adler-32 trailer.
INSTANTIATE_TEST_SUITE_P(Places, DamagedBody, ::testing::Values(36, -2));

TEST_F(Container, IgnoresBytesAfterTheStream)
{
    const QByteArray conteudo = DocumentoDeExemplo();
    Compactar(conteudo);
    GravarArquivo(container, LerArquivo(container) + QByteArray(100000, '\x5A'));

    EXPECT_EQ(Descompactar(), QString());
    EXPECT_EQ(LerArquivo(documento), conteudo);
}

TEST_F(Container, RefusesADocumentBeyondTheSizeLimit)
{
    const QByteArray zeros(1 << 20, '\0');
    Compactar(zeros);
    ASSERT_LT(LerArquivo(container).size(), 4096);

    EXPECT_EQ(Descompactar(zeros.size() - 1), ArquivoInvalido(documento));
    EXPECT_TRUE(ArquivosEm(trabalho).isEmpty());

    EXPECT_EQ(Descompactar(zeros.size()), QString());
    EXPECT_EQ(LerArquivo(documento), zeros);
}

TEST_F(Container, MissingFilesGiveFalseAndCreateNothing)
{
    EXPECT_FALSE(DescompactarArquivo(VersaoAtual, pasta, documento));
    EXPECT_FALSE(CompactarArquivo(VersaoAtual, pasta, documento));
    GravarArquivo(documento, "<dados/>");
    EXPECT_FALSE(CompactarArquivo(VersaoAtual, pasta + QStringLiteral("/nao-existe"), documento));

    EXPECT_TRUE(ArquivosEm(pasta).isEmpty());
    EXPECT_EQ(ArquivosEm(trabalho), QStringList {QStringLiteral("COT-12-2023")});
}

TEST_F(Container, DocumentThatCannotBeCreatedRaisesAFileError)
{
    Compactar("<dados/>");
    const QString semPasta = trabalho + QStringLiteral("/nao-existe/COT-12-2023");

    try {
        DescompactarArquivo(VersaoAtual, pasta, semPasta);
        FAIL() << "no error";
    } catch (const EFileError &e) {
        EXPECT_TRUE(
            e.Message().startsWith(QStringLiteral("Não foi possível criar o arquivo ") + semPasta))
            << e.Message().toStdString();
    }
}

TEST_F(Container, NeverInflatesOverTheContainerItself)
{
    Compactar("<dados/>");
    const QByteArray dados = LerArquivo(container);
    const QString ligacao = trabalho + QStringLiteral("/ligacao.kvt");
    ASSERT_TRUE(QFile::link(container, ligacao));

    for (const QString &destino : {container, ligacao})
        EXPECT_THROW(DescompactarContainer(VersaoAtual, container, destino), EFileError);
    EXPECT_EQ(LerArquivo(container), dados);
}

TEST_P(InterruptedWrite, LeavesTheEarlierContainerAndNoTemporaryFile)
{
    Compactar("anterior");
    const QByteArray anterior = LerArquivo(container);
    GravarArquivo(documento, DocumentoDeExemplo());

    FailingStep falha(GetParam());
    TGravacaoContainer *padrao = InstalarGravacaoContainer(&falha);
    EXPECT_THROW(CompactarArquivo(VersaoAtual, pasta, documento), EFileError);
    InstalarGravacaoContainer(padrao);

    EXPECT_EQ(ArquivosEm(pasta), QStringList {QStringLiteral("COT-12-2023.kvt")});
    EXPECT_EQ(LerArquivo(container), anterior);
}

INSTANTIATE_TEST_SUITE_P(Steps, InterruptedWrite,
    ::testing::Values(PassoGravacao::Criar, PassoGravacao::Gravar, PassoGravacao::Confirmar));
