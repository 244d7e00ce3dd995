#include "schema/orphans.h"

#include "frame/sqlca.h"
#include "schema/references.h"

namespace cr::schema {

QString Orphans::describe() const
{
    return QStringLiteral("%1.%2：%3 行指向不存在的 %4.%5%6")
        .arg(reference.table, reference.column)
        .arg(rows)
        .arg(reference.masterTable, reference.masterColumn,
             reference.noun.isEmpty() ? QString() : QStringLiteral("（%1）").arg(reference.noun));
}

std::optional<QList<Orphans>> findOrphans(Sqlca& sqlca, QString* error)
{
    QList<Orphans> found;
    for (const RecordReference& r : recordReferences()) {
        const QString sql = QStringLiteral("SELECT COUNT(*) FROM %1 c WHERE c.%2 IS NOT NULL AND NOT EXISTS "
                                           "(SELECT 1 FROM %3 m WHERE m.%4 = c.%2)")
                                .arg(r.table, r.column, r.masterTable, r.masterColumn);
        auto q = sqlca.select(sql);
        if (!q || !q->next()) {
            if (error) *error = sqlca.sqlErrText();
            return std::nullopt;
        }
        const qlonglong rows = q->value(0).toLongLong();
        if (rows > 0) found.append({r, rows});
    }
    return found;
}

} // namespace cr::schema
