#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <vector>

// Where the quotation's writers put the document. They go in document order: each element is
// opened, filled with text, CDATA sections and child elements, and closed before its next
// sibling is opened.
class TEscritaXML
{
public:
    virtual ~TEscritaXML() = default;

    virtual void Abrir(const QString &nome) = 0;
    virtual void Texto(QStringView texto) = 0;
    virtual void Cdata(QStringView texto) = 0;
    virtual void Fechar() = 0;

    // An element holding a text; an empty text leaves it without content.
    void Elemento(const QString &nome, QStringView texto);
    // An element holding a text as CDATA. A "]]>" inside it is split across two sections,
    // so that no section ends early.
    void ElementoCDATA(const QString &nome, QStringView texto);
};

// Writes the bytes of the file straight away, as the program stores its documents: ISO-8859-1;
// "<" and "&" escaped in texts, and ">" after "]]", and a carriage return as a reference, so
// that it reads back; every character outside ISO-8859-1 as a numeric character reference
// (a CDATA section is closed around it); an element without content as "<nome/>"; nothing
// between elements. Raises EVrtException for a character that XML cannot carry at all.
class TEscritaBytes : public TEscritaXML
{
public:
    explicit TEscritaBytes(QByteArray &destino);

    // The XML declaration, "<?xml " + dados + "?>".
    void Declaracao(QStringView dados);
    void Abrir(const QString &nome) override;
    void Texto(QStringView texto) override;
    void Cdata(QStringView texto) override;
    void Fechar() override;

private:
    void TerminarAbertura();
    void Caractere(char32_t codigo, bool emCdata);

    QByteArray &m_destino;
    std::vector<QString> m_abertos;
    bool m_aberturaPendente = false; // "<nome" written, waiting for "/>" or ">"
};
