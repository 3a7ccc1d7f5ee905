#pragma once

#include <QString>

// Free routines shared by the windows, the model and the file exchange: the taxpayer number
// masks and check digits, the procurement vocabulary, decimal rounding and text helpers.

// The masked forms NNN.NNN.NNN-NN and NN.NNN.NNN/NNNN-NN, built from the digits of the text
// alone (punctuation already present is dropped and rebuilt); at most 18 characters.
QString MascararCPF(const QString &texto);
QString MascararCNPJ(const QString &texto);

// True when the text holds exactly 11 digits for the person kind "Fi" or 14 for "Ju".
bool TamanhoDocumentoValido(const QString &tipoPessoa, const QString &texto);

// Check digits of a number in its masked form.
bool ValidarCPF(const QString &texto);
bool ValidarCNPJ(const QString &texto);

// Names of the two-letter codes of the quotation file; empty for an unknown code.
QString NomeModalidade(const QString &codigo);
QString NomeFormaEntrega(const QString &codigo);

// Rounds half away from zero at the given number of decimals (at most 10), deciding on the
// decimal digits of the value rather than on its binary form, so that 1.005 gives 1.01.
long double Arredondar(int casas, long double valor);

// Replaces every occurrence, left to right; replacements are not scanned again.
QString SubstituirTexto(const QString &texto, const QString &procurado, const QString &substituto);

QString EscolherTexto(bool condicao, const QString &seVerdadeiro, const QString &seFalso);

// Lower case without accents, so that "cafe" finds "Café" and "AÇÚCAR" reads "acucar".
QString DobrarTexto(const QString &texto);
