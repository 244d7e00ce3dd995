#include "frame/dataview_private.h"

#include "frame/expr/format.h"
#include "frame/expr/values.h"

#include <algorithm>

namespace cr {
namespace {

std::vector<ColumnKind> kindsOf(const DataViewDef& def)
{
    std::vector<ColumnKind> kinds;
    for (const ColumnDef& c : def.columns) kinds.push_back(c.kind);
    return kinds;
}

std::vector<bool> computedOf(const DataViewDef& def)
{
    std::vector<bool> computed;
    for (const ColumnDef& c : def.columns) computed.push_back(!c.compute.isEmpty());
    return computed;
}

} // namespace

DataView::Private::Private(DataView* owner, const DataViewDef& definition)
    : q(owner), def(definition), store(kindsOf(definition), computedOf(definition))
{
    columns.resize(def.columns.size());
    for (int i = 0; i < def.columns.size(); ++i) {
        const ColumnDef& c = def.columns[i];
        columnByName.insert(c.name.toLower(), i);
        columns[i].kind = c.kind;
        columns[i].computed = !c.compute.isEmpty();
        columns[i].updatable = !columns[i].computed && !c.dbName.isEmpty() && !def.updateTable.isEmpty();
    }
    keyColumn = def.keyColumn.isEmpty() ? -1 : column(def.keyColumn);
    // Computed columns may name each other, so they are parsed once all names are known.
    for (int i = 0; i < def.columns.size(); ++i)
        if (columns[i].computed) columns[i].compute = compile(def.columns[i].compute, nullptr);
    QString ignored;
    if (applySortSpec(def.sort, &ignored)) sortText = def.sort;
    loadProperties();
}

DataView::DataView(const DataViewDef& def, QObject* parent) : QObject(parent), d(std::make_unique<Private>(this, def))
{
}

DataView::~DataView() = default;

const DataViewDef& DataView::definition() const
{
    return d->def;
}

QString DataView::name() const
{
    return d->def.name;
}

int DataView::columnIndex(const QString& column) const
{
    return d->column(column);
}

void DataView::setTransObject(Sqlca* sqlca)
{
    d->sqlca = sqlca;
}

Sqlca* DataView::transObject() const
{
    return d->sqlca;
}

void DataView::setCatalog(const ViewCatalog* catalog)
{
    d->catalog = catalog;
}

QString DataView::lastError() const
{
    return d->lastError;
}

// --- rows -------------------------------------------------------------------

const std::vector<DataRow*>& DataView::Private::bufferRows(Buffer buffer) const
{
    switch (buffer) {
    case Buffer::Primary:
        return primary;
    case Buffer::Filter:
        if (!filteredValid) {
            filteredCache.clear();
            for (DataRow* r : all)
                if (r->filteredOut) filteredCache.push_back(r);
            filteredValid = true;
        }
        return filteredCache;
    case Buffer::Delete:
        return deleted;
    }
    return primary;
}

DataRow* DataView::Private::rowAt(int row, Buffer buffer) const
{
    const auto& rows = bufferRows(buffer);
    return row >= 1 && row <= static_cast<int>(rows.size()) ? rows[row - 1] : nullptr;
}

void DataView::Private::detachFromAll(DataRow* row)
{
    for (auto it = all.end(); it != all.begin();) {
        --it;
        if (*it == row) {
            all.erase(it);
            return;
        }
    }
}

void DataView::Private::clearAll()
{
    primary.clear();
    all.clear();
    deleted.clear();
    store.clear();
    filteredValid = false;
    touched();
}

void DataView::Private::setCurrentRow(int row, bool raiseEvent)
{
    if (row == currentRow) return;
    currentRow = row;
    ++revision;   // currentRow() in expressions
    emit q->currentRowChanged(row);
    if (raiseEvent && events.rowFocusChanged) events.rowFocusChanged(row);
}

int DataView::rowCount() const
{
    return static_cast<int>(d->primary.size());
}

int DataView::filteredCount() const
{
    return static_cast<int>(d->all.size() - d->primary.size());
}

int DataView::deletedCount() const
{
    return static_cast<int>(d->deleted.size());
}

int DataView::getRow() const
{
    return d->currentRow;
}

QVariant DataView::getItem(int row, const QString& column, Buffer buffer) const
{
    const int c = d->column(column);
    if (c < 0 || !d->rowAt(row, buffer)) return {};
    bool error = false;
    return d->cellValue(d->bufferRows(buffer), row, c, &error);
}

QVariant DataView::item(int row, int columnIndex) const
{
    if (columnIndex < 0 || columnIndex >= static_cast<int>(d->columns.size())) return {};
    bool error = false;
    return d->cellValue(d->primary, row, columnIndex, &error);
}

QString DataView::getItemString(int row, const QString& column) const
{
    const QVariant v = getItem(row, column);
    if (!v.isValid()) return {};
    return expr::Format::plain(v);
}

std::optional<double> DataView::getItemNumber(int row, const QString& column) const
{
    return expr::values::toNumber(getItem(row, column));
}

std::optional<qlonglong> DataView::getItemInteger(int row, const QString& column) const
{
    const auto n = getItemNumber(row, column);
    if (!n) return std::nullopt;
    return expr::values::truncateToInteger(*n);   // nullopt beyond the integers too
}

QDate DataView::getItemDate(int row, const QString& column) const
{
    return expr::values::toDate(getItem(row, column));
}

QVariant DataView::originalItem(int row, const QString& column) const
{
    const int c = d->column(column);
    const DataRow* r = d->rowAt(row, Buffer::Primary);
    if (c < 0 || !r || d->columns[c].computed) return {};
    return d->originalValue(r, c);
}

int DataView::setItem(int row, const QString& column, const QVariant& value)
{
    const int c = d->column(column);
    DataRow* r = d->rowAt(row, Buffer::Primary);
    if (c < 0 || !r || d->columns[c].computed) return -1;
    bool ok = true;
    const QVariant v = Private::coerce(d->columns[c].kind, value, &ok);
    if (!ok) return -1;
    if (d->store.equals(r, c, v)) return 1;
    d->markModified(r, c);
    d->store.setValue(r, c, v);
    d->touched();
    emit itemChangedValue(row, d->def.columns[c].name);
    return 1;
}

int DataView::insertRow(int beforeRow)
{
    const int count = rowCount();
    if (beforeRow < 0 || beforeRow > count) return -1;
    const int at = beforeRow == 0 ? count + 1 : beforeRow;
    DataRow* r = d->newRow();
    r->status = RowStatus::New;
    emit rowAboutToBeInserted(at);
    if (at > count) {
        d->all.push_back(r);
    } else {
        DataRow* next = d->primary[at - 1];
        d->all.insert(std::find(d->all.begin(), d->all.end(), next), r);
    }
    d->primary.insert(d->primary.begin() + (at - 1), r);
    d->touched();
    if (d->currentRow >= at) ++d->currentRow;
    emit rowInserted(at);
    if (d->currentRow == 0) d->setCurrentRow(at, false);
    return at;
}

int DataView::deleteRow(int row)
{
    if (row == 0) row = d->currentRow;
    DataRow* r = d->rowAt(row, Buffer::Primary);
    if (!r) return -1;
    emit rowAboutToBeRemoved(row);
    d->detachFromAll(r);
    d->primary.erase(d->primary.begin() + (row - 1));
    // Rows never stored simply vanish (their memory goes with the next
    // retrieve or reset); stored rows wait for the next update.
    if (r->status == RowStatus::NotModified || r->status == RowStatus::DataModified) d->deleted.push_back(r);
    d->touched();
    emit rowRemoved(row);
    const int count = rowCount();
    if (d->currentRow > count) d->setCurrentRow(count, false);
    return 1;
}

int DataView::reset()
{
    emit rowsAboutToBeReset();
    d->clearAll();
    d->hasPending = false;
    d->currentRow = 0;
    emit rowsReset();
    emit currentRowChanged(0);
    return 1;
}

int DataView::rowsCopyFrom(const DataView& other)
{
    if (&other == this) return -1;
    std::vector<int> from(d->columns.size(), -1);
    for (size_t i = 0; i < d->columns.size(); ++i)
        if (!d->columns[i].computed) from[i] = other.d->column(d->def.columns[static_cast<int>(i)].name);
    for (int row = 1; row <= other.rowCount(); ++row) {
        const int at = insertRow(0);
        DataRow* r = d->primary[at - 1];
        for (size_t i = 0; i < from.size(); ++i) {
            if (from[i] < 0) continue;
            bool ok = true;
            const QVariant v = Private::coerce(d->columns[i].kind, other.item(row, from[i]), &ok);
            if (!ok || !v.isValid()) continue;
            d->markModified(r, static_cast<int>(i));
            d->store.setValue(r, static_cast<int>(i), v);
        }
        d->touched();
        emit itemChangedValue(at, QString());
    }
    return 1;
}

} // namespace cr
