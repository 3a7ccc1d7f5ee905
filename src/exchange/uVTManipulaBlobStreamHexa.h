#pragma once

#include <QByteArray>
#include <QStringView>

// Decoding of the hexadecimal text in which the quotation document carries pictures and long
// texts: two digits per byte, the more significant first, either letter case.

// The value of a text of hexadecimal digits; 0 for the empty text. Any other character raises
// EConvertError.
int HexaParaInteiro(QStringView texto);

// The bytes that a hexadecimal text stands for. A lone last digit is checked but adds no
// byte; an invalid character anywhere raises EConvertError.
QByteArray HexaParaStream(QStringView texto);
