#include "frame/dataview_private.h"

#include "frame/row_cursor.h"
#include "frame/sqlca.h"

#include <QHash>
#include <functional>

namespace cr {
namespace {

bool sameValue(const QVariant& a, const QVariant& b)
{
    const bool emptyA = !a.isValid() || a.isNull();
    const bool emptyB = !b.isValid() || b.isNull();
    if (emptyA || emptyB) return emptyA == emptyB;
    return a == b;
}

// What identifies an inserted row among those of one statement: its whole
// numbers and texts (decimals may come back rounded to the column's scale).
QString signature(const std::vector<ColumnKind>& kinds, const std::function<QVariant(size_t)>& valueAt)
{
    QString sig;
    for (size_t i = 0; i < kinds.size(); ++i) {
        if (kinds[i] != ColumnKind::Integer && kinds[i] != ColumnKind::Text) continue;
        const QVariant v = valueAt(i);
        if (v.isValid()) sig += kinds[i] == ColumnKind::Integer ? QString::number(v.toLongLong()) : v.toString();
        sig += QChar(0x1f);
    }
    return sig;
}

} // namespace

QString DataView::staleRowMessage()
{
    return QStringLiteral("该记录已被其他人修改，请重新读取后再修改。");
}

// Why an UPDATE found no row (or several): someone changed the row, or it is gone.
QString DataView::Private::rowNotWritten(const DataRow* row, qint64 affected) const
{
    if (affected > 1)
        return QStringLiteral("要保存的记录在数据库中不唯一（%1 行受影响），请重新检索后再保存").arg(affected);
    auto stillThere = sqlca->selectRaw(
        QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = ?").arg(def.updateTable, def.columns[keyColumn].dbName),
        {databaseValue(row, keyColumn)});
    if (stillThere && stillThere->next() && stillThere->value(0).toLongLong() > 0) return DataView::staleRowMessage();
    return QStringLiteral("要保存的记录在数据库中已不存在，可能已被其他人删除，请重新检索后再保存");
}

bool DataView::Private::readInsertedKeys(RowCursor& result, const PlannedStatement& s, const StatementRows& part,
                                         std::vector<std::pair<DataRow*, QVariant>>* keys, QString* error) const
{
    const ColumnKind keyKind = columns[keyColumn].kind;
    auto key = [&](const QVariant& v) {
        bool ok = true;
        return coerce(keyKind, v, &ok);
    };
    const QString unreadable = QStringLiteral("插入后未能读取新记录的编号");
    if (s.rowCount == 1) {
        const QVariant k = result.next() ? result.value(0).variant() : QVariant();
        if (!k.isValid()) {
            *error = unreadable;
            return false;
        }
        keys->push_back({part.rows.front(), key(k)});
        return true;
    }
    // The engines hand rows back in the order of VALUES; should one not, the
    // rows are matched by their values (rows equal in all of them are interchangeable).
    std::vector<ColumnKind> kinds;
    for (int c : part.columns) kinds.push_back(columns[c].kind);
    QHash<QString, std::vector<DataRow*>> waiting;
    for (auto it = part.rows.rbegin(); it != part.rows.rend(); ++it)
        waiting[signature(kinds, [&](size_t i) { return store.value(*it, part.columns[i]); })].push_back(*it);
    int returned = 0;
    while (result.next()) {
        ++returned;
        const QString sig =
            signature(kinds, [&](size_t i) { return fromDatabase(kinds[i], result.value(int(i) + 1).variant()); });
        auto it = waiting.find(sig);
        const QVariant k = result.value(0).variant();
        if (it == waiting.end() || it->empty() || !k.isValid()) {
            *error = unreadable;
            return false;
        }
        keys->push_back({it->back(), key(k)});
        it->pop_back();
    }
    if (returned != s.rowCount) {
        *error = unreadable;
        return false;
    }
    return true;
}

// The rows a DELETE removed, as the database held them, against what the
// view read: a row someone else changed (or removed) meanwhile fails the save.
bool DataView::Private::checkDeletedRows(RowCursor& result, const StatementRows& part, QString* error) const
{
    std::vector<int> stored;
    for (size_t c = 0; c < columns.size(); ++c)
        if (columns[c].updatable && int(c) != keyColumn) stored.push_back(int(c));
    QHash<QString, QVariantList> removed;
    while (result.next()) {
        QVariantList values;
        for (size_t i = 0; i < stored.size(); ++i)
            values << fromDatabase(columns[stored[i]].kind, result.value(int(i) + 1).variant());
        removed.insert(codeKey(fromDatabase(columns[keyColumn].kind, result.value(0).variant())), values);
    }
    for (const DataRow* r : part.rows) {
        const auto it = removed.constFind(codeKey(databaseValue(r, keyColumn)));
        if (it == removed.constEnd()) {
            *error = QStringLiteral("要删除的记录在数据库中已不存在，可能已被其他人删除，请重新检索后再保存");
            return false;
        }
        for (size_t i = 0; i < stored.size(); ++i)
            if (!sameValue((*it)[int(i)], databaseValue(r, stored[i]))) {
                *error = DataView::staleRowMessage();
                return false;
            }
    }
    return true;
}

// Runs the plan inside the connection's unit of work. The keys the database
// assigns are kept aside: a failed save leaves every row as it was.
bool DataView::Private::runPlan(const QList<PlannedStatement>& plan, const std::vector<StatementRows>& rows,
                                std::vector<std::pair<DataRow*, QVariant>>* keys)
{
    if (!sqlca) {
        lastError = QStringLiteral("数据窗口 %1 没有连接数据库").arg(def.name);
        return false;
    }
    if (!sqlca->begin()) {
        lastError = sqlca->sqlErrText();
        return false;
    }
    // Each statement shape is prepared once and run again for every row (or
    // batch of rows) of that shape.
    QHash<QString, std::shared_ptr<PreparedStatement>> prepared;
    for (int i = 0; i < plan.size(); ++i) {
        const PlannedStatement& s = plan[i];
        std::shared_ptr<PreparedStatement>& q = prepared[s.sql];
        if (!q) q = sqlca->prepare(s.sql);
        if (!q || !sqlca->runPrepared(*q, s.values, true)) {
            lastError = sqlca->sqlErrText();
            return false;
        }
        bool ok = true;
        if (s.returning == PlannedStatement::Returning::Keys) {
            ok = readInsertedKeys(*q, s, rows[i], keys, &lastError);
        } else if (s.returning == PlannedStatement::Returning::StoredRows) {
            ok = checkDeletedRows(*q, rows[i], &lastError);
        } else if (s.kind == PlannedStatement::Kind::Update && q->rowsAffected() != 1) {
            const qint64 affected = q->rowsAffected();
            q->finish();
            lastError = rowNotWritten(rows[i].rows.front(), affected);
            ok = false;
        }
        // A statement left open would keep the engine from committing.
        q->finish();
        if (!ok) return false;
    }
    return true;
}

// After a save: the database holds what was written, and the columns a save
// left out keep what it held (values a window declared stored without saving).
void DataView::Private::noteWritten(const QList<PlannedStatement>& plan, const std::vector<StatementRows>& rows,
                                    const std::vector<std::pair<DataRow*, QVariant>>& keys)
{
    for (int i = 0; i < plan.size(); ++i)
        if (plan[i].kind == PlannedStatement::Kind::Update)
            if (RowChanges* c = rows[i].rows.front()->changes; c && !c->database.empty()) {
                c->written.assign(columns.size(), false);
                for (int column : rows[i].columns) c->written[size_t(column)] = true;
            }
    for (const auto& [row, key] : keys) {
        store.setValue(row, keyColumn, key);
        if (row->changes && !row->changes->original.empty()) row->changes->original[keyColumn] = key;
    }
}

int DataView::update(bool resetFlags)
{
    d->lastError.clear();
    if (acceptText() != 1) {
        d->lastError = QStringLiteral("正在输入的内容未被接受");
        return -1;
    }
    QList<PlannedStatement> plan;
    std::vector<Private::StatementRows> rows;
    if (!d->buildPlan(&plan, &rows, &d->lastError)) return -1;
    std::vector<std::pair<DataRow*, QVariant>> keys;
    if (!plan.isEmpty()) {
        if (!d->runPlan(plan, rows, &keys)) return -1;
        d->noteWritten(plan, rows, keys);
    }
    if (resetFlags) {
        for (DataRow* r : d->all) d->markStored(r);
        for (DataRow* r : d->deleted) d->store.dropChanges(r);
        d->deleted.clear();
    }
    d->touched();
    if (!keys.empty()) {
        QHash<const DataRow*, int> number;
        for (size_t i = 0; i < d->primary.size(); ++i) number.insert(d->primary[i], static_cast<int>(i) + 1);
        for (const auto& [row, key] : keys)
            if (number.contains(row)) emit itemChangedValue(number.value(row), d->def.columns[d->keyColumn].name);
    }
    return 1;
}

} // namespace cr
