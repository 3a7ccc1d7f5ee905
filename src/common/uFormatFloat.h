#pragma once

#include <QString>

// Formats a number through a decimal picture, with the Brazilian separators ("." between
// thousands, "," before the decimals) whatever the machine's locale.
//
// Picture syntax:
// - "0" a digit always shown, "#" a digit shown only when significant;
// - "." the place of the decimal separator (the first one counts; it is shown only when
//   decimals follow), "," anywhere asks for thousands grouping;
// - "E+", "E-", "e+" or "e-" followed by up to four "0" switches to scientific notation
//   ("+" always shows the exponent's sign, "-" only a negative one);
// - text between double or single quotes is copied as it stands, and so is every other
//   character;
// - up to three sections separated by ";": positive, negative and zero values.
//
// Sections: a negative value uses the negative section, shown without a sign of its own (the
// section writes any it wants); when that section is absent or empty the positive one is used
// with a leading "-". An exact zero uses the zero section; when the picture has no zero
// section, a two-section picture gives zero its second section ("0.00;0" shows zero as "0")
// and a one-section picture its only one. An empty section falls back to the positive one.
//
// Values are rounded half away from zero at the decimals shown, from their shortest decimal
// form (2.675 with two decimals shows 2,68). A value whose shown digits are all zero carries no
// minus sign. An empty picture gives the general form (up to 15 significant digits).
// NaN and infinities show as "NAN", "INF" and "-INF".
QString FormatFloat(const QString &picture, double value);
