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
