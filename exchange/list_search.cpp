#include "exchange/list_search.h"

#include "frame/dataview.h"

namespace cr::exchange {
namespace {

const QChar kCellSeparator(0x1F);

} // namespace

ListSearch::ListSearch(const QString& text)
    : m_words(text.simplified().toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts))
{
}

bool ListSearch::matches(const QString& rowText) const
{
    for (const QString& w : m_words)
        if (!rowText.contains(w)) return false;
    return true;
}

QString ListSearch::joinCells(const QStringList& cells)
{
    QString text;
    for (const QString& c : cells) {
        text += c;
        text += kCellSeparator;
    }
    return text.toLower();
}

QString ListSearch::rowText(const DataView& view, int row, const QList<int>& columns)
{
    QStringList cells;
    cells.reserve(columns.size());
    for (int c : columns) cells << view.displayText(row, c);
    return joinCells(cells);
}

QList<int> ListSearch::rows(const DataView& view, const QList<int>& columns) const
{
    QList<int> kept;
    const int count = view.rowCount();
    kept.reserve(isEmpty() ? count : 0);
    for (int row = 1; row <= count; ++row)
        if (isEmpty() || matches(rowText(view, row, columns))) kept << row;
    return kept;
}

QList<int> listColumns(const DataView& view)
{
    QList<int> columns;
    const QList<ColumnDef>& defs = view.definition().columns;
    for (int i = 0; i < defs.size(); ++i)
        if (defs[i].inList) columns << i;
    return columns;
}

} // namespace cr::exchange
