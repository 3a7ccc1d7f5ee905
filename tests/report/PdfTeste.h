#pragma once

#include "report/uBandasRelatorio.h"

#include <QRectF>
#include <QString>
#include <QStringList>

#include <initializer_list>

// What poppler's tools read back from a PDF file: its text (laid out as on the page, pages
// separated by form feeds), its number of pages and the names of its fonts.
QString TextoDoPdf(const QString &caminho);
int PaginasDoPdf(const QString &caminho);
QStringList FontesDoPdf(const QString &caminho);
// The box, in millimetres from the first page's corner, of the first word on that page that
// reads exactly so; a null box when there is none.
QRectF CaixaDaPalavra(const QString &caminho, const QString &palavra);

// The texts of the laid-out pages, in drawing order.
QStringList TextosDasPaginas(const TRelatorio &relatorio);
QStringList TextosDaPagina(const TPaginaRelatorio &pagina);

// A list of texts written as UTF-8 literals.
QStringList Lista(std::initializer_list<const char *> textos);
