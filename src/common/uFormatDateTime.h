#pragma once

#include <QString>

// Formats a date-time (day count since 30/12/1899, the time of day as the fraction) through a
// picture, in Brazilian Portuguese.
//
// Picture syntax, letters in either case:
// - "d" / "dd" the day, "ddd" / "dddd" the weekday's short or full name;
// - "m" / "mm" the month, or the minutes right after an hour; "mmm" / "mmmm" the month's short
//   or full name;
// - "yy" / "yyyy" the year; "h" / "hh" the hour (0-23); "n" / "nn" the minutes;
//   "s" / "ss" the seconds; "z" / "zzz" the milliseconds;
// - "/" the date separator, ":" the time separator; text between quotes as it stands, and
//   every other character too.
// An empty picture gives "dd/MM/yyyy", followed by " HH:mm:ss" when there is a time of day.
// A value outside 01/01/0001 to 31/12/9999, or not a number, gives the empty text.
QString FormatDateTime(const QString &picture, double dataHora);
