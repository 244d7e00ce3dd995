#include "frame/dataview_private.h"

#include <algorithm>

// Statuses and change records of rows: what a row held before it changed,
// which columns changed, and what the database holds.
namespace cr {
namespace {

bool isNewStatus(RowStatus s) { return s == RowStatus::New || s == RowStatus::NewModified; }

} // namespace

QVariant DataView::Private::originalValue(const DataRow* row, int column) const
{
    if (!row->changes) return store.value(row, column);
    const auto& original = row->changes->original;
    return original.empty() ? QVariant() : original[column];
}

QVariant DataView::Private::databaseValue(const DataRow* row, int column) const
{
    if (row->changes && !row->changes->database.empty()) return row->changes->database[column];
    return originalValue(row, column);
}

void DataView::Private::markModified(DataRow* row, int column)
{
    if (!row->changes) {
        RowChanges& changes = store.changes(row);
        // A new row had nothing before; a stored row keeps what it held.
        if (!isNewStatus(row->status)) {
            changes.original.reserve(columns.size());
            for (size_t c = 0; c < columns.size(); ++c) changes.original.push_back(store.value(row, int(c)));
        }
    }
    row->changes->modified[column] = true;
    if (row->status == RowStatus::NotModified) row->status = RowStatus::DataModified;
    else if (row->status == RowStatus::New) row->status = RowStatus::NewModified;
}

void DataView::Private::markStored(DataRow* row)
{
    RowChanges* changes = row->changes;
    const bool stored = row->status == RowStatus::DataModified || row->status == RowStatus::NotModified;
    if (row->status == RowStatus::NewModified || row->status == RowStatus::DataModified)
        row->status = RowStatus::NotModified;
    if (!changes || !stored || changes->database.empty()) {
        store.dropChanges(row);
        return;
    }
    // What the save wrote is stored now; the rest is as the database held it.
    for (size_t c = 0; c < changes->written.size(); ++c)
        if (changes->written[c]) changes->database[c] = store.value(row, int(c));
    changes->written.clear();
    changes->original.clear();
    std::fill(changes->modified.begin(), changes->modified.end(), false);
    takeCurrentAsOriginal(row, -1);
}

// A window declares a stored row's current values as stored without saving
// them: the row is no longer modified, but the database still holds what it
// held, and a later save must find exactly that.
void DataView::Private::takeCurrentAsOriginal(DataRow* row, int column)
{
    if (!row->changes) return;
    RowChanges& changes = *row->changes;
    const int n = int(columns.size());
    if (isNewStatus(row->status)) {
        if (column < 0) {
            store.dropChanges(row);
            return;
        }
        if (changes.original.empty()) changes.original.resize(size_t(n));
    } else {
        if (changes.original.empty()) changes.original.resize(size_t(n));
        if (changes.database.empty()) changes.database = changes.original;
    }
    for (int c = column < 0 ? 0 : column; c < (column < 0 ? n : column + 1); ++c) {
        changes.original[size_t(c)] = store.value(row, c);
        changes.modified[size_t(c)] = false;
    }
    if (column >= 0 || isNewStatus(row->status)) return;
    // Nothing to remember when the database holds the current values anyway.
    for (int c = 0; c < n; ++c)
        if (!store.equals(row, c, changes.database[size_t(c)])) return;
    store.dropChanges(row);
}

// --- statuses --------------------------------------------------------------

RowStatus DataView::getItemStatus(int row, const QString& column, Buffer buffer) const
{
    const DataRow* r = d->rowAt(row, buffer);
    if (!r) return RowStatus::NotModified;
    if (column.isEmpty()) return r->status;
    const int c = d->column(column);
    return c >= 0 && r->isModified(c) ? RowStatus::DataModified : RowStatus::NotModified;
}

int DataView::setItemStatus(int row, const QString& column, Buffer buffer, RowStatus status)
{
    DataRow* r = d->rowAt(row, buffer);
    if (!r) return -1;
    const bool isNew = r->status == RowStatus::New || r->status == RowStatus::NewModified;
    if (!column.isEmpty()) {
        const int c = d->column(column);
        if (c < 0 || d->columns[c].computed) return -1;
        if (status == RowStatus::DataModified || status == RowStatus::NewModified)
            d->markModified(r, c);
        else
            d->takeCurrentAsOriginal(r, c);
        d->touched();
        return 1;
    }
    switch (status) {
    case RowStatus::NotModified:
        // A stored row takes its values as stored; a new row stays to be inserted.
        d->takeCurrentAsOriginal(r, -1);
        r->status = isNew ? RowStatus::New : RowStatus::NotModified;
        break;
    case RowStatus::DataModified:
        r->status = isNew ? RowStatus::NewModified : RowStatus::DataModified;
        break;
    case RowStatus::New:
        if (r->changes) std::fill(r->changes->modified.begin(), r->changes->modified.end(), false);
        r->status = r->status == RowStatus::DataModified ? RowStatus::NewModified : RowStatus::New;
        break;
    case RowStatus::NewModified:
        r->status = RowStatus::NewModified;
        break;
    }
    d->touched();
    return 1;
}

int DataView::modifiedCount() const
{
    int n = 0;
    for (const DataRow* r : d->all)
        if (r->status == RowStatus::DataModified || r->status == RowStatus::NewModified) ++n;
    return n;
}

bool DataView::hasChanges() const
{
    return modifiedCount() > 0 || !d->deleted.empty();
}

int DataView::resetUpdate()
{
    for (DataRow* r : d->all) d->markStored(r);
    for (DataRow* r : d->deleted) d->store.dropChanges(r);
    d->deleted.clear();
    d->touched();
    return 1;
}

} // namespace cr
