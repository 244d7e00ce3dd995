#include "exchange/list_extract.h"
#include "exchange/list_writers.h"
#include "exchange/xlsx_book.h"

#include <QDate>

namespace cr::exchange {
namespace {

// The list's display format in a spreadsheet's terms: thousands grouping
// and decimals as the list shows them.
QString numberFormat(const ExtractColumn& c)
{
    const QString f = c.format;
    if (f.isEmpty()) return c.decimal ? QStringLiteral("0.00") : QStringLiteral("0");
    const int point = int(f.indexOf(QLatin1Char('.')));
    int decimals = 0;
    if (point >= 0)
        while (point + 1 + decimals < f.size() && (f[point + 1 + decimals] == QLatin1Char('0')
                                                   || f[point + 1 + decimals] == QLatin1Char('#')))
            ++decimals;
    QString result = f.contains(QLatin1Char(',')) ? QStringLiteral("#,##0") : QStringLiteral("0");
    if (decimals > 0) result += QLatin1Char('.') + QString(decimals, QLatin1Char('0'));
    return result;
}

// Column widths from the heading and the first rows: measuring a very long
// list whole would take as long as writing it.
QList<int> columnWidths(const ListExtract& list)
{
    constexpr int kSampledRows = 2000;
    QList<int> widths;
    for (int c = 0; c < list.columnCount(); ++c) {
        int w = displayWidth(list.columns()[c].heading);
        const int rows = qMin(list.rowCount(), kSampledRows);
        for (int r = 0; r < rows; ++r) w = qMax(w, displayWidth(list.text(r, c)));
        if (list.hasSummary()) w = qMax(w, displayWidth(list.summary()[c]));
        widths << qBound(6, w + 2, 60);
    }
    return widths;
}

} // namespace

int displayWidth(const QString& text)
{
    int w = 0;
    for (QChar ch : text) w += ch.unicode() >= 0x2E80 ? 2 : 1;
    return w;
}

WriteResult writeXlsx(const ListExtract& list, const QString& path, const ExportProgress& progress)
{
    WriteResult result;
    XlsxBook book(path, list.title());
    if (!book.isOpen()) {
        result.error = book.error();
        return result;
    }
    const XlsxBook::Style heading = book.addStyle({.bold = true, .fill = 0xDDE6F0, .border = true});
    const XlsxBook::Style text = book.addStyle({});
    const XlsxBook::Style date = book.addStyle({.numberFormat = QStringLiteral("yyyy-mm-dd")});
    QList<XlsxBook::Style> numbers;
    for (const ExtractColumn& c : list.columns())
        numbers << (c.kind == CellKind::Number ? book.addStyle({.numberFormat = numberFormat(c)}) : text);
    const XlsxBook::Style summaryText = book.addStyle({.bold = true, .topBorder = true});
    QList<XlsxBook::Style> summaryNumbers;
    for (const ExtractColumn& c : list.columns())
        summaryNumbers << book.addStyle({.bold = true, .topBorder = true, .alignRight = true,
                                         .numberFormat = c.kind == CellKind::Number ? numberFormat(c) : QString()});

    const QList<int> widths = columnWidths(list);
    for (int c = 0; c < widths.size(); ++c) book.setColumnWidth(c, widths[c]);
    book.freezeHeading();
    book.setPrintLayout(widths.size() > 6);

    for (int c = 0; c < list.columnCount(); ++c) book.writeText(0, c, list.columns()[c].heading, heading);
    const int rows = list.rowCount();
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < list.columnCount(); ++c) {
            const QVariant v = list.value(r, c);
            if (v.isNull()) continue;
            switch (list.columns()[c].kind) {
            case CellKind::Number: book.writeNumber(r + 1, c, v.toDouble(), numbers[c]); break;
            case CellKind::Date: book.writeDate(r + 1, c, v.toDate(), date); break;
            case CellKind::Text: book.writeText(r + 1, c, v.toString(), text); break;
            }
        }
        if ((r + 1) % kProgressStep == 0 && progress && !progress(r + 1, rows)) {
            book.close();
            result.result = ExportOutcome::Result::Cancelled;
            return result;
        }
    }
    if (list.hasSummary()) {
        const QList<bool> numeric = list.summaryIsNumber();
        for (int c = 0; c < list.columnCount(); ++c) {
            bool isNumber = false;
            const double total = list.summaryValue(c).toDouble(&isNumber);
            if (numeric[c] && isNumber) book.writeNumber(rows + 1, c, total, summaryNumbers[c]);
            else book.writeText(rows + 1, c, list.summary()[c], numeric[c] ? summaryNumbers[c] : summaryText);
        }
    }
    if (!book.close()) {
        result.error = book.error();
        return result;
    }
    if (progress) progress(rows, rows);
    result.result = ExportOutcome::Result::Written;
    return result;
}

} // namespace cr::exchange
