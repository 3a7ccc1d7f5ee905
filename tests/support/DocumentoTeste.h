#pragma once

#include "exchange/uVTExpImpCotacaoEscrita.h"
#include "exchange/uVTExpImpCotacaoLeitura.h"
#include "messages/uExpLog.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>
#include <utility>
#include <vector>

// Child elements with their texts: {"licano", "2024"} gives <licano>2024</licano>.
using TFilhos = std::vector<std::pair<QString, QString>>;

// An element around markup that is already written.
inline QString Envolto(const QString &nome, const QString &conteudo)
{
    return QLatin1Char('<') + nome + QLatin1Char('>') + conteudo + QStringLiteral("</") + nome
        + QLatin1Char('>');
}

inline QString Xml(const TFilhos &filhos)
{
    QString xml;
    for (const auto &[nome, texto] : filhos)
        xml += Envolto(nome, texto.toHtmlEscaped());
    return xml;
}

// The leaf children of an element as {name, text}, in document order; a child that holds
// elements of its own shows with the text "…".
inline TFilhos Folhas(const TElementoLido &pai)
{
    TFilhos filhos;
    for (TElementoLido no = pai.PrimeiroFilho(); !no.Nulo(); no = no.ProximoIrmao()) {
        const bool composto = !no.PrimeiroFilho().Nulo();
        filhos.emplace_back(no.Nome(), composto ? QStringLiteral("…") : no.Texto());
    }
    return filhos;
}

inline QStringList Nomes(const TFilhos &filhos)
{
    QStringList nomes;
    for (const auto &filho : filhos)
        nomes.append(filho.first);
    return nomes;
}

// Each test starts with an empty progress log and reads documents it keeps alive.
class DocumentoTeste : public ::testing::Test
{
protected:
    void SetUp() override { ObterLogManager().Limpar(); }
    void TearDown() override { ObterLogManager().Limpar(); }

    // The "cotacao" element of <dados><cotacao>conteudo</cotacao></dados>.
    TElementoLido Cotacao(const QString &conteudo)
    {
        const QString xml
            = Envolto(QStringLiteral("dados"), Envolto(QStringLiteral("cotacao"), conteudo));
        m_lido = TDocumentoLido::DeBytes(xml.toUtf8());
        EXPECT_TRUE(m_lido.Valido()) << xml.toStdString();
        return m_lido.Raiz().PrimeiroFilho(QStringLiteral("cotacao"));
    }

    // The root element that gravar writes, read back from the bytes of the file it makes.
    template<typename FGravar>
    TElementoLido Gravado(FGravar &&gravar)
    {
        m_bytesGravados.clear();
        TEscritaBytes escrita(m_bytesGravados);
        escrita.Declaracao(u"version=\"1.0\" encoding=\"ISO-8859-1\"");
        gravar(static_cast<TEscritaXML &>(escrita));
        m_gravado = TDocumentoLido::DeBytes(m_bytesGravados);
        EXPECT_TRUE(m_gravado.Valido()) << m_bytesGravados.toStdString();
        return m_gravado.Raiz();
    }

    static QStringList Log() { return ObterLogManager().Linhas(); }

    TDocumentoLido m_lido;
    TDocumentoLido m_gravado;
    QByteArray m_bytesGravados;
};
