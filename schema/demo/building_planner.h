#pragma once

#include "schema/demo/building_plan.h"
#include "schema/demo/demo_profile.h"

#include <QList>
#include <QStringList>

namespace cr::demo {

class DemoRandom;

// Lays out the community: responsibility areas, estates of multi-storey
// buildings along the roads, bungalow compounds, and basements under some
// buildings. Names and addresses come out unique by construction.
class BuildingPlanner {
public:
    BuildingPlanner(DemoRandom& random, const DemoProfile& profile);

    QStringList areaNames() const;          // "第一责任区", ...
    QList<BuildingPlan> plan();

private:
    BuildingPlan multiStorey();
    BuildingPlan bungalow();
    BuildingPlan basementUnder(const BuildingPlan& building);
    QString nextAddress(const QString& road);
    void startEstate();

    DemoRandom& m_random;
    DemoProfile m_profile;
    QStringList m_estateNames;      // shuffled once, used in order
    int m_estateCount = 0;
    QString m_estate;               // current estate
    QString m_estateRoad;
    int m_estateArea = 0;
    int m_estateLeft = 0;           // buildings still to come in it
    int m_estateBuilding = 0;       // number of the last building in it
    QList<int> m_roadNumbers;       // last house number used on each road
};

} // namespace cr::demo
