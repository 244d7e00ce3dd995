#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace cr::exchange {

// The cells of the first sheet of a spreadsheet file, row by row (row 0 is
// the file's first row; empty rows stay, so row numbers match the file).
// A cell is a QString, a double, a QDate (a number shown as a date in an
// xlsx file) or null when empty.
struct SheetRead {
    bool ok = false;
    QString error;                 // Chinese, when !ok
    QList<QVariantList> rows;
};

// Reads an xlsx or a CSV file, told apart by their contents, not their names.
// Old binary Excel files and anything else are refused with a message.
SheetRead readSheet(const QString& path);

// The parts of an xlsx file (a zip of XML parts); for tests and readSheet().
SheetRead readXlsx(const QString& path);
SheetRead readCsv(const QByteArray& bytes);

// Cells of an xlsx file store dates as days since 1899-12-30.
QDate dateFromSerial(double serial);

} // namespace cr::exchange
