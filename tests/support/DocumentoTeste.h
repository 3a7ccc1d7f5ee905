#pragma once

#include "messages/uExpLog.h"

#include <QDomDocument>
#include <QDomElement>
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
inline TFilhos Folhas(const QDomElement &pai)
{
    TFilhos filhos;
    for (QDomElement no = pai.firstChildElement(); !no.isNull(); no = no.nextSiblingElement()) {
        const bool composto = !no.firstChildElement().isNull();
        filhos.emplace_back(no.tagName(), composto ? QStringLiteral("…") : no.text());
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

// Each test starts with an empty progress log and parses documents it keeps alive.
class DocumentoTeste : public ::testing::Test
{
protected:
    void SetUp() override { ObterLogManager().Limpar(); }
    void TearDown() override { ObterLogManager().Limpar(); }

    // The "cotacao" element of <dados><cotacao>conteudo</cotacao></dados>.
    QDomElement Cotacao(const QString &conteudo)
    {
        m_lido = QDomDocument();
        const QString xml
            = Envolto(QStringLiteral("dados"), Envolto(QStringLiteral("cotacao"), conteudo));
        EXPECT_TRUE(m_lido.setContent(xml)) << xml.toStdString();
        return m_lido.documentElement().firstChildElement(QStringLiteral("cotacao"));
    }

    static QStringList Log() { return ObterLogManager().Linhas(); }

    QDomDocument m_lido;
    QDomDocument m_gravado;
};
