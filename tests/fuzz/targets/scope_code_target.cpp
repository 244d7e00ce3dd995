#include "fuzz_input.h"
#include "fuzz_targets.h"

#include "frame/gf_functions.h"
#include "frame/sqlca.h"
#include "houses/house_name.h"
#include "resident_teams/scope_code.h"
#include "schema/schema.h"

#include <memory>

namespace cr::fuzz {
namespace {

// One registry in memory for all runs: a building with a door and a house,
// a household with its head.
Sqlca& registry()
{
    static std::unique_ptr<Sqlca> db = [] {
        DbTarget target;
        target.path = QStringLiteral(":memory:");
        QString error;
        auto sqlca = Sqlca::connect(target, &error);
        require(sqlca && schema::create(*sqlca, &error));
        require(sqlca->execute(QStringLiteral("INSERT INTO tc_ge_building (commno, buildingno, buildingname) "
                                              "VALUES ('c', 12, '和平小区3号楼')")));
        require(sqlca->execute(QStringLiteral("INSERT INTO tc_ge_houseinfo (commno, houseno, buildingno, unitno, "
                                              "unitname, housenumber) VALUES ('c', 457, 12, 3, '单元', '302室')")));
        require(sqlca->execute(QStringLiteral("INSERT INTO tc_ge_rpr (commno, rprno, hostname) VALUES ('c', '0042', '王芳')")));
        require(sqlca->commit());
        return sqlca;
    }();
    return *db;
}

// What the scope dialog writes for an element it read reads back as the same
// element: a code saved, opened and saved again names the same houses.
void requireRoundTrip(const resident_teams::ScopeElement& e)
{
    using resident_teams::ScopeElement;
    using resident_teams::parseScopeElement;
    switch (e.kind) {
    case ScopeElement::Kind::Building: {
        const ScopeElement again = parseScopeElement(resident_teams::buildingCode(e.building));
        require(again.kind == e.kind && again.building == e.building);
        break;
    }
    case ScopeElement::Kind::Door: {
        const ScopeElement again = parseScopeElement(resident_teams::doorCode(e.building, e.door));
        require(again.kind == e.kind && again.building == e.building && again.door == e.door);
        break;
    }
    case ScopeElement::Kind::House: {
        const ScopeElement again = parseScopeElement(resident_teams::houseCode(e.house));
        require(again.kind == e.kind && again.house == e.house);
        break;
    }
    case ScopeElement::Kind::Household:
        require(resident_teams::householdCode(e.household) == e.text);
        break;
    case ScopeElement::Kind::Ignored:
        break;
    }
}

// The keys read as the dialog wrote them are among the keys the count reads.
void requireWrittenWithinAll(const QString& code)
{
    const auto written = resident_teams::ScopeKeys::of(code, true);
    const auto all = resident_teams::ScopeKeys::of(code, false);
    require(all.buildings.contains(written.buildings) && all.houses.contains(written.houses)
            && all.households.contains(written.households));
    for (const auto& door : written.doors) require(all.doors.contains(door));
}

} // namespace

void scopeCode(const uint8_t* data, size_t size)
{
    const QString code = textOf(data, size);
    Sqlca& db = registry();
    const QStringList elements = gf_substr(code, QStringLiteral(","));
    for (const QString& element : elements.mid(0, 64)) houses::gf_gethousename(db, element);
    gf_replaceall(code, QStringLiteral(","), QString());
    for (const auto& element : resident_teams::parseScopeCode(code)) requireRoundTrip(element);
    requireWrittenWithinAll(code);
    require(!db.inTransaction());
}

} // namespace cr::fuzz
