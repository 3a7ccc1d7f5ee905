#include "exchange/uVTExpImpCotacaoEscrita.h"

#include "common/uExcecoes.h"

#include <QLatin1String>

namespace {

bool CaractereXML(char32_t codigo)
{
    return codigo == 0x9 || codigo == 0xA || codigo == 0xD || (codigo >= 0x20 && codigo <= 0xD7FF)
        || (codigo >= 0xE000 && codigo <= 0xFFFD) || (codigo >= 0x10000 && codigo <= 0x10FFFF);
}

// The code point at i, a surrogate pair joined; advances i past it. A lone surrogate comes
// back as itself, which CaractereXML refuses.
char32_t ProximoCodigo(QStringView texto, qsizetype &i)
{
    const QChar atual = texto[i++];
    if (atual.isHighSurrogate() && i < texto.size() && texto[i].isLowSurrogate())
        return QChar::surrogateToUcs4(atual, texto[i++]);
    return atual.unicode();
}

// Characters below 256 as their bytes.
void AcrescentarLatin1(QByteArray &destino, QStringView texto)
{
    const qsizetype inicio = destino.size();
    destino.resize(inicio + texto.size());
    char *byte = destino.data() + inicio;
    for (const QChar c : texto)
        *byte++ = static_cast<char>(c.unicode());
}

} // namespace

void TEscritaXML::Elemento(const QString &nome, QStringView texto)
{
    Abrir(nome);
    if (!texto.isEmpty())
        Texto(texto);
    Fechar();
}

void TEscritaXML::ElementoCDATA(const QString &nome, QStringView texto)
{
    Abrir(nome);
    // "a]]>b" becomes the sections "a]]" and ">b".
    const QLatin1String fim("]]>");
    qsizetype inicio = 0;
    for (qsizetype pos = texto.indexOf(fim); pos >= 0; pos = texto.indexOf(fim, pos + 1)) {
        Cdata(texto.mid(inicio, pos + 2 - inicio));
        inicio = pos + 2;
    }
    Cdata(texto.mid(inicio));
    Fechar();
}

TEscritaBytes::TEscritaBytes(QByteArray &destino)
    : m_destino(destino)
{ }

void TEscritaBytes::Declaracao(QStringView dados)
{
    m_destino += "<?xml ";
    AcrescentarLatin1(m_destino, dados);
    m_destino += "?>";
}

void TEscritaBytes::Abrir(const QString &nome)
{
    TerminarAbertura();
    m_destino += '<';
    AcrescentarLatin1(m_destino, nome);
    m_abertos.push_back(nome);
    m_aberturaPendente = true;
}

void TEscritaBytes::Texto(QStringView texto)
{
    TerminarAbertura();
    // Runs of characters that stand for themselves go in whole; the others one by one.
    const auto comum
        = [](char16_t c) { return c >= 0x20 && c <= 0xFF && c != u'<' && c != u'&' && c != u'>'; };
    for (qsizetype i = 0; i < texto.size();) {
        qsizetype fim = i;
        while (fim < texto.size() && comum(texto[fim].unicode()))
            ++fim;
        AcrescentarLatin1(m_destino, texto.mid(i, fim - i));
        if (fim == texto.size())
            return;
        i = fim;
        const qsizetype posicao = i;
        const char32_t codigo = ProximoCodigo(texto, i);
        switch (codigo) {
        case '<':
            m_destino += "&lt;";
            break;
        case '&':
            m_destino += "&amp;";
            break;
        case '>':
            // Only where it would end a "]]>".
            if (posicao >= 2 && texto[posicao - 1] == u']' && texto[posicao - 2] == u']')
                m_destino += "&gt;";
            else
                m_destino += '>';
            break;
        case '\r':
            m_destino += "&#xd;";
            break;
        default:
            Caractere(codigo, false);
        }
    }
}

void TEscritaBytes::Cdata(QStringView texto)
{
    TerminarAbertura();
    m_destino += "<![CDATA[";
    for (qsizetype i = 0; i < texto.size();)
        Caractere(ProximoCodigo(texto, i), true);
    m_destino += "]]>";
}

void TEscritaBytes::Fechar()
{
    const QString nome = std::move(m_abertos.back());
    m_abertos.pop_back();
    if (m_aberturaPendente) {
        m_destino += "/>";
        m_aberturaPendente = false;
        return;
    }
    m_destino += "</";
    AcrescentarLatin1(m_destino, nome);
    m_destino += '>';
}

void TEscritaBytes::TerminarAbertura()
{
    if (m_aberturaPendente) {
        m_destino += '>';
        m_aberturaPendente = false;
    }
}

void TEscritaBytes::Caractere(char32_t codigo, bool emCdata)
{
    if (codigo <= 0xFF && codigo >= 0x20) {
        m_destino += static_cast<char>(codigo);
        return;
    }
    if (!CaractereXML(codigo)) {
        throw EVrtException(
            QStringLiteral("O texto contém um caractere que o XML não admite (código %1).")
                .arg(static_cast<uint>(codigo)));
    }
    if (codigo <= 0xFF) {
        m_destino += static_cast<char>(codigo);
        return;
    }
    // A CDATA section cannot hold a reference: it is closed before it and opened after it.
    const QByteArray referencia = "&#" + QByteArray::number(static_cast<uint>(codigo)) + ';';
    m_destino += emCdata ? "]]>" + referencia + "<![CDATA[" : referencia;
}
