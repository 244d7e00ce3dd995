#include "resident_teams/coverage_report.h"

#include "resident_teams/query_rows.h"
#include "resident_teams/scope_code.h"
#include "resident_teams/scope_source.h"
#include "resident_teams/scope_tree.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <functional>

namespace cr::resident_teams {
namespace {

QString areaKey(const QVariant& regionalNo) { return regionalNo.isNull() ? QString() : regionalNo.toString(); }

// Which teams cover each house and each household, every team once.
struct Cover {
    std::vector<QList<int>> houseTeams;        // by house row
    QHash<QString, QList<int>> householdTeams; // by household number
};

Cover coverOf(const CoverageInput& in)
{
    QHash<qlonglong, QList<int>> byBuilding;
    QHash<QPair<qlonglong, qlonglong>, QList<int>> byDoor;
    QHash<qlonglong, int> byHouse;
    for (int h = 0; h < int(in.houses.size()); ++h) {
        const auto& house = in.houses[size_t(h)];
        byBuilding[house.buildingNo] << h;
        if (!house.door.isNull()) byDoor[{house.buildingNo, house.door.toLongLong()}] << h;
        byHouse.insert(house.houseNo, h);
    }
    QHash<qlonglong, QStringList> householdsOf;
    for (const auto& link : in.links) householdsOf[link.houseNo] << link.rprNo;

    Cover cover;
    cover.houseTeams.resize(in.houses.size());
    for (int t = 0; t < in.teams.size(); ++t) {
        const ScopeKeys keys = ScopeKeys::of(in.teams[t].scopeCode, false);
        QSet<int> houses;
        QSet<QString> households = keys.households;
        for (qlonglong b : keys.buildings)
            for (int h : byBuilding.value(b)) houses.insert(h);
        for (const auto& door : keys.doors)
            for (int h : byDoor.value(door)) houses.insert(h);
        for (qlonglong house : keys.houses)
            if (byHouse.contains(house)) houses.insert(byHouse.value(house));
        for (int h : houses) {
            cover.houseTeams[size_t(h)] << t;
            for (const QString& r : householdsOf.value(in.houses[size_t(h)].houseNo)) households.insert(r);
        }
        for (const QString& r : households) cover.householdTeams[r] << t;
    }
    return cover;
}

void countHousehold(CoverageCounts& c, int teams, qlonglong persons)
{
    ++c.households;
    if (teams == 0) {
        ++c.householdsUncovered;
        c.personsUncovered += persons;
    } else if (teams > 1) {
        ++c.householdsShared;
        c.personsShared += persons;
    }
}

} // namespace

QString noAreaName() { return QStringLiteral("（未划分责任区）"); }

CoverageReport coverageReport(const CoverageInput& in)
{
    const Cover cover = coverOf(in);

    // Rows for the areas in their order, one more for buildings without area when needed.
    CoverageReport report;
    QHash<QString, int> rowOf;
    for (const auto& a : in.areas) {
        rowOf.insert(areaKey(a.regionalNo), int(report.areas.size()));
        report.areas << CoverageCounts{a.name};
    }
    const auto row = [&](const QVariant& regionalNo) -> CoverageCounts& {
        const QString key = areaKey(regionalNo);
        if (!rowOf.contains(key)) {
            rowOf.insert(key, int(report.areas.size()));
            report.areas << CoverageCounts{regionalNo.isNull() ? noAreaName() : key};
        }
        return report.areas[rowOf.value(key)];
    };
    report.total.area = QStringLiteral("合计");

    QHash<qlonglong, int> houseRow;
    for (int h = 0; h < int(in.houses.size()); ++h) {
        const auto& house = in.houses[size_t(h)];
        houseRow.insert(house.houseNo, h);
        const int teams = int(cover.houseTeams[size_t(h)].size());
        for (CoverageCounts* c : {&row(house.regionalNo), &report.total}) {
            ++c->houses;
            if (teams == 0) ++c->housesUncovered;
            if (teams > 1) ++c->housesShared;
        }
        if (teams == 1) continue;
        CoverageGap gap{house.houseNo, row(house.regionalNo).area,
                        house.number + QLatin1Char('(') + house.buildingName +
                            doorName(house.door.toLongLong(), house.doorWord) + QLatin1Char(')'),
                        {}};
        for (int t : cover.houseTeams[size_t(h)]) gap.teams << in.teams[t].name;
        report.gaps << gap;
    }

    // Households by the areas of the houses they live in, each once per area.
    QSet<QPair<QString, QString>> counted;
    QSet<QString> countedInTotal;
    for (const auto& link : in.links) {
        if (!houseRow.contains(link.houseNo)) continue;
        const auto& house = in.houses[size_t(houseRow.value(link.houseNo))];
        const int teams = int(cover.householdTeams.value(link.rprNo).size());
        const qlonglong persons = in.livingPersons.value(link.rprNo);
        if (!counted.contains({areaKey(house.regionalNo), link.rprNo})) {
            counted.insert({areaKey(house.regionalNo), link.rprNo});
            countHousehold(row(house.regionalNo), teams, persons);
        }
        if (!countedInTotal.contains(link.rprNo)) {
            countedInTotal.insert(link.rprNo);
            countHousehold(report.total, teams, persons);
        }
    }

    // Gaps by area (in the areas' order), building, door and house number.
    QHash<qlonglong, const CoverageInput::House*> houseOf;
    for (const auto& house : in.houses) houseOf.insert(house.houseNo, &house);
    std::stable_sort(report.gaps.begin(), report.gaps.end(), [&](const CoverageGap& x, const CoverageGap& y) {
        const auto* a = houseOf.value(x.houseNo);
        const auto* b = houseOf.value(y.houseNo);
        const int ra = rowOf.value(areaKey(a->regionalNo)), rb = rowOf.value(areaKey(b->regionalNo));
        if (ra != rb) return ra < rb;
        if (a->buildingNo != b->buildingNo) return a->buildingNo < b->buildingNo;
        if (a->door.toLongLong() != b->door.toLongLong()) return a->door.toLongLong() < b->door.toLongLong();
        if (const int c = naturalCompare(a->number, b->number)) return c < 0;
        return a->houseNo < b->houseNo;
    });
    return report;
}

bool CoverageInput::read(Sqlca& sqlca, QString* error)
{
    const auto query = [&](const QString& sql, const std::function<void(const QSqlQuery&)>& row) {
        return forEachRow(sqlca, sql, error, row);
    };
    *this = CoverageInput();
    return query(QStringLiteral("SELECT regionalno, regionalname FROM tc_ge_regionalmanage ORDER BY regionalno"),
                 [&](const QSqlQuery& q) { areas << Area{q.value(0), q.value(1).toString()}; }) &&
           query(QStringLiteral("SELECT tc_ge_houseinfo.houseno, tc_ge_houseinfo.buildingno, tc_ge_houseinfo.unitno, "
                                "tc_ge_houseinfo.unitname, tc_ge_houseinfo.housenumber, tc_ge_building.buildingname, "
                                "tc_ge_building.regionalno FROM tc_ge_houseinfo "
                                "JOIN tc_ge_building ON tc_ge_building.buildingno = tc_ge_houseinfo.buildingno"),
                 [&](const QSqlQuery& q) {
                     houses.push_back(House{q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2),
                                            q.value(3).toString(), q.value(4).toString(), q.value(5).toString(),
                                            q.value(6)});
                 }) &&
           query(QStringLiteral("SELECT houseno, rprno FROM tc_ge_rprownhouse WHERE rprno IS NOT NULL"),
                 [&](const QSqlQuery& q) { links.push_back(Link{q.value(0).toLongLong(), q.value(1).toString()}); }) &&
           query(QStringLiteral("SELECT rprno, personnum FROM v_tc_ge_personinfo"),
                 [&](const QSqlQuery& q) { livingPersons.insert(q.value(0).toString(), q.value(1).toLongLong()); }) &&
           query(QStringLiteral("SELECT tc_og_inhabitantteam.teamno, tc_og_inhabitantteam.orgname, "
                                "tc_og_inhabteamscope.scopecode FROM tc_og_inhabitantteam "
                                "JOIN tc_og_inhabteamscope ON tc_og_inhabteamscope.teamno = tc_og_inhabitantteam.teamno "
                                "ORDER BY tc_og_inhabitantteam.teamno"),
                 [&](const QSqlQuery& q) {
                     teams << Team{q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString()};
                 });
}

} // namespace cr::resident_teams
