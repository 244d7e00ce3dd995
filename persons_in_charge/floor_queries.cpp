#include "persons_in_charge/floor_queries.h"

#include "frame/sqlca.h"

#include <QCollator>
#include <algorithm>

namespace cr::persons_in_charge {

FloorQueries::FloorQueries(Sqlca& sqlca) : m_sqlca(sqlca) {}

std::optional<FloorLayout> FloorQueries::layout(qlonglong building, bool byGates) const
{
    auto q = m_sqlca.select(QStringLiteral("SELECT buildingname, unitnum, upfloornum, downfloornum, prepare3 "
                                           "FROM tc_ge_building WHERE buildingno = :buildingno"),
                            {{QStringLiteral("buildingno"), building}});
    if (!q || !q->next()) return std::nullopt;
    FloorLayout layout;
    layout.buildingNo = building;
    layout.name = q->value(0).toString();
    layout.upFloors = qMax(0, q->value(2).toInt());
    layout.downFloors = qMax(0, q->value(3).toInt());
    const QString word = q->value(4).toString().trimmed();
    if (!word.isEmpty()) layout.doorWord = word;
    if (byGates) {
        // A bungalow compound has its one floor, whatever was entered.
        if (layout.upFloors == 0) layout.upFloors = 1;
        for (const QString& gate : gates(building)) layout.doors << Door{0, gate};
    } else {
        const int doors = qMax(0, q->value(1).toInt());
        for (int d = 1; d <= doors; ++d) layout.doors << Door{d, QString()};
    }
    if (layout.doors.isEmpty()) layout.doors << Door{};
    return layout;
}

// The gates of a compound: the door names its houses carry where they have
// no door number, in the order a clerk counts them (2号门 before 10号门).
QStringList FloorQueries::gates(qlonglong building) const
{
    QStringList names;
    auto q = m_sqlca.select(QStringLiteral("SELECT DISTINCT unitname FROM tc_ge_houseinfo "
                                           "WHERE buildingno = :buildingno AND isnull(unitno, 0) = 0 "
                                           "AND unitname IS NOT NULL"),
                            {{QStringLiteral("buildingno"), building}});
    if (!q) return names;
    while (q->next()) {
        const QString name = q->value(0).toString().trimmed();
        if (!name.isEmpty() && !names.contains(name)) names << name;
    }
    QCollator order(QLocale(QLocale::Chinese, QLocale::China));
    order.setNumericMode(true);
    std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
        const int c = order.compare(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

std::optional<QString> FloorQueries::kind(qlonglong building) const
{
    const QVariant v = m_sqlca.selectValue(
        QStringLiteral("SELECT roomtype FROM tc_ge_building WHERE buildingno = :buildingno"),
        {{QStringLiteral("buildingno"), building}});
    if (m_sqlca.sqlCode() != Sqlca::Success) return std::nullopt;
    return v.toString();
}

QList<BuildingEntry> FloorQueries::buildings() const
{
    QList<BuildingEntry> list;
    auto q = m_sqlca.select(QStringLiteral("SELECT buildingno, buildingname, address, roomtype FROM tc_ge_building "
                                           "ORDER BY buildingno"));
    if (!q) return list;
    while (q->next())
        list << BuildingEntry{q->value(0).toLongLong(), q->value(1).toString(), q->value(2).toString(),
                              q->value(3).toString()};
    return list;
}

QList<DeanRange> FloorQueries::deanRanges(qlonglong building) const
{
    QList<DeanRange> list;
    auto q = m_sqlca.select(
        QStringLiteral("SELECT d.buildingmanagerno, p.personname, c.tname, m.scopename, m.scopecode "
                       "FROM tc_ge_buildingdean d "
                       "LEFT OUTER JOIN tc_ge_personinfo p ON p.personno = d.personno "
                       "LEFT OUTER JOIN tc_ge_buildingmanage m ON m.buildingmanagerno = d.buildingmanagerno "
                       "AND m.buildingno = d.buildingno "
                       "LEFT OUTER JOIN tc_codelist c ON c.listname = :dutylist AND c.tcode = d.duty "
                       "WHERE d.buildingno = :buildingno AND (p.isdeath IS NULL OR p.isdeath <> :deceased) "
                       "ORDER BY d.buildingmanagerno"),
        {{QStringLiteral("dutylist"), QStringLiteral("dddw_ge_duty")},
         {QStringLiteral("buildingno"), building},
         {QStringLiteral("deceased"), QStringLiteral("1")}});
    if (!q) return list;
    while (q->next())
        list << DeanRange{q->value(0).toLongLong(), q->value(1).toString(), q->value(2).toString(),
                          q->value(3).toString(), q->value(4).toString()};
    return list;
}

} // namespace cr::persons_in_charge
