#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <memory>
#include <vector>

class QXmlStreamReader;
class TDocumentoLido;

// One element of a read document, or none: a missing child answers a null element, never a
// failure. Cheap to copy; valid while its document lives.
class TElementoLido
{
public:
    TElementoLido() = default;

    bool Nulo() const { return m_documento == nullptr; }
    QString Nome() const;
    // Every character the element holds, its children's included, exactly as written: blanks,
    // CDATA and character references alike. Empty for a null element.
    QString Texto() const;
    // The same without a copy, for the conversions of numbers and dates.
    QStringView TextoVisto() const;

    // The first child element of that name (of any name when empty), in document order.
    TElementoLido PrimeiroFilho(QStringView nome = {}) const;
    // The next sibling element of that name (of any name when empty).
    TElementoLido ProximoIrmao(QStringView nome = {}) const;

private:
    friend class TDocumentoLido;
    TElementoLido(const TDocumentoLido *documento, qint32 indice)
        : m_documento(documento)
        , m_indice(indice)
    { }

    // The element at indice, or the first of its next siblings, of that name (any when empty).
    TElementoLido DeNome(qint32 indice, QStringView nome) const;

    const TDocumentoLido *m_documento = nullptr;
    qint32 m_indice = -1;
};

// The quotation document as one pass of QXmlStreamReader leaves it: for every element its
// name, its first child, its next sibling and the span of its text. The character data of the
// whole document lies in one buffer in document order, so that an element's text, with all
// its descendants', is one slice of it; nothing else of the document is kept.
//
// A document that is not well-formed XML, that is nested deeper than the quotation ever is, or
// that holds a reference to an entity the parser cannot expand has no root (Valido() false).
class TDocumentoLido
{
public:
    TDocumentoLido();
    ~TDocumentoLido();
    TDocumentoLido(TDocumentoLido &&) noexcept;
    TDocumentoLido &operator=(TDocumentoLido &&) noexcept;
    TDocumentoLido(const TDocumentoLido &) = delete;
    TDocumentoLido &operator=(const TDocumentoLido &) = delete;

    // Reads the bytes of a whole document; the bytes are not kept.
    static TDocumentoLido DeBytes(QByteArrayView bytes);

    bool Valido() const;
    // The root element; null for an invalid document.
    TElementoLido Raiz() const;

private:
    friend class TElementoLido;

    struct TNo
    {
        qint32 nome;
        qint32 primeiroFilho;
        qint32 proximoIrmao;
        quint32 inicioTexto;
        quint32 fimTexto;
    };

    class TNomes;

    void Ler(QByteArrayView bytes);
    void LerTokens();
    void AbrirElemento();
    void FecharElemento();
    void Invalidar();

    std::vector<TNo> m_nos;
    QString m_textos;
    std::unique_ptr<TNomes> m_nomes;
    // While reading: the parser, the open elements and the last child of each.
    QXmlStreamReader *m_leitor = nullptr;
    std::vector<qint32> m_abertos;
    std::vector<qint32> m_ultimoFilho;
};
