#include "frame/dataview_private.h"
#include "frame/typed_date.h"

#include <algorithm>

namespace cr {

int DataView::userEdit(int row, const QString& column, const QString& text)
{
    const int c = d->column(column);
    DataRow* r = d->rowAt(row, Buffer::Primary);
    if (c < 0 || !r || d->readOnly || d->columns[c].computed) return -1;
    // An emptied field is empty (null) whatever its kind.
    bool ok = true;
    QVariant value;
    if (!text.isEmpty()) value = typedValue(d->columns[c].kind, text, &ok);
    if (!ok) {
        refuseTypedText(row, c, text);
        return -1;
    }
    // The text being committed is no longer pending: a handler that accepts
    // text itself (accepttext inside itemchanged) must not see it again.
    if (d->hasPending && d->pendingColumn.compare(column, Qt::CaseInsensitive) == 0) clearPendingText();
    if (d->store.equals(r, c, value)) return 0;
    const QString name = d->def.columns[c].name;
    const int result = d->events.itemChanged ? d->events.itemChanged(row, name, text) : 0;
    if (result == 0) setItem(row, name, value);
    return result;
}

// Typed text in the column's kind. A date is read only in the forms clerks
// type (parseTypedDate): the lenient reading of stored values would take
// "2024-3-5 abc" for a date.
QVariant DataView::typedValue(ColumnKind kind, const QString& text, bool* ok) const
{
    if (kind != ColumnKind::Date || text.trimmed().isEmpty()) return Private::coerce(kind, text, ok);
    const std::optional<QDate> date = parseTypedDate(text);
    *ok = date.has_value();
    return date ? QVariant(*date) : QVariant();
}

void DataView::refuseTypedText(int row, int column, const QString& text)
{
    const QString name = d->def.columns[column].name;
    if (d->columns[column].kind == ColumnKind::Date) {
        if (d->hasPending && d->pendingColumn.compare(name, Qt::CaseInsensitive) == 0) clearPendingText();
        setItem(row, name, QVariant());
    }
    if (d->events.valueRefused) d->events.valueRefused(row, name, text);
}

void DataView::setPendingText(const QString& column, const QString& text)
{
    d->pendingColumn = column;
    d->pendingText = text;
    d->hasPending = true;
}

void DataView::clearPendingText()
{
    d->hasPending = false;
    d->pendingColumn.clear();
    d->pendingText.clear();
}

bool DataView::hasPendingText() const
{
    return d->hasPending;
}

int DataView::acceptText()
{
    if (!d->hasPending) return 1;
    if (d->currentRow < 1) {
        clearPendingText();
        return 1;
    }
    const QString column = d->pendingColumn;
    const QString text = d->pendingText;
    clearPendingText();
    const int result = userEdit(d->currentRow, column, text);
    if (result == 0 || result == 2) return 1;
    // Text that does not fit the column stays to be corrected; text the
    // window refused is gone (its handler has dealt with it).
    const int c = d->column(column);
    const bool date = c >= 0 && d->columns[c].kind == ColumnKind::Date;
    if (result == -1 && !d->hasPending && !date) setPendingText(column, text);
    return -1;
}

void DataView::userButtonClicked(int row, const QString& column)
{
    if (d->events.buttonClicked) d->events.buttonClicked(row, column);
}

void DataView::userDoubleClicked(int row, const QString& column)
{
    if (d->events.doubleClicked) d->events.doubleClicked(row, column);
}

void DataView::userFocus()
{
    if (d->events.getFocus) d->events.getFocus();
}

DataViewEvents& DataView::events()
{
    return d->events;
}

// --- cursor -------------------------------------------------------------------------

int DataView::setRow(int row)
{
    if (row < 1 || row > rowCount()) return -1;
    d->setCurrentRow(row, true);
    return 1;
}

int DataView::scrollToRow(int row)
{
    const int n = rowCount();
    if (n == 0) return -1;
    row = std::clamp(row, 1, n);
    d->setCurrentRow(row, true);
    emit scrollRequested(row);
    return 1;
}

int DataView::setFocus()
{
    emit focusRequested(d->currentColumn);
    return 1;
}

int DataView::setColumn(const QString& column)
{
    const int c = d->column(column);
    if (c < 0) return -1;
    d->currentColumn = d->def.columns[c].name;
    emit focusRequested(d->currentColumn);
    return 1;
}

QString DataView::getColumnName() const
{
    return d->currentColumn;
}

} // namespace cr
