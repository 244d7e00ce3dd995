#include "schema/demo/building_planner.h"

#include "schema/demo/demo_random.h"
#include "schema/demo/demo_words.h"

namespace cr::demo {

BuildingPlanner::BuildingPlanner(DemoRandom& random, const DemoProfile& profile)
    : m_random(random), m_profile(profile)
{
    for (const QString& prefix : DemoWords::estatePrefixes())
        for (const QString& suffix : DemoWords::estateSuffixes()) m_estateNames << prefix + suffix;
    for (qsizetype i = m_estateNames.size() - 1; i > 0; --i)
        m_estateNames.swapItemsAt(i, qsizetype(m_random.below(quint64(i) + 1)));
    m_roadNumbers = QList<int>(DemoWords::roads().size(), 0);
}

QStringList BuildingPlanner::areaNames() const
{
    QStringList names;
    for (int i = 1; i <= m_profile.areas; ++i)
        names << QStringLiteral("第%1责任区").arg(DemoWords::chineseNumber(i));
    return names;
}

QList<BuildingPlan> BuildingPlanner::plan()
{
    QList<BuildingPlan> buildings;
    qint64 houses = 0;
    qsizetype lastMultiStorey = -1;
    for (int i = 0; i < m_profile.minBuildings || houses < m_profile.minHouses; ++i) {
        // A fixed rhythm keeps all three kinds present in every size.
        if (i % 10 == 4) {
            buildings << bungalow();
        } else if (i % 15 == 7 && lastMultiStorey >= 0) {
            BuildingPlan& above = buildings[lastMultiStorey];
            above.downFloors = qMax(above.downFloors, 1);
            buildings << basementUnder(above);
        } else {
            buildings << multiStorey();
            lastMultiStorey = buildings.size() - 1;
        }
        houses += buildings.last().houseCount();
    }
    return buildings;
}

void BuildingPlanner::startEstate()
{
    const qsizetype n = m_estateNames.size();
    m_estate = m_estateNames[m_estateCount % n];
    if (m_estateCount >= n) m_estate += DemoWords::chineseNumber(int(m_estateCount / n) + 1) + QStringLiteral("期");
    m_estateRoad = m_random.pick(DemoWords::roads());
    m_estateArea = m_estateCount % m_profile.areas;   // every area gets estates early on
    m_estateLeft = m_random.between(m_profile.estateMinBuildings, m_profile.estateMaxBuildings);
    m_estateBuilding = 0;
    ++m_estateCount;
}

QString BuildingPlanner::nextAddress(const QString& road)
{
    const qsizetype r = DemoWords::roads().indexOf(road);
    m_roadNumbers[r] += m_random.between(1, 3);
    return road + QString::number(m_roadNumbers[r]) + QStringLiteral("号");
}

BuildingPlan BuildingPlanner::multiStorey()
{
    if (m_estateLeft == 0) startEstate();
    --m_estateLeft;
    BuildingPlan b;
    b.kind = BuildingKind::MultiStorey;
    b.areaIndex = m_estateArea;
    b.name = m_estate + QString::number(++m_estateBuilding) + QStringLiteral("号楼");
    b.address = nextAddress(m_estateRoad);
    switch (m_random.weighted({60, 25, 15})) {
    case 0:   // walk-up flats of the planned-economy years
        b.upFloors = m_random.between(4, 6);
        b.units = m_random.between(1, 4);
        b.housesPerFloor = m_random.between(2, 3);
        b.downFloors = m_random.percent(30) ? 1 : 0;
        b.fixedYear = m_random.between(1958, 1995);
        b.minHouseArea = 38;
        b.maxHouseArea = 85;
        break;
    case 1:   // mid-rise slabs
        b.upFloors = m_random.between(9, 12);
        b.units = m_random.between(1, 2);
        b.housesPerFloor = m_random.between(2, 3);
        b.downFloors = 1;
        b.fixedYear = m_random.between(1985, 2005);
        b.minHouseArea = 50;
        b.maxHouseArea = 110;
        break;
    default:  // towers
        b.upFloors = m_random.between(16, 24);
        b.units = m_random.between(1, 2);
        b.housesPerFloor = m_random.between(4, 6);
        b.downFloors = 2;
        b.fixedYear = m_random.between(1995, 2015);
        b.minHouseArea = 55;
        b.maxHouseArea = 150;
        break;
    }
    return b;
}

BuildingPlan BuildingPlanner::bungalow()
{
    BuildingPlan b;
    b.kind = BuildingKind::Bungalow;
    b.areaIndex = int(m_random.below(quint64(m_profile.areas)));
    b.address = nextAddress(m_random.pick(DemoWords::roads()));
    b.name = b.address + QStringLiteral("平房院");
    b.upFloors = 1;
    b.housesPerFloor = m_random.between(4, 15);
    b.fixedYear = m_random.between(1920, 1975);
    b.minHouseArea = 15;
    b.maxHouseArea = 45;
    return b;
}

BuildingPlan BuildingPlanner::basementUnder(const BuildingPlan& building)
{
    BuildingPlan b;
    b.kind = BuildingKind::Basement;
    b.areaIndex = building.areaIndex;
    b.name = building.name + QStringLiteral("地下室");
    b.address = building.address + QStringLiteral("地下室");
    b.downFloors = 1;
    b.basementRooms = m_random.between(6, 20);
    b.fixedYear = building.fixedYear;
    b.minHouseArea = 8;
    b.maxHouseArea = 25;
    return b;
}

} // namespace cr::demo
