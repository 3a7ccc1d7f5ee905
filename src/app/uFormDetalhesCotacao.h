#pragma once

#include "app/uJanelaSecundaria.h"

#include <initializer_list>

class QWidget;
class TDataSource;

// One line of a details window, from top to bottom.
struct TLinhaDetalhe
{
    enum TTipo {
        tlTexto, // a single value, sized to its text
        tlMemo, // a long text on one line: only its first line shows
        tlObjeto, // the tender's object: several lines that scroll
        tlSecao, // a bold heading on a line across the window
    };

    TTipo tipo;
    int topo;
    const char16_t *titulo; // the title to the value's left, or the section's heading
    const char16_t *controle = u""; // the value's name
    const char16_t *campo = u""; // its field of the header table
};

// A read-only view of the quotation's header: titled values and long texts, all bound to the
// header table through the main window's data source, grouped under section headings. It
// changes nothing.
class TFormDetalhesCotacao : public TJanelaSecundaria
{
    Q_OBJECT

protected:
    TFormDetalhesCotacao(const QString &nome, const QString &legenda, TDataSource *dsDados,
        std::initializer_list<TLinhaDetalhe> linhas, QWidget *parent);

private:
    // The title names its value, for screen readers as well.
    void CriarTitulo(const TLinhaDetalhe &linha, int direita, QWidget *valor);
    QWidget *CriarValor(const TLinhaDetalhe &linha, int esquerda);
    QWidget *CriarMemo(const TLinhaDetalhe &linha, const QRect &geometria);
    void CriarSecao(const TLinhaDetalhe &linha);

    TDataSource *m_dsDados;
    QWidget *pnGeral;
};
