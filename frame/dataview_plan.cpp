#include "frame/dataview_private.h"

#include "frame/sqlca.h"

#include <algorithm>

namespace cr {
namespace {

QString marks(int count)
{
    return QStringList(count, QStringLiteral("?")).join(QStringLiteral(", "));
}

} // namespace

// Deletes first (a key freed by a deleted row may be taken again), then the
// changed rows one statement each, then the new rows: rows that set the same
// columns share one statement shape, several rows a statement where the
// engine prefers it.
bool DataView::Private::buildPlan(QList<PlannedStatement>* plan, std::vector<StatementRows>* rows,
                                  QString* error) const
{
    plan->clear();
    rows->clear();
    const QString table = def.updateTable;
    const QString keyName = keyColumn >= 0 ? def.columns[keyColumn].dbName : QString();
    auto fail = [&](const QString& message) {
        if (error) *error = message;
        plan->clear();
        rows->clear();
        return false;
    };
    auto keyOf = [&](const DataRow* r, QVariant* key) {
        if (keyColumn < 0 || keyName.isEmpty()) return fail(QStringLiteral("数据窗口 %1 没有主键，无法修改或删除已保存的记录").arg(def.name));
        *key = databaseValue(r, keyColumn);
        if (!key->isValid()) return fail(QStringLiteral("数据窗口 %1 的记录没有主键值").arg(def.name));
        return true;
    };
    const bool anyWork = !deleted.empty() || std::any_of(all.begin(), all.end(), [](const DataRow* r) {
        return r->status == RowStatus::DataModified || r->status == RowStatus::NewModified;
    });
    if (!anyWork) return true;
    if (table.isEmpty()) return fail(QStringLiteral("数据窗口 %1 不能保存：没有可更新的表").arg(def.name));

    const int perStatement = sqlca ? std::max(1, sqlca->dialect().rowsPerStatement()) : 1;
    const int maxValues = sqlca ? sqlca->dialect().maxBoundValues() : 1000;
    std::vector<int> stored;   // written columns other than the key
    for (size_t c = 0; c < columns.size(); ++c)
        if (columns[c].updatable && int(c) != keyColumn) stored.push_back(int(c));
    auto dbName = [&](int c) { return def.columns[c].dbName; };

    // Deleted rows hand back what they held, so a row someone changed since
    // it was read is noticed.
    if (!deleted.empty()) {
        QStringList returned{keyName};
        for (int c : stored) returned << dbName(c);
        const int chunk = std::max(1, std::min(perStatement, maxValues));
        for (size_t first = 0; first < deleted.size(); first += size_t(chunk)) {
            const size_t last = std::min(deleted.size(), first + size_t(chunk));
            StatementRows part;
            QVariantList keys;
            for (size_t i = first; i < last; ++i) {
                QVariant key;
                if (!keyOf(deleted[i], &key)) return false;
                keys << key;
                part.rows.push_back(deleted[i]);
            }
            const QString where = keys.size() == 1 ? QStringLiteral("%1 = ?").arg(keyName)
                                                    : QStringLiteral("%1 IN (%2)").arg(keyName, marks(int(keys.size())));
            plan->append({PlannedStatement::Kind::Delete, int(first) + 1, Buffer::Delete,
                          QStringLiteral("DELETE FROM %1 WHERE %2 RETURNING %3").arg(table, where, returned.join(QStringLiteral(", "))),
                          keys, int(keys.size()), PlannedStatement::Returning::StoredRows});
            rows->push_back(std::move(part));
        }
    }

    // Primary rows in display order, then the rows a filter keeps out.
    struct Live {
        DataRow* row;
        Buffer buffer;
        int number;
    };
    std::vector<Live> live;
    for (size_t i = 0; i < primary.size(); ++i) live.push_back({primary[i], Buffer::Primary, int(i) + 1});
    int filteredNumber = 0;
    for (DataRow* r : all)
        if (r->filteredOut) live.push_back({r, Buffer::Filter, ++filteredNumber});

    // A changed row sets its changed columns and is found by its key and the
    // values those columns held (compared so that empty equals empty).
    for (const Live& l : live) {
        const DataRow* r = l.row;
        if (r->status != RowStatus::DataModified) continue;
        const bool anyColumnFlag = r->changes && std::find(r->changes->modified.begin(), r->changes->modified.end(), true) != r->changes->modified.end();
        QStringList sets, checks;
        QVariantList values, before;
        std::vector<int> written;
        for (int c : stored) {
            // A row marked modified without changed columns writes them all.
            if (anyColumnFlag && !r->isModified(c)) continue;
            written.push_back(c);
            sets << dbName(c) + QStringLiteral(" = ?");
            values << store.value(r, c);
            checks << dbName(c) + QStringLiteral(" IS NOT DISTINCT FROM ?");
            before << databaseValue(r, c);
        }
        if (sets.isEmpty()) continue;
        QVariant key;
        if (!keyOf(r, &key)) return false;
        values << key << before;
        plan->append({PlannedStatement::Kind::Update, l.number, l.buffer,
                      QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ? AND %4")
                          .arg(table, sets.join(QStringLiteral(", ")), keyName, checks.join(QStringLiteral(" AND "))),
                      values});
        rows->push_back({{l.row}, written});
    }

    // New rows, grouped by the columns they set, in the order each group first appears.
    const bool keyFromDatabase = def.keyAssignedByDatabase && keyColumn >= 0 && !keyName.isEmpty();
    struct Group {
        std::vector<int> columns;
        std::vector<const Live*> rows;
    };
    std::vector<Group> groups;
    for (const Live& l : live) {
        if (l.row->status != RowStatus::NewModified) continue;
        std::vector<int> set;
        for (size_t c = 0; c < columns.size(); ++c) {
            if (!columns[c].updatable || store.isNull(l.row, int(c))) continue;
            if (keyFromDatabase && int(c) == keyColumn) continue;
            set.push_back(int(c));
        }
        auto g = std::find_if(groups.begin(), groups.end(), [&](const Group& x) { return x.columns == set; });
        if (g == groups.end()) g = groups.insert(groups.end(), Group{set, {}});
        g->rows.push_back(&l);
    }
    for (const Group& g : groups) {
        QStringList names;
        for (int c : g.columns) names << dbName(c);
        const int width = int(g.columns.size());
        // A row without values has no VALUES list to repeat.
        const int chunk = width == 0 ? 1 : std::max(1, std::min(perStatement, maxValues / width));
        for (size_t first = 0; first < g.rows.size(); first += size_t(chunk)) {
            const size_t last = std::min(g.rows.size(), first + size_t(chunk));
            const int count = int(last - first);
            StatementRows part{{}, g.columns};
            QVariantList values;
            for (size_t i = first; i < last; ++i) {
                part.rows.push_back(g.rows[i]->row);
                for (int c : g.columns) values << store.value(g.rows[i]->row, c);
            }
            QString sql = width == 0
                              ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                              : QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                                    .arg(table, names.join(QStringLiteral(", ")),
                                         QStringList(count, QLatin1Char('(') + marks(width) + QLatin1Char(')'))
                                             .join(QStringLiteral(", ")));
            // Several rows come back with their values, to be matched to the
            // rows whatever order the engine returns them in.
            if (keyFromDatabase)
                sql += QStringLiteral(" RETURNING ") + keyName +
                       (count > 1 ? QStringLiteral(", ") + names.join(QStringLiteral(", ")) : QString());
            plan->append({PlannedStatement::Kind::Insert, g.rows[first]->number, g.rows[first]->buffer, sql, values,
                          count,
                          keyFromDatabase ? PlannedStatement::Returning::Keys : PlannedStatement::Returning::Nothing});
            rows->push_back(std::move(part));
        }
    }
    return true;
}

QList<PlannedStatement> DataView::updatePlan() const
{
    QList<PlannedStatement> plan;
    std::vector<Private::StatementRows> rows;
    d->buildPlan(&plan, &rows, nullptr);
    return plan;
}

} // namespace cr
