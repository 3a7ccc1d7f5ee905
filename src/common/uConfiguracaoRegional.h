#pragma once

#include <QChar>
#include <QString>

// The one regional setting of the program: Brazilian Portuguese, whatever the machine's locale.
// Public bodies write quotation files on machines set this way, so the file exchange relies on
// it as much as the display does.
struct TFormatSettings
{
    QChar DecimalSeparator;
    QChar ThousandSeparator; // display only; never written into a file
    QString ShortDateFormat;
    QString LongTimeFormat;
};

const TFormatSettings &FormatoBrasileiro();
