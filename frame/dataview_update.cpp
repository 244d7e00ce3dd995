#include "frame/dataview_private.h"

#include "frame/sqlca.h"

#include <algorithm>

namespace cr {

bool DataView::Private::buildPlan(QList<PlannedStatement>* plan, std::vector<DataRow*>* rows, QString* error) const
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
        *key = r->original(keyColumn);
        if (!key->isValid()) return fail(QStringLiteral("数据窗口 %1 的记录没有主键值").arg(def.name));
        return true;
    };
    const bool anyWork = !deleted.empty() || std::any_of(all.begin(), all.end(), [](const auto& r) {
        return r->status == RowStatus::DataModified || r->status == RowStatus::NewModified;
    });
    if (!anyWork) return true;
    if (table.isEmpty()) return fail(QStringLiteral("数据窗口 %1 不能保存：没有可更新的表").arg(def.name));

    for (size_t i = 0; i < deleted.size(); ++i) {
        QVariant key;
        if (!keyOf(deleted[i].get(), &key)) return false;
        plan->append({PlannedStatement::Kind::Delete, static_cast<int>(i) + 1, Buffer::Delete,
                      QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(table, keyName), {key}});
        rows->push_back(deleted[i].get());
    }

    // Primary rows in display order, then the rows a filter keeps out.
    std::vector<std::pair<DataRow*, std::pair<Buffer, int>>> live;
    for (size_t i = 0; i < primary.size(); ++i) live.push_back({primary[i], {Buffer::Primary, static_cast<int>(i) + 1}});
    int filteredNumber = 0;
    for (const auto& r : all)
        if (r->filteredOut) live.push_back({r.get(), {Buffer::Filter, ++filteredNumber}});

    for (const auto& [r, where] : live) {
        if (r->status == RowStatus::DataModified) {
            QStringList sets;
            QVariantList values;
            const bool anyColumnFlag = r->changes && std::find(r->changes->modified.begin(), r->changes->modified.end(), true) != r->changes->modified.end();
            for (size_t c = 0; c < columns.size(); ++c) {
                if (!columns[c].updatable || static_cast<int>(c) == keyColumn) continue;
                // A row marked modified without changed columns writes them all.
                if (anyColumnFlag && !r->isModified(static_cast<int>(c))) continue;
                sets << def.columns[static_cast<int>(c)].dbName + QStringLiteral(" = ?");
                values << r->cells[c];
            }
            if (sets.isEmpty()) continue;
            QVariant key;
            if (!keyOf(r, &key)) return false;
            values << key;
            plan->append({PlannedStatement::Kind::Update, where.second, where.first,
                          QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?").arg(table, sets.join(QStringLiteral(", ")), keyName),
                          values});
            rows->push_back(r);
        } else if (r->status == RowStatus::NewModified) {
            const bool keyFromDatabase = def.keyAssignedByDatabase && keyColumn >= 0 && !keyName.isEmpty();
            QStringList names;
            QVariantList values;
            for (size_t c = 0; c < columns.size(); ++c) {
                if (!columns[c].updatable || !r->cells[c].isValid()) continue;
                if (keyFromDatabase && static_cast<int>(c) == keyColumn) continue;
                names << def.columns[static_cast<int>(c)].dbName;
                values << r->cells[c];
            }
            QString sql = names.isEmpty()
                              ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                              : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                    .arg(table, names.join(QStringLiteral(", ")),
                                         QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
            if (keyFromDatabase) sql += QStringLiteral(" RETURNING ") + keyName;
            plan->append({PlannedStatement::Kind::Insert, where.second, where.first, sql, values});
            rows->push_back(r);
        }
    }
    return true;
}

QList<PlannedStatement> DataView::updatePlan() const
{
    QList<PlannedStatement> plan;
    std::vector<DataRow*> rows;
    d->buildPlan(&plan, &rows, nullptr);
    return plan;
}

int DataView::update(bool resetFlags)
{
    d->lastError.clear();
    if (acceptText() != 1) {
        d->lastError = QStringLiteral("正在输入的内容未被接受");
        return -1;
    }
    QList<PlannedStatement> plan;
    std::vector<DataRow*> rows;
    if (!d->buildPlan(&plan, &rows, &d->lastError)) return -1;
    std::vector<std::pair<DataRow*, QVariant>> keys;
    if (!plan.isEmpty()) {
        Sqlca* db = d->sqlca;
        if (!db) {
            d->lastError = QStringLiteral("数据窗口 %1 没有连接数据库").arg(d->def.name);
            return -1;
        }
        if (!db->begin()) {
            d->lastError = db->sqlErrText();
            return -1;
        }
        // Keys the database assigns are kept aside until every statement has
        // succeeded: a failed save leaves the rows exactly as they were.
        for (int i = 0; i < plan.size(); ++i) {
            const PlannedStatement& s = plan[i];
            if (s.kind == PlannedStatement::Kind::Insert && s.sql.contains(QLatin1String(" RETURNING "))) {
                auto q = db->selectRaw(s.sql, s.values);
                if (!q) {
                    d->lastError = db->sqlErrText();
                    return -1;
                }
                if (!q->next()) {
                    d->lastError = QStringLiteral("插入后未能读取新记录的编号");
                    return -1;
                }
                bool ok = true;
                keys.push_back({rows[i], Private::coerce(d->columns[d->keyColumn].kind, q->value(0), &ok)});
                continue;
            }
            if (!db->executeRaw(s.sql, s.values)) {
                d->lastError = db->sqlErrText();
                return -1;
            }
            if (s.kind != PlannedStatement::Kind::Insert && db->sqlNRows() != 1) {
                d->lastError = QStringLiteral("要保存的记录在数据库中已不存在或不唯一（%1 行受影响），请重新检索后再保存")
                                   .arg(db->sqlNRows());
                return -1;
            }
        }
        for (const auto& [row, key] : keys) {
            row->cells[d->keyColumn] = key;
            if (row->changes) row->changes->original[d->keyColumn] = key;
        }
    }
    if (resetFlags) {
        for (const auto& r : d->all) d->markStored(r.get());
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
