#include "houses/house_grid_writer.h"

#include "frame/dataview.h"
#include "frame/sqlca.h"

#include <QSqlQuery>
#include <algorithm>
#include <functional>

namespace cr::houses {
namespace {

// Values per statement: within the engine's limit, and small enough that
// placeholder handling stays cheap (SQLite looks each one up by name, so a
// statement's cost grows with the square of its values). 250 values keep
// SQLite near its best and PostgreSQL at a few dozen round trips for a
// building of 1,584 houses.
int valuesPerStatement(const Sqlca& sqlca)
{
    return std::max(1, std::min(250, sqlca.dialect().maxBoundValues()));
}

} // namespace

HouseGridWriter::HouseGridWriter(DataView& grid, Sqlca& sqlca) : m_grid(grid), m_sqlca(sqlca) {}

bool HouseGridWriter::fail(const QString& text)
{
    m_error = text;
    m_keys.clear();
    m_deleted = 0;
    return false;
}

bool HouseGridWriter::hasEditedStoredRows() const
{
    for (int r = 1; r <= m_grid.rowCount(); ++r)
        if (m_grid.getItemStatus(r, QString()) == RowStatus::DataModified) return true;
    return false;
}

bool HouseGridWriter::write()
{
    m_error.clear();
    m_keys.clear();
    m_deleted = 0;
    m_usedViewUpdate = false;
    const DataViewDef& def = m_grid.definition();
    if (def.updateTable.isEmpty() || def.keyColumn.isEmpty()) return fail(QStringLiteral("数据视图不可更新"));
    if (hasEditedStoredRows()) {
        m_usedViewUpdate = true;
        if (m_grid.update(false) == 1) return true;
        return fail(m_grid.lastError());
    }
    if (!m_sqlca.begin()) return fail(m_sqlca.sqlErrText());
    return writeDeletes() && writeInserts();
}

bool HouseGridWriter::writeDeletes()
{
    const DataViewDef& def = m_grid.definition();
    QVariantList keys;
    for (int r = 1; r <= m_grid.deletedCount(); ++r) {
        const RowStatus s = m_grid.getItemStatus(r, QString(), Buffer::Delete);
        if (s == RowStatus::New || s == RowStatus::NewModified) continue;   // never stored
        const QVariant key = m_grid.getItem(r, def.keyColumn, Buffer::Delete);
        if (!key.isNull()) keys << key;
    }
    const int chunk = valuesPerStatement(m_sqlca);
    for (qsizetype first = 0; first < keys.size(); first += chunk) {
        const QVariantList part = keys.mid(first, chunk);
        QStringList marks(part.size(), QStringLiteral("?"));
        const QString sql = QStringLiteral("DELETE FROM %1 WHERE %2 IN (%3)")
                                .arg(def.updateTable, def.column(def.keyColumn)->dbName, marks.join(QLatin1Char(',')));
        if (!m_sqlca.executeRaw(sql, part)) return fail(m_sqlca.sqlErrText());
        m_deleted += int(part.size());
    }
    return true;
}

bool HouseGridWriter::writeInserts()
{
    const DataViewDef& def = m_grid.definition();
    // The updatable columns: written to the table, the key left to the database.
    QList<const ColumnDef*> writable;
    for (const ColumnDef& c : def.columns)
        if (!c.dbName.isEmpty() && c.compute.isEmpty() && c.name.compare(def.keyColumn, Qt::CaseInsensitive) != 0)
            writable << &c;

    // Rows set by the same script share their column list: one group each,
    // inserted in grid order. Untouched new rows are skipped, as update() does.
    // Every cell is read once.
    QList<QString> groupOrder;
    QHash<QString, InsertGroup> groups;
    for (int r = 1; r <= m_grid.rowCount(); ++r) {
        if (m_grid.getItemStatus(r, QString()) != RowStatus::NewModified) continue;
        QList<const ColumnDef*> cols;
        QVariantList values;
        QString id;
        for (const ColumnDef* c : writable) {
            QVariant v = m_grid.getItem(r, c->name);
            if (v.isNull()) continue;
            cols << c;
            values << std::move(v);
            id += c->name + QLatin1Char(',');
        }
        if (cols.isEmpty()) continue;
        auto it = groups.find(id);
        if (it == groups.end()) {
            groupOrder << id;
            it = groups.insert(id, InsertGroup{cols, {}, {}});
        }
        it->rows << r;
        it->values << values;
    }
    for (const QString& id : groupOrder) {
        const InsertGroup& g = groups[id];
        const int perStatement = std::max<int>(1, valuesPerStatement(m_sqlca) / int(g.columns.size()));
        for (qsizetype first = 0; first < g.rows.size(); first += perStatement)
            if (!insertChunk(g, first, std::min<qsizetype>(g.rows.size(), first + perStatement))) return false;
    }
    return true;
}

// Only the identifying columns (keys and texts) are compared: decimals may
// come back rounded to the column's scale.
static QString signature(const QList<const ColumnDef*>& columns, const std::function<QVariant(int)>& valueAt)
{
    QString sig;
    for (int i = 0; i < columns.size(); ++i) {
        const ColumnKind kind = columns[i]->kind;
        if (kind != ColumnKind::Integer && kind != ColumnKind::Text) continue;
        const QVariant v = valueAt(i);
        if (!v.isNull()) sig += kind == ColumnKind::Integer ? QString::number(v.toLongLong()) : v.toString();
        sig += QChar(0x1f);
    }
    return sig;
}

bool HouseGridWriter::insertChunk(const InsertGroup& group, qsizetype first, qsizetype last)
{
    const DataViewDef& def = m_grid.definition();
    const qsizetype count = last - first;
    QStringList dbNames;
    for (const ColumnDef* c : group.columns) dbNames << c->dbName;
    const QString marks = QLatin1Char('(') + QStringList(group.columns.size(), QStringLiteral("?")).join(QLatin1Char(','))
                          + QLatin1Char(')');
    QVariantList values;
    values.reserve(count * group.columns.size());
    for (qsizetype i = first; i < last; ++i) values << group.values[i];
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES %3 RETURNING %4, %2")
                            .arg(def.updateTable, dbNames.join(QStringLiteral(", ")),
                                 QStringList(count, marks).join(QLatin1Char(',')), def.column(def.keyColumn)->dbName);
    auto q = m_sqlca.selectRaw(sql, values);
    if (!q) return fail(m_sqlca.sqlErrText());

    QList<QPair<QVariant, QString>> returned;
    while (q->next())
        returned.append({q->value(0), signature(group.columns, [&](int i) { return q->value(i + 1); })});
    if (returned.size() != count) return fail(QStringLiteral("插入后未能读取新记录的编号"));

    // The engines return the rows in the order of VALUES; should one not, the
    // rows are matched by their values instead (rows equal in every compared
    // column are interchangeable).
    QHash<QString, QList<int>> pending;
    bool inOrder = true;
    for (qsizetype i = 0; i < count; ++i) {
        const QVariantList& v = group.values[first + i];
        const QString sig = signature(group.columns, [&](int c) { return v[c]; });
        inOrder = inOrder && sig == returned[i].second;
        pending[sig] << group.rows[first + i];
    }
    for (qsizetype i = 0; i < count; ++i) {
        if (returned[i].first.isNull()) return fail(QStringLiteral("插入后未能读取新记录的编号"));
        if (inOrder) {
            m_keys.insert(group.rows[first + i], returned[i].first);
            continue;
        }
        QList<int>& candidates = pending[returned[i].second];
        if (candidates.isEmpty()) return fail(QStringLiteral("插入后未能读取新记录的编号"));
        m_keys.insert(candidates.takeFirst(), returned[i].first);
    }
    return true;
}

void HouseGridWriter::markStored()
{
    const QString key = m_grid.definition().keyColumn;
    for (auto it = m_keys.constBegin(); it != m_keys.constEnd(); ++it) m_grid.setItem(it.key(), key, it.value());
    m_grid.resetUpdate();
}

} // namespace cr::houses
