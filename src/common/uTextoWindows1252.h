#pragma once

#include <QByteArray>
#include <QString>

// The text that bytes written by a Windows program in its Western code page stand for. Bytes
// 0x80 to 0x9F carry the code page's own letters and signs (0x80 is the euro sign); the five
// positions the code page leaves unassigned keep their C1 control code, so that no byte is
// lost. Every other byte is the ISO-8859-1 character of the same value.
QString TextoWindows1252(const QByteArray &bytes);

// The bytes of a text in the same code page: the reverse of TextoWindows1252, so that every text
// it gives comes back byte for byte. A character the code page cannot hold becomes "?".
QByteArray BytesWindows1252(const QString &texto);
