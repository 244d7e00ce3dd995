#include "houses/house_usage.h"

#include "frame/sqlca.h"
#include "schema/references.h"

namespace cr::houses {
namespace {

const QString kHouseTable = QStringLiteral("tc_ge_houseinfo");

// The records of `r` that refer to a house of the building :building.
QString referring(const RecordReference& r)
{
    return QStringLiteral("FROM %1 x WHERE x.%2 IN (SELECT h.%3 FROM tc_ge_houseinfo h WHERE h.buildingno = :building)")
        .arg(r.table, r.column, r.masterColumn);
}

} // namespace

QString HousesInUse::refusal() const
{
    return QStringLiteral("该楼院有 %1 套房屋还在使用（%2），不能批量删除，没有删除任何房屋。\r\n"
                          "请先删除或移走这些记录。")
        .arg(houses)
        .arg(records.join(QStringLiteral("、")));
}

std::optional<HousesInUse> housesInUse(Sqlca& sqlca, const QVariant& buildingNo, QString* error)
{
    const SqlParams params{{QStringLiteral("building"), buildingNo}};
    HousesInUse found;
    QStringList used;
    for (const RecordReference& r : schema::recordReferences()) {
        if (r.companion || r.masterTable != kHouseTable) continue;
        auto q = sqlca.select(QStringLiteral("SELECT COUNT(*) ") + referring(r), params);
        if (!q || !q->next()) {
            if (error) *error = sqlca.sqlErrText();
            return std::nullopt;
        }
        const qlonglong n = q->value(0).toLongLong();
        if (n < 1) continue;
        found.records << QStringLiteral("%1 %2%3").arg(n).arg(r.measure, r.noun);
        used << QStringLiteral("SELECT x.%1 AS houseno ").arg(r.column) + referring(r);
    }
    if (used.isEmpty()) return found;
    auto q = sqlca.select(QStringLiteral("SELECT COUNT(DISTINCT u.houseno) FROM (%1) u")
                              .arg(used.join(QStringLiteral(" UNION ALL "))),
                          params);
    if (!q || !q->next()) {
        if (error) *error = sqlca.sqlErrText();
        return std::nullopt;
    }
    found.houses = q->value(0).toInt();
    return found;
}

} // namespace cr::houses
