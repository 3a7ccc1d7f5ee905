// A save on a disk that fails at one of its steps: the earlier file stays intact or the new
// one is complete, never neither; nothing half-written is left beside the quotation; the user
// is told when the save did not happen.
#include "common/uExcecoes.h"
#include "exchange/uVTExpImpCotacao.h"
#include "exchange/uVTExpImpCotacaoValidacoes.h"
#include "messages/uExpLog.h"
#include "model/uTabelasCotacao.h"
#include "support/ArquivosTeste.h"
#include "support/CotacaoTeste.h"
#include "support/MensagemGravador.h"

#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const char *const MensagemExportarDados
    = "Ocorreu um erro ao exportar os dados. Contate a administração pública.";

enum class TPasso {
    CriarContainer,
    GravarContainer,
    RenomearContainer,
    GravarDocumento,
    RemoverDocumento,
    RemoverAnterior,
};

// Lets every step through but the chosen one, which fails as a full or broken disk does: a
// write stops halfway, a rename or a removal does not happen.
class TDiscoFalho : public TGravacaoContainer
{
public:
    TDiscoFalho(TPasso passo, QString trabalho)
        : m_passo(passo)
        , m_trabalho(std::move(trabalho))
        , m_anterior(InstalarGravacaoContainer(this))
    { }
    ~TDiscoFalho() override { InstalarGravacaoContainer(m_anterior); }

    bool Criar(QSaveFile &arquivo) override
    {
        return m_passo != TPasso::CriarContainer && TGravacaoContainer::Criar(arquivo);
    }
    qint64 Gravar(QSaveFile &arquivo, const char *dados, qint64 tamanho) override
    {
        if (m_passo == TPasso::GravarContainer)
            return TGravacaoContainer::Gravar(arquivo, dados, tamanho / 2);
        return TGravacaoContainer::Gravar(arquivo, dados, tamanho);
    }
    bool Confirmar(QSaveFile &arquivo) override
    {
        if (m_passo != TPasso::RenomearContainer)
            return TGravacaoContainer::Confirmar(arquivo);
        arquivo.cancelWriting();
        arquivo.commit();
        return false;
    }
    bool GravarDocumento(const QString &caminho, const QByteArray &bytes) override
    {
        if (m_passo != TPasso::GravarDocumento)
            return TGravacaoContainer::GravarDocumento(caminho, bytes);
        TGravacaoContainer::GravarDocumento(caminho, bytes.left(bytes.size() / 2));
        return false;
    }
    bool Remover(const QString &caminho) override
    {
        const bool documento = caminho.startsWith(m_trabalho);
        if ((m_passo == TPasso::RemoverDocumento && documento)
            || (m_passo == TPasso::RemoverAnterior && !documento))
            return false;
        return TGravacaoContainer::Remover(caminho);
    }

private:
    TPasso m_passo;
    QString m_trabalho;
    TGravacaoContainer *m_anterior;
};

struct CasoDisco
{
    const char *nome;
    TPasso passo;
    // The second save, over the file the first one wrote, is the one that meets the failure.
    bool regravacao;
    // The start of the error's text shown as the details; nullptr when the save succeeds.
    const char *detalhes;
    // What the quotation's folder holds afterwards.
    QStringList arquivos;
    // The leftover temporary document, in the working folder only.
    bool sobraDocumento = false;
};

void PrintTo(const CasoDisco &caso, std::ostream *saida)
{
    *saida << caso.nome;
}

const QString Recebido = QStringLiteral("Cotacao.kvt");
const QString Sem = QStringLiteral("COT-7-2024.kvt");
const QString Com = QStringLiteral("COT-7-2024-11222333000181.kvt");

const CasoDisco Casos[] = {
    {"criar_container", TPasso::CriarContainer, false, "Não foi possível criar o arquivo ",
        {Recebido}},
    {"gravar_container", TPasso::GravarContainer, false, "Não foi possível gravar o arquivo ",
        {Recebido}},
    {"renomear_container", TPasso::RenomearContainer, false,
        "Não foi possível substituir o arquivo ", {Recebido}},
    {"gravar_documento", TPasso::GravarDocumento, false, "Não foi possível gravar o arquivo ",
        {Recebido}},
    {"remover_documento", TPasso::RemoverDocumento, false, nullptr, {Com}, true},
    {"remover_anterior", TPasso::RemoverAnterior, false, nullptr, {Com, Recebido}},
    {"regravar_criar_container", TPasso::CriarContainer, true, "Não foi possível criar o arquivo ",
        {Com}},
    {"regravar_gravar_container", TPasso::GravarContainer, true,
        "Não foi possível gravar o arquivo ", {Com}},
    {"regravar_renomear_container", TPasso::RenomearContainer, true,
        "Não foi possível substituir o arquivo ", {Com}},
    {"regravar_gravar_documento", TPasso::GravarDocumento, true,
        "Não foi possível gravar o arquivo ", {Com}},
};

