#include "resident_teams/scope_count.h"

#include "resident_teams/prepared_select.h"
#include "resident_teams/scope_code.h"

namespace cr::resident_teams {
namespace {

// The persons of the linked households are counted by joining the person
// table through its household index, living persons only (as the counting
// view v_tc_ge_personinfo counts them), once per link. The sum over the view
// gave the same totals but made the engine group the whole person table for
// every element: minutes for a scope of a few hundred doors.
const QString kLinks = QStringLiteral(
    "FROM TC_GE_RprOwnHouse, TC_GE_HouseInfo WHERE TC_GE_HouseInfo.HouseNo = TC_GE_RprOwnHouse.HouseNo AND ");
const QString kLivingPersons = QStringLiteral(
    "FROM TC_GE_RprOwnHouse, TC_GE_HouseInfo, TC_GE_PersonInfo "
    "WHERE TC_GE_PersonInfo.RprNo = TC_GE_RprOwnHouse.RprNo AND isnull(TC_GE_PersonInfo.IsDeath, '0') <> '1' "
    "AND TC_GE_HouseInfo.HouseNo = TC_GE_RprOwnHouse.HouseNo AND ");

const QString kDoor = QStringLiteral("TC_GE_HouseInfo.UnitNo = :unitno AND TC_GE_HouseInfo.BuildingNo = :buildingno");
const QString kBuilding = QStringLiteral("TC_GE_HouseInfo.BuildingNo = :buildingno");
const QString kHouse = QStringLiteral("TC_GE_HouseInfo.HouseNo = :houseno");

// The statements of one call, each prepared when first needed.
struct Statements {
    explicit Statements(Sqlca& sqlca)
        : doorHouseholds(sqlca, QStringLiteral("SELECT COUNT(*) ") + kLinks + kDoor),
          doorPersons(sqlca, QStringLiteral("SELECT COUNT(*) ") + kLivingPersons + kDoor),
          buildingHouseholds(sqlca, QStringLiteral("SELECT COUNT(*) ") + kLinks + kBuilding),
          buildingPersons(sqlca, QStringLiteral("SELECT COUNT(*) ") + kLivingPersons + kBuilding),
          houseHouseholds(sqlca, QStringLiteral("SELECT COUNT(*) ") + kLinks + kHouse),
          housePersons(sqlca, QStringLiteral("SELECT COUNT(*) ") + kLivingPersons + kHouse),
          householdPersons(sqlca, QStringLiteral("SELECT COUNT(*) FROM TC_GE_PersonInfo WHERE RprNo = :rprno"))
    {
    }
    PreparedSelect doorHouseholds, doorPersons;
    PreparedSelect buildingHouseholds, buildingPersons;
    PreparedSelect houseHouseholds, housePersons;
    PreparedSelect householdPersons;
};

// A count that is null, failed or not positive adds nothing.
void add(QSqlQuery* row, qlonglong& total)
{
    if (!row) return;
    const QVariant v = row->value(0);
    if (v.isNull()) return;
    const qlonglong n = v.toLongLong();
    if (n > 0) total += n;
}

} // namespace

int gf_scope2rprnum(Sqlca& sqlca, const QString& as_scopecode, qlonglong& al_rprnum, qlonglong& al_personnum)
{
    al_rprnum = 0;
    al_personnum = 0;
    if (as_scopecode.isEmpty()) return 0;

    Statements s(sqlca);
    for (const ScopeElement& e : parseScopeCode(as_scopecode)) {
        switch (e.kind) {
        case ScopeElement::Kind::Door:
            add(s.doorHouseholds.firstRow({{"unitno", e.door}, {"buildingno", e.building}}), al_rprnum);
            add(s.doorPersons.firstRow({{"unitno", e.door}, {"buildingno", e.building}}), al_personnum);
            break;
        case ScopeElement::Kind::Building:
            add(s.buildingHouseholds.firstRow({{"buildingno", e.building}}), al_rprnum);
            add(s.buildingPersons.firstRow({{"buildingno", e.building}}), al_personnum);
            break;
        case ScopeElement::Kind::House:
            add(s.houseHouseholds.firstRow({{"houseno", e.house}}), al_rprnum);
            add(s.housePersons.firstRow({{"houseno", e.house}}), al_personnum);
            break;
        case ScopeElement::Kind::Household:
            // Counted without looking the household up.
            al_rprnum += 1;
            add(s.householdPersons.firstRow({{"rprno", e.household}}), al_personnum);
            break;
        case ScopeElement::Kind::Ignored:
            break;
        }
    }
    return 0;
}

} // namespace cr::resident_teams
