#pragma once

#include "model/uVTExpImpCotacaoDados.h"

#include <QString>

#include <memory>

// Small quotations for tests; GravarArquivoCotacao writes their files as a save does.

// An item of the given number, material and treatment, with a quantity and prices.
std::unique_ptr<TItem> ItemTeste(qint32 codigo, qint32 material = 100, qint32 tratamento = 1);

// A tender numbered 7/2024 of the given judgement form and treatment, holding the list the
// form calls for: two loose items, or two lots of two items each.
std::unique_ptr<TDadosCotacao> LicitacaoTeste(
    const QString &formaJulgamento = QStringLiteral("Pi"), qint32 tratamento = 1);
// Price survey 57 of the given form, with the same goods (no treatment, estimate or maximum).
std::unique_ptr<TDadosCotacao> PesquisaTeste(const QString &formaJulgamento = QStringLiteral("Pi"));

// A tender of many items for the tools that find and count them: "Pi" or "Gl" hold them loose
// (with treatment 4, the odd items in the reserved quota and the even ones in the principal),
// "Gi" in lots of 100 numbered from 1 in each lot. Item 37 of every hundred is "Café torrado e
// moído", item 88 "Açúcar refinado", the others "Material N".
std::unique_ptr<TDadosCotacao> LicitacaoGrande(
    const QString &formaJulgamento, int quantos = 500, qint32 tratamento = 1);
