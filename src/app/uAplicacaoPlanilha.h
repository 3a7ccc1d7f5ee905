#pragma once

// Brings the checked answers of a spreadsheet into the open quotation: the modality's rule for
// the prices above their maximum, taken once for the whole batch, then every change written
// through the item table as typing writes it, the totals, and one silent save (not one per
// row).

#include "app/uConferenciaPlanilha.h"

#include <QString>

#include <vector>

class TRegrasCotacao;

// The changes to apply under the tender's modality: under "Pr" one question listing every
// price above its maximum, whose "&Não" leaves those items as they were; under "Le" and "Cs"
// all of them without a word; under any other one information listing them, then all of them.
std::vector<TAlteracaoItem> DecidirPrecosAcimaDoMaximo(
    const TRegrasCotacao &regras, std::vector<TAlteracaoItem> alteracoes);

// The list of prices above their maximum, one line each ("Item 3: R$ 120,00000, máximo
// R$ 100,00").
QStringList PrecosAcimaDoMaximo(
    const TRegrasCotacao &regras, const std::vector<TAlteracaoItem> &alteracoes);

// Writes the changes, recomputes the totals (every lot's) and saves the file silently into
// diretorio. The item checks and the save after each post stand aside meanwhile: the batch has
// had its own. A pending item edit must have been posted before. False when the save could not
// write the file (the controller has said why).
bool AplicarAlteracoes(TRegrasCotacao &regras, const std::vector<TAlteracaoItem> &alteracoes,
    const QString &diretorio);
