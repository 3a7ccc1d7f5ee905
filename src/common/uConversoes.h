#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Strict conversions between values and their text in the quotation file, under the Brazilian
// settings of FormatoBrasileiro(). The throwing forms raise EConvertError with a Portuguese
// message; the Tentar... forms answer std::nullopt instead.
//
// Blanks around a number or a date-time (space, tab, CR, LF, as an indented document holds
// them) are ignored when reading; anything else that does not belong to the value fails it.

// Integers: optional "+" or "-", then decimal digits "0"-"9" only; must fit 32 bits.
QString InteiroParaTexto(qint32 valor);
qint32 TextoParaInteiro(QStringView texto);
std::optional<qint32> TentarTextoParaInteiro(QStringView texto);

// Reals, written in the shortest general form with at most 15 significant digits:
// - the value is first rounded to 15 significant digits and trailing zeros are dropped;
// - fixed notation when the rounded magnitude is at least 0.00001 and below 10^15, with ","
//   before the decimals and no separator for whole values ("1234,5", "3", "0,00001");
// - otherwise scientific notation: the mantissa as above with one digit before ",", the
//   letter "E", "-" only for a negative exponent, and the exponent's digits without leading
//   zeros ("1E15", "1E-6", "-2,5E300");
// - zero, negative zero included, is "0". A NaN or an infinity has no text and raises.
// Read: optional sign, digits with an optional "," and decimals (at least one digit in all),
// then optionally "E" or "e", an optional sign and digits. A "." anywhere, a thousands
// separator, or a value beyond the range of a double fails.
QString RealParaTexto(double valor);
double TextoParaReal(QStringView texto);
std::optional<double> TentarTextoParaReal(QStringView texto);

// Date-times are day counts since 30/12/1899 with the time of day as the fraction; for a day
// before that date the fraction still counts forward from midnight (-1.25 is 29/12/1899
// 06:00:00). Valid days run from 01/01/0001 to 31/12/9999.
// Written "dd/MM/yyyy", plus one space and "HH:mm:ss" when the time, counted in whole
// seconds, is not midnight. Read: a date "d/M/yyyy" (one or two digits for day and month,
// four for the year), a date followed by blanks and a time, or a time alone (date part 0);
// the time is "H:mm" or "H:mm:ss" (hours 0-23, minutes and seconds 0-59, one or two digits
// each). Days that do not exist in their month fail.
constexpr qint32 DIA_MINIMO = -693593; // 01/01/0001
constexpr qint32 DIA_MAXIMO = 2958465; // 31/12/9999
QString DataHoraParaTexto(double dataHora);
double TextoParaDataHora(QStringView texto);
std::optional<double> TentarTextoParaDataHora(QStringView texto);
