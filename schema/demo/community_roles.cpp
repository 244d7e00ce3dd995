#include "schema/demo/community_roles.h"

#include "frame/sqlca.h"
#include "persons_in_charge/range_code.h"
#include "persons_in_charge/range_text.h"
#include "resident_teams/scope_code.h"
#include "resident_teams/scope_text.h"
#include "schema/demo/bulk_loader.h"
#include "schema/demo/demo_codes.h"
#include "schema/demo/demo_random.h"
#include "schema/demo/demo_words.h"
#include "schema/demo/natural_keys.h"


namespace cr::demo {
namespace {

using persons_in_charge::Cells;
using persons_in_charge::Door;
using persons_in_charge::FloorLayout;

// The building as the floor dialog lays it out: numbered doors for a
// multi-storey building, the block for the others (demo compounds name no
// gates), a compound with one floor at least.
FloorLayout layoutOf(const BuildingPlan& b, int buildingNo)
{
    FloorLayout layout;
    layout.buildingNo = buildingNo;
    layout.name = b.name;
    layout.upFloors = qMax(0, b.upFloors);
    layout.downFloors = qMax(0, b.downFloors);
    if (b.kind == BuildingKind::Bungalow && layout.upFloors == 0) layout.upFloors = 1;
    if (b.kind == BuildingKind::MultiStorey)
        for (int d = 1; d <= b.units; ++d) layout.doors << Door{d, QString()};
    if (layout.doors.isEmpty()) layout.doors << Door{};
    return layout;
}

Cells doorsCells(const FloorLayout& layout, int first, int last)
{
    Cells cells;
    for (int d = first; d <= last; ++d) cells.unite(layout.doorCells(d));
    return cells;
}

Cells floorsCells(const FloorLayout& layout, int first, int last)
{
    Cells cells;
    for (int f = first; f <= last; ++f) cells.unite(layout.floorCells(f));
    return cells;
}

} // namespace

CommunityRoles::CommunityRoles(Sqlca& sqlca, DemoRandom& random, const DemoCodes& codes, const RolesInput& input,
                               Collect collect)
    : m_sqlca(sqlca), m_random(random), m_codes(codes), m_in(input), m_collect(std::move(collect))
{
    for (const BuildingPlan& b : m_in.buildings)
        m_areaResidents[b.areaIndex] << m_in.residents.value(m_in.buildingKeys.value(b.name));
}

bool CommunityRoles::write(QString* error)
{
    BulkLoader holders(m_sqlca);
    bool ok = planDeans(holders) && planManagers(holders) && planTeams(holders) && flush(holders);
    if (ok) {
        // Ranges, scopes and leaders name the keys the rows above were given.
        BulkLoader companions(m_sqlca);
        ok = writeRanges(companions) && writeScopes(companions) && flush(companions);
    }
    if (!ok && error) *error = m_error;
    return ok;
}

bool CommunityRoles::flush(BulkLoader& loader)
{
    const bool ok = loader.flushAll();
    m_collect(loader);
    if (!ok && m_error.isEmpty()) m_error = loader.error();
    return ok;
}

bool CommunityRoles::readKeys(const QString& sql, QHash<QString, int>* keys)
{
    return readNaturalKeys(m_sqlca, sql, keys, &m_error);
}

// The first candidate without a duty yet; empty when all have one.
QString CommunityRoles::takePerson(const QStringList& candidates)
{
    for (const QString& personno : candidates)
        if (!m_taken.contains(personno)) {
            m_taken.insert(personno);
            return personno;
        }
    return {};
}

// A resident of the building, else a neighbour from its area (nobody lives
// in a basement).
QString CommunityRoles::takeNear(const BuildingPlan& b)
{
    const QString resident = takePerson(m_in.residents.value(m_in.buildingKeys.value(b.name)));
    return resident.isEmpty() ? takePerson(m_areaResidents.value(b.areaIndex)) : resident;
}

bool CommunityRoles::planDeans(BulkLoader& loader)
{
    BulkTable& table = loader.addTable(QStringLiteral("tc_ge_buildingdean"),
                                       {QStringLiteral("commno"), QStringLiteral("buildingno"), QStringLiteral("personno"),
                                        QStringLiteral("duty"), QStringLiteral("issave")});
    for (const BuildingPlan& b : m_in.buildings) {
        if (!m_random.percent(85)) continue;
        const int buildingNo = m_in.buildingKeys.value(b.name);
        const FloorLayout layout = layoutOf(b, buildingNo);
        // One dean for the whole building, or two sharing it by doors or,
        // in a tall one-door block, by floors.
        QList<QPair<Cells, QString>> shares;
        const int doors = int(layout.doors.size());
        if (b.kind == BuildingKind::MultiStorey && doors >= 2 && m_random.percent(35)) {
            const int split = m_random.between(0, doors - 2);
            shares << qMakePair(doorsCells(layout, 0, split), QStringLiteral("51"))
                   << qMakePair(doorsCells(layout, split + 1, doors - 1), QStringLiteral("53"));
        } else if (b.kind == BuildingKind::MultiStorey && layout.upFloors >= 6 && m_random.percent(30)) {
            const int split = layout.upFloors / 2;
            shares << qMakePair(floorsCells(layout, 1, split), QStringLiteral("51"))
                   << qMakePair(floorsCells(layout, split + 1, layout.upFloors), QStringLiteral("54"));
        } else {
            shares << qMakePair(layout.allCells(),
                                b.kind == BuildingKind::Bungalow ? QStringLiteral("55") : QStringLiteral("51"));
        }
        for (const auto& [cells, duty] : shares) {
            const QString personno = takeNear(b);
            if (personno.isEmpty()) break;
            m_deans << Dean{buildingNo, personno, persons_in_charge::RangeText::print(layout, cells),
                            persons_in_charge::RangeCode::print(layout, cells)};
            const QString code = m_codes.deanDuty(duty);
            if (!loader.add(table, {m_in.commNo, buildingNo, personno, code.isEmpty() ? QVariant() : QVariant(code),
                                    QStringLiteral("1")}))
                return false;
        }
    }
    return true;
}

bool CommunityRoles::planManagers(BulkLoader& loader)
{
    BulkTable& table = loader.addTable(QStringLiteral("tc_ge_regionalmanager"),
                                       {QStringLiteral("commno"), QStringLiteral("regionalno"), QStringLiteral("personno"),
                                        QStringLiteral("issave")});
    for (int a = 0; a < m_in.areaNames.size(); ++a) {
        const QString personno = takePerson(m_areaResidents.value(a));
        if (personno.isEmpty()) continue;
        if (!loader.add(table, {m_in.commNo, m_in.areaKeys.value(m_in.areaNames[a]), personno, QStringLiteral("1")}))
            return false;
    }
    return true;
}

bool CommunityRoles::planTeams(BulkLoader& loader)
{
    BulkTable& table = loader.addTable(QStringLiteral("tc_og_inhabitantteam"),
                                       {QStringLiteral("commno"), QStringLiteral("regionalno"), QStringLiteral("orgname"),
                                        QStringLiteral("issave")});
    // Neighbouring buildings of one area, two to four a team.
    for (int a = 0; a < m_in.areaNames.size(); ++a) {
        QList<int> buildings;
        for (int i = 0; i < m_in.buildings.size(); ++i)
            if (m_in.buildings[i].areaIndex == a) buildings << i;
        int number = 0;
        for (qsizetype at = 0; at < buildings.size();) {
            qsizetype size = qMin<qsizetype>(m_random.between(2, 4), buildings.size() - at);
            // No team of one building left over at the end of the area.
            if (buildings.size() - at - size == 1) size += size < 4 ? 1 : -1;
            Team team{a, m_in.areaNames[a] + QStringLiteral("第%1小组").arg(DemoWords::chineseNumber(++number)),
                      buildings.mid(at, size), {}};
            at += size;
            const int leaders = m_random.percent(40) ? 2 : 1;
            for (int i = 0; i < team.buildings.size() && team.leaders.size() < leaders; ++i) {
                const QString personno = takeNear(m_in.buildings[team.buildings[i]]);
                if (!personno.isEmpty()) team.leaders << personno;
            }
            if (!loader.add(table, {m_in.commNo, m_in.areaKeys.value(m_in.areaNames[a]), team.name, QStringLiteral("1")}))
                return false;
            m_teams << team;
        }
    }
    return true;
}

bool CommunityRoles::writeRanges(BulkLoader& loader)
{
    QHash<QString, int> keys;   // "buildingno/personno" -> buildingmanagerno
    if (!readKeys(QStringLiteral("SELECT buildingmanagerno, buildingno, personno FROM tc_ge_buildingdean"), &keys))
        return false;
    BulkTable& table = loader.addTable(QStringLiteral("tc_ge_buildingmanage"),
                                       {QStringLiteral("commno"), QStringLiteral("buildingmanagerno"),
                                        QStringLiteral("buildingno"), QStringLiteral("scopename"),
                                        QStringLiteral("scopecode"), QStringLiteral("issave")});
    for (const Dean& d : m_deans) {
        const int key = keys.value(QString::number(d.building) + QLatin1Char('/') + d.personno);
        if (!loader.add(table, {m_in.commNo, key, d.building, d.scopeName, d.scopeCode, QStringLiteral("1")}))
            return false;
    }
    return true;
}

bool CommunityRoles::writeScopes(BulkLoader& loader)
{
    QHash<QString, int> keys;   // orgname -> teamno
    if (!readKeys(QStringLiteral("SELECT teamno, orgname FROM tc_og_inhabitantteam"), &keys)) return false;
    BulkTable& scopes = loader.addTable(QStringLiteral("tc_og_inhabteamscope"),
                                        {QStringLiteral("commno"), QStringLiteral("teamno"), QStringLiteral("scopename"),
                                         QStringLiteral("scopecode"), QStringLiteral("rprnum"),
                                         QStringLiteral("personnum"), QStringLiteral("issave")});
    BulkTable& leaders = loader.addTable(QStringLiteral("tc_og_inhabteamleader"),
                                         {QStringLiteral("commno"), QStringLiteral("teamno"), QStringLiteral("personno"),
                                          QStringLiteral("issave")});
    for (const Team& t : m_teams) {
        const int teamNo = keys.value(t.name);
        QStringList codes, names;
        qint64 households = 0, persons = 0;
        for (int i : t.buildings) {
            const int buildingNo = m_in.buildingKeys.value(m_in.buildings[i].name);
            codes << resident_teams::buildingCode(buildingNo);
            names << m_in.buildings[i].name;
            // Counted as the scope dialog counts a building: its households'
            // links and their living persons.
            households += m_in.occupancy.value(buildingNo).first;
            persons += m_in.occupancy.value(buildingNo).second;
        }
        using resident_teams::firstCharacters;
        using resident_teams::kScopeLimit;
        const QString code = firstCharacters(resident_teams::joinScopeCode(codes), kScopeLimit);
        const QString text = firstCharacters(resident_teams::scopeLines(names.join(QLatin1Char(','))), kScopeLimit);
        if (!loader.add(scopes, {m_in.commNo, teamNo, text, code, households, persons, QStringLiteral("1")}))
            return false;
        for (const QString& personno : t.leaders)
            if (!loader.add(leaders, {m_in.commNo, teamNo, personno, QStringLiteral("1")})) return false;
    }
    return true;
}

} // namespace cr::demo
