#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace cr {
class DataView;
}

namespace cr::exchange {

// How a column's cells go into a spreadsheet: as text, as a number or as a
// date (a code column is text: it shows its lookup text).
enum class CellKind { Text, Number, Date };

struct ExtractColumn {
    int index = -1;          // definition column
    QString name;
    QString heading;
    CellKind kind = CellKind::Text;
    QString format;          // display format of the list ("##,###,##0.00"), may be empty
    bool decimal = false;    // a number with a fractional part
    bool lineNumber = false; // 序号: counts the rows of the extract
};

// A list as the user sees it, ready to be written out or printed: the list
// columns in their order with their headings, the rows as searched and
// sorted (data view rows, in the order shown), the summary line. Cells are
// read from the data view when asked for, so a long list is not copied.
class ListExtract {
public:
    // Every row of the view, in its order, with the given title.
    ListExtract(const DataView& view, const QString& title);
    // The given data view rows, in the given order.
    ListExtract(const DataView& view, const QList<int>& rows, const QString& title);

    const QString& title() const { return m_title; }
    const QList<ExtractColumn>& columns() const { return m_columns; }
    int rowCount() const { return int(m_rows.size()); }
    int columnCount() const { return int(m_columns.size()); }

    // Cell of extract row r (0-based) as shown: lookup text, display format.
    QString text(int r, int c) const;
    // The value behind it: a double for numbers, a QDate for dates, the
    // shown text otherwise; null for an empty cell.
    QVariant value(int r, int c) const;

    bool hasSummary() const { return !m_summary.isEmpty(); }
    // What stands under each column in the summary line ("合计：" and sums
    // of the rows of this extract); empty without summaries.
    const QStringList& summary() const { return m_summary; }
    QList<bool> summaryIsNumber() const { return m_summaryNumeric; }
    QVariant summaryValue(int c) const { return m_summaryValues.value(c); }   // the number behind a sum

private:
    void describeColumns();
    void computeSummary();

    const DataView& m_view;
    QList<int> m_rows;
    QString m_title;
    QList<ExtractColumn> m_columns;
    QStringList m_summary;
    QList<bool> m_summaryNumeric;
    QVariantList m_summaryValues;
};

} // namespace cr::exchange
