#pragma once

// A small banded report of our own, drawn with QPainter. A report is a list of bands in print
// order; a band holds controls placed in millimetres from its top-left corner and may have
// child bands that follow it. A detail band prints once per row of a memory table, with an
// optional header before the rows, a footer after them and sub-details printed after each
// row. Laying out runs every before-print handler and places the bands on A4 pages; painting
// then draws those pages on any paint device, so the printer and the PDF file share one path.

#include "report/uAlinhaValor.h"

#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class TMemoryTable;

// The report font at the given size: Arial, or its metric twin Liberation Sans where Arial is
// not installed, so that millimetre layouts hold on every machine.
QFont FonteRelatorio(double pontos, bool negrito = false);

// Pen widths are given in design pixels of a 96 dpi screen.
double PixelsEmMilimetros(double pixels);

// Anything a band holds. A disabled control prints nothing.
class TControleRelatorio
{
public:
    TControleRelatorio(double esquerda, double topo, double largura);
    virtual ~TControleRelatorio();
    TControleRelatorio(const TControleRelatorio &) = delete;
    TControleRelatorio &operator=(const TControleRelatorio &) = delete;

    double Esquerda;
    double Topo;
    double Largura;
    bool Habilitado = true;
};

// A horizontal rule. A width of AteABorda runs it to the band's right edge.
class TLinhaRelatorio : public TControleRelatorio
{
public:
    static constexpr double AteABorda = -1;
    TLinhaRelatorio(double esquerda, double topo, double largura, double espessuraPixels = 1);

    double EspessuraPixels;
};

// The common base of the static label and the data-bound text: font, alignment, sizing and the
// value alignment. A single-line text is clipped to its box; a stretching text wraps inside
// its width and grows the band to hold all its lines. A text without width sizes itself.
class TTextoRelatorio : public TControleRelatorio
{
public:
    TTextoRelatorio(double esquerda, double topo, double largura, const QFont &fonte);
    ~TTextoRelatorio() override;

    // The text to print for the current row.
    virtual QString Texto() const = 0;

    QFont Fonte;
    Qt::Alignment Alinhamento() const { return m_alinhamento; }
    void SetAlinhamento(Qt::Alignment alinhamento) { m_alinhamento = alinhamento; }
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize) { m_autoSize = autoSize; }
    bool Estica() const { return m_estica; }
    void SetEstica(bool estica) { m_estica = estica; }

    TAlinhaValor &AlinhaValor() { return m_alinhaValor; }
    const TAlinhaValor &AlinhaValor() const { return m_alinhaValor; }
    void SetAlinhaValor(const TAlinhaValor &alinhaValor) { m_alinhaValor.Assign(alinhaValor); }

private:
    Qt::Alignment m_alinhamento = Qt::AlignLeft;
    bool m_autoSize;
    bool m_estica = false;
    TAlinhaValor m_alinhaValor;
};

class TRotuloRelatorio : public TTextoRelatorio
{
public:
    TRotuloRelatorio(double esquerda, double topo, double largura, const QFont &fonte,
        const QString &texto = QString());

    QString Texto() const override { return Caption; }
    QString Caption;
};

// Prints a field of the table's current row as the field shows it (its display text; a memo
// prints its whole text). An empty table prints nothing.
class TCampoRelatorio : public TTextoRelatorio
{
public:
    TCampoRelatorio(double esquerda, double topo, double largura, const QFont &fonte,
        TMemoryTable &tabela, const QString &campo);

    QString Texto() const override;

private:
    TMemoryTable &m_tabela;
    QString m_campo;
};

class TBandaRelatorio
{
public:
    // Runs before the band prints; setting imprimir to false leaves this band out (its child
    // bands are still considered, each by its own switch and handler).
    using TAntesImprimir = std::function<void(TBandaRelatorio &banda, bool &imprimir)>;

    TBandaRelatorio(const QString &nome, double altura);
    virtual ~TBandaRelatorio();
    TBandaRelatorio(const TBandaRelatorio &) = delete;
    TBandaRelatorio &operator=(const TBandaRelatorio &) = delete;

    const QString &Nome() const { return m_nome; }
    double Altura;
    // Off: neither the band nor its child bands (nor a detail's header, rows and footer) print.
    bool Habilitada = true;
    TAntesImprimir AntesImprimir;

    template<class TControle, class... TArgumentos>
    TControle &Adicionar(TArgumentos &&...argumentos)
    {
        m_controles.push_back(
            std::make_unique<TControle>(std::forward<TArgumentos>(argumentos)...));
        return static_cast<TControle &>(*m_controles.back());
    }
    TBandaRelatorio &AdicionarFilha(const QString &nome, double altura);