// The supplier answers the received pasta/Cotacao.kvt with a price and a CNPJ and saves.
class SalvarEmDiscoFalho : public ::testing::TestWithParam<CasoDisco>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_pasta.isValid());
        ASSERT_TRUE(m_trabalho.isValid());
        GravarArquivoCotacao(*LicitacaoTeste(), m_pasta.path(), QStringLiteral("Cotacao"));
        t.Abrir();
        t.PrepararParaCarga();
        ASSERT_TRUE(c.Importar(QStringLiteral("Cotacao"), Pasta(), Trabalho(), t.mmDados,
            t.mmGrupos, t.mmItens, t.mmCotas));
        t.mmDados.First();
        t.mmDados.Edit();
        t.mmDados.FieldByName(QStringLiteral("FornecedorCPFCNPJ"))
            .SetAsString(QStringLiteral("11.222.333/0001-81"));
        t.mmDados.Post();
        if (GetParam().regravacao) {
            ASSERT_TRUE(Exportar());
        }
        CotarPrimeiroItem(9.75);
        m_antes = Conteudos();
    }

    QString Pasta() const { return m_pasta.path() + QLatin1Char('/'); }
    QString Trabalho() const { return m_trabalho.path() + QLatin1Char('/'); }

    bool Exportar() { return c.Exportar(Pasta(), Trabalho(), t.mmDados, t.mmItens, t.mmGrupos); }

    void CotarPrimeiroItem(double valor)
    {
        t.mmItens.First();
        t.mmItens.Edit();
        t.mmItens.FieldByName(QStringLiteral("VlCotado")).SetAsFloat(valor);
        t.mmItens.Post();
    }

    std::map<QString, QByteArray> Conteudos() const
    {
        std::map<QString, QByteArray> conteudos;
        for (const QString &arquivo : ArquivosEm(m_pasta.path()))
            conteudos[arquivo] = LerArquivo(Pasta() + arquivo);
        return conteudos;
    }

    // The first item's price in the file, read back as the program opens it.
    double PrecoGravado(const QString &arquivo)
    {
        TTabelasCotacao lidas;
        lidas.Abrir();
        lidas.PrepararParaCarga();
        TExpImpCotacao leitor;
        QTemporaryDir trabalho;
        EXPECT_TRUE(leitor.Importar(QFileInfo(arquivo).completeBaseName(), Pasta(),
            trabalho.path() + QLatin1Char('/'), lidas.mmDados, lidas.mmGrupos, lidas.mmItens,
            lidas.mmCotas));
        lidas.mmItens.First();
        return lidas.mmItens.FieldByName(QStringLiteral("VlCotado")).AsFloat();
    }

    QTemporaryDir m_pasta;
    QTemporaryDir m_trabalho;
    TTabelasCotacao t;
    TExpImpCotacao c;
    std::map<QString, QByteArray> m_antes;
};

TEST_P(SalvarEmDiscoFalho, GuardaOArquivoAnteriorOuOCompleto)
{
    const CasoDisco &caso = GetParam();
    MensagemGravador mensagens;
    {
        TDiscoFalho disco(caso.passo, Trabalho());
        if (caso.detalhes) {
            EXPECT_THROW(Exportar(), Exception);
        } else {
            EXPECT_TRUE(Exportar());
        }
    }

    EXPECT_EQ(ArquivosEm(m_pasta.path()), caso.arquivos);
    const QStringList sobra = ArquivosEm(m_trabalho.path());
    EXPECT_EQ(sobra,
        caso.sobraDocumento ? QStringList({QStringLiteral("COT-7-2024-11222333000181")})
                            : QStringList());
    if (caso.detalhes) {
        // Nothing was replaced: every file is as it was before the save.
        EXPECT_EQ(Conteudos(), m_antes);
        ASSERT_EQ(mensagens.Mensagens().size(), 1);
        EXPECT_EQ(mensagens.Mensagens().first().Texto.toStdString(), MensagemExportarDados);
        EXPECT_TRUE(
            mensagens.Mensagens().first().Detalhes.startsWith(QString::fromUtf8(caso.detalhes)))
            << mensagens.Mensagens().first().Detalhes.toStdString();
        EXPECT_EQ(ObterLogManager().Linhas().last(),
            QStringLiteral("[Erro] Erro ao salvar o arquivo KVT."));
    } else {
        EXPECT_TRUE(mensagens.Mensagens().isEmpty())
            << mensagens.Textos().join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(PrecoGravado(Com), 9.75);
        if (caso.arquivos.contains(Recebido)) {
            EXPECT_EQ(LerArquivo(Pasta() + Recebido), m_antes.at(Recebido));
        }
    }

    // The next save, on a sound disk, writes the answer.
    for (const QString &arquivo : ArquivosEm(m_trabalho.path()))
        QFile::remove(Trabalho() + arquivo);
    mensagens.Limpar();
    ASSERT_TRUE(Exportar());
    EXPECT_EQ(PrecoGravado(Com), 9.75);
    EXPECT_TRUE(mensagens.Mensagens().isEmpty());
    EXPECT_EQ(ArquivosEm(m_trabalho.path()), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Passos, SalvarEmDiscoFalho, ::testing::ValuesIn(Casos),
    [](const ::testing::TestParamInfo<CasoDisco> &dado) { return std::string(dado.param.nome); });

} // namespace
