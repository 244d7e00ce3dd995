#include "houses/house_grid_writer.h"

#include "frame/dataview.h"
#include "frame/sqlca.h"

#include <QSqlQuery>
#include <algorithm>

namespace cr::houses {

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
    const int chunk = std::max(1, m_sqlca.dialect().maxBoundValues());
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
    QStringList writable;
    for (const ColumnDef& c : def.columns)
        if (!c.dbName.isEmpty() && c.compute.isEmpty() && c.name.compare(def.keyColumn, Qt::CaseInsensitive) != 0)
            writable << c.name;

    // Rows set by the same script share their column list: one group each,
    // inserted in grid order. Untouched new rows are skipped, as update() does.
    QStringList groupOrder;
    QHash<QString, QList<int>> groups;
    QHash<QString, QStringList> groupColumns;
    for (int r = 1; r <= m_grid.rowCount(); ++r) {
        if (m_grid.getItemStatus(r, QString()) != RowStatus::NewModified) continue;
        QStringList cols;
        for (const QString& c : writable)
            if (!m_grid.getItem(r, c).isNull()) cols << c;
        if (cols.isEmpty()) continue;
        const QString id = cols.join(QLatin1Char(','));
        if (!groups.contains(id)) {
            groupOrder << id;
            groupColumns.insert(id, cols);
        }
        groups[id] << r;
    }
    for (const QString& id : groupOrder) {
        const QStringList& cols = groupColumns[id];
        const QList<int>& rows = groups[id];
        const int perStatement = std::max<int>(1, m_sqlca.dialect().maxBoundValues() / int(cols.size()));
        for (qsizetype first = 0; first < rows.size(); first += perStatement)
            if (!insertChunk(rows.mid(first, perStatement), cols)) return false;
    }
    return true;
}

QVariant HouseGridWriter::normalized(const QString& column, const QVariant& value) const
{
    if (value.isNull()) return QVariant();
    const ColumnDef* c = m_grid.definition().column(column);
    if (c && c->kind == ColumnKind::Integer) return value.toLongLong();
    return value.toString();
}

bool HouseGridWriter::insertChunk(const QList<int>& rows, const QStringList& columns)
{
    const DataViewDef& def = m_grid.definition();
    QStringList dbNames;
    for (const QString& c : columns) dbNames << def.column(c)->dbName;
    const QString marks =
        QLatin1Char('(') + QStringList(columns.size(), QStringLiteral("?")).join(QLatin1Char(',')) + QLatin1Char(')');
    QVariantList values;
    values.reserve(rows.size() * columns.size());
    for (int r : rows)
        for (const QString& c : columns) values << m_grid.getItem(r, c);
    const QString keyDbName = def.column(def.keyColumn)->dbName;
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES %3 RETURNING %4, %2")
                            .arg(def.updateTable, dbNames.join(QStringLiteral(", ")),
                                 QStringList(rows.size(), marks).join(QLatin1Char(',')), keyDbName);
    auto q = m_sqlca.selectRaw(sql, values);
    if (!q) return fail(m_sqlca.sqlErrText());

    // Only the identifying columns (keys and texts) are compared: decimals may
    // come back rounded to the column's scale.
    QList<int> compared;
    for (int i = 0; i < columns.size(); ++i) {
        const ColumnDef* c = def.column(columns[i]);
        if (c->kind == ColumnKind::Integer || c->kind == ColumnKind::Text) compared << i;
    }
    auto signature = [&](auto valueAt) {
        QStringList parts;
        for (int i : compared) parts << normalized(columns[i], valueAt(i)).toString();
        return parts.join(QChar(0x1f));
    };
    QList<QPair<QVariant, QString>> returned;
    while (q->next()) returned.append({q->value(0), signature([&](int i) { return q->value(i + 1); })});
    if (returned.size() != rows.size()) return fail(QStringLiteral("插入后未能读取新记录的编号"));

    // The engines return the rows in the order of VALUES; should one not, the
    // rows are matched by their values instead (rows equal in every compared
    // column are interchangeable).
    QHash<QString, QList<int>> pending;
    bool inOrder = true;
    for (int i = 0; i < rows.size(); ++i) {
        const QString sig = signature([&](int c) { return m_grid.getItem(rows[i], columns[c]); });
        inOrder = inOrder && sig == returned[i].second;
        pending[sig] << rows[i];
    }
    for (int i = 0; i < rows.size(); ++i) {
        if (returned[i].first.isNull()) return fail(QStringLiteral("插入后未能读取新记录的编号"));
        if (inOrder) {
            m_keys.insert(rows[i], returned[i].first);
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