    const std::vector<std::unique_ptr<TControleRelatorio>> &Controles() const
    {
        return m_controles;
    }
    const std::vector<std::unique_ptr<TBandaRelatorio>> &Filhas() const { return m_filhas; }

private:
    QString m_nome;
    std::vector<std::unique_ptr<TControleRelatorio>> m_controles;
    std::vector<std::unique_ptr<TBandaRelatorio>> m_filhas;
};

// Prints once per row of its table that passes the table's filter, from the first row on.
class TBandaDetalhe : public TBandaRelatorio
{
public:
    TBandaDetalhe(const QString &nome, double altura, TMemoryTable &tabela);
    ~TBandaDetalhe() override;

    TMemoryTable &Tabela() const { return m_tabela; }
    TBandaRelatorio &CriarCabecalho(const QString &nome, double altura);
    TBandaRelatorio &CriarRodape(const QString &nome, double altura);
    TBandaRelatorio *Cabecalho() const { return m_cabecalho.get(); }
    TBandaRelatorio *Rodape() const { return m_rodape.get(); }
    // A detail printed in full after each row of this one (and after the row's child bands).
    TBandaDetalhe &AdicionarSubDetalhe(const QString &nome, double altura, TMemoryTable &tabela);
    const std::vector<std::unique_ptr<TBandaDetalhe>> &SubDetalhes() const { return m_subDetalhes; }

private:
    TMemoryTable &m_tabela;
    std::unique_ptr<TBandaRelatorio> m_cabecalho;
    std::unique_ptr<TBandaRelatorio> m_rodape;
    std::vector<std::unique_ptr<TBandaDetalhe>> m_subDetalhes;
};

// One thing to draw on a laid-out page, in millimetres from the paper's top-left corner.
struct TItemPagina
{
    enum TTipo { Texto, Linha };
    TTipo Tipo = Texto;
    QRectF Retangulo; // a text's box, or a rule's start, length and thickness
    QRectF Recorte; // a text's clip box; null when the text sized itself
    QString Conteudo;
    QFont Fonte;
    Qt::Alignment Alinhamento;
};

struct TPaginaRelatorio
{
    std::vector<TItemPagina> Itens;
};

// The report: page settings in millimetres, the bands in print order and the handlers that
// run before and after a print.
class TRelatorio
{
public:
    TRelatorio();
    ~TRelatorio();
    TRelatorio(const TRelatorio &) = delete;
    TRelatorio &operator=(const TRelatorio &) = delete;

    // The report is laid out on its design page whatever paper the print goes to; the paper
    // chosen sets the side margins.
    static constexpr QPageSize::PageSizeId PapelDoProjeto = QPageSize::A4;
    QPageSize::PageSizeId Papel = PapelDoProjeto;
    QPageLayout::Orientation Orientacao = QPageLayout::Portrait;
    double MargemEsquerda = 10;
    double MargemDireita = 10;
    double MargemSuperior = 10;
    double MargemInferior = 10;
    int Copias = 1;
    // The pages to print, from 1; 0 and 0 print them all.
    int PrimeiraPagina = 0;
    int UltimaPagina = 0;
    // When set, nothing is printed while this table is empty.
    TMemoryTable *TabelaPrincipal = nullptr;

    std::function<void(TRelatorio &relatorio)> AntesImprimir;
    // Runs after every print that AntesImprimir started, also when the print failed.
    std::function<void(TRelatorio &relatorio)> AposImprimir;
    // Called before each page is painted, with its number from 1 and the number of pages.
    std::function<void(int pagina, int paginas)> AoImprimirPagina;

    TBandaRelatorio &AdicionarBanda(const QString &nome, double altura);
    TBandaDetalhe &AdicionarDetalhe(const QString &nome, double altura, TMemoryTable &tabela);

    QPageLayout LayoutPagina() const;
    double LarguraUtil() const; // the printable width between the side margins

    // Lays the report out for the device's resolution and answers the number of pages.
    // A band taller than the printable page is refused: the message is shown and the error
    // raised.
    int Preparar(const QPaintDevice &dispositivo);
    // Lays the report out and paints the chosen pages on the paper the device holds, from its
    // corner. Raises EVrtException when the device refuses to print.
    void Imprimir(QPagedPaintDevice &dispositivo);
    // The pages of the last lay-out.
    const std::vector<TPaginaRelatorio> &Paginas() const { return m_paginas; }

private:
    void Montar(const QPaintDevice &dispositivo);

    std::vector<std::unique_ptr<TBandaRelatorio>> m_bandas;
    std::vector<TPaginaRelatorio> m_paginas;
};
