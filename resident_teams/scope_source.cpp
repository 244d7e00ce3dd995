#include "resident_teams/scope_source.h"

#include "frame/dataview.h"
#include "resident_teams/query_rows.h"

namespace cr::resident_teams {

QString doorName(qlonglong door, const QString& doorWord)
{
    return door == 0 ? doorWord : QString::number(door) + doorWord;
}

QList<ScopeSource::Building> ScopeSource::buildingsOf(const DataView& view)
{
    QList<Building> out;
    out.reserve(view.rowCount());
    const int no = view.columnIndex(QStringLiteral("buildingno"));
    const int name = view.columnIndex(QStringLiteral("buildingname"));
    const int kind = view.columnIndex(QStringLiteral("roomtype"));
    for (int row = 1; row <= view.rowCount(); ++row)
        out << Building{view.item(row, no).toLongLong(), view.item(row, name).toString(),
                        view.item(row, kind).toString()};
    return out;
}

QString ScopeSource::housesSql()
{
    return QStringLiteral("SELECT tc_ge_houseinfo.houseno, tc_ge_houseinfo.buildingno, tc_ge_houseinfo.unitno, "
                          "tc_ge_houseinfo.unitname, tc_ge_houseinfo.housenumber FROM tc_ge_houseinfo");
}

// Households of the household register only: a link to a number that names
// no household has no head to show.
QString ScopeSource::householdsSql()
{
    return QStringLiteral("SELECT tc_ge_rprownhouse.orderno, tc_ge_rprownhouse.houseno, tc_ge_rprownhouse.rprno, "
                          "tc_ge_rpr.hostname FROM tc_ge_rprownhouse "
                          "JOIN tc_ge_rpr ON tc_ge_rpr.rprno = tc_ge_rprownhouse.rprno");
}

bool ScopeSource::readHouses(Sqlca& sqlca, QString* error)
{
    houses.clear();
    return forEachRow(sqlca, housesSql(), error, [this](const QSqlQuery& q) {
        houses.push_back(House{q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toLongLong(),
                               q.value(3).toString(), q.value(4).toString()});
    });
}

bool ScopeSource::readHouseholds(Sqlca& sqlca, QString* error)
{
    households.clear();
    return forEachRow(sqlca, householdsSql(), error, [this](const QSqlQuery& q) {
        households.push_back(Household{q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toString(),
                                       q.value(3).toString()});
    });
}

} // namespace cr::resident_teams
