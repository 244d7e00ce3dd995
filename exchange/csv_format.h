#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace cr::exchange {

// One CSV line in UTF-8, ended by CR LF; a field holding a comma, a quote,
// a line break or blanks at its ends is quoted, quotes inside doubled.
QByteArray csvLine(const QStringList& cells);

// The records of a CSV text (already decoded): fields separated by
// `separator`, quoted fields may hold separators, quotes and line breaks.
QList<QStringList> parseCsv(const QString& text, QChar separator);

// The separator a CSV text uses: a comma, unless its first line holds more
// tabs or semicolons than commas.
QChar guessSeparator(const QString& text);

// Text of a CSV file's bytes: UTF-8 (with or without BOM), UTF-16 with BOM,
// or GB18030 (what spreadsheet programs on Chinese systems save as "CSV")
// when the bytes are no valid UTF-8.
QString decodeCsvBytes(const QByteArray& bytes);

} // namespace cr::exchange
