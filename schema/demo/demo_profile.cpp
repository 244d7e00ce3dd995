#include "schema/demo/demo_profile.h"

namespace cr::demo {

bool parseDemoSize(const QString& text, DemoSize* size)
{
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("small")) *size = DemoSize::Small;
    else if (t == QLatin1String("large")) *size = DemoSize::Large;
    else return false;
    return true;
}

DemoProfile DemoProfile::of(DemoSize size)
{
    DemoProfile p;
    p.householdSize = {18, 30, 32, 13, 7};
    if (size == DemoSize::Small) {
        // The first-start community: a few areas, about twenty buildings,
        // a thousand houses, one household in most of them.
        p.areas = 4;
        p.minBuildings = 20;
        p.minHouses = 950;
        p.estateMinBuildings = 3;
        p.estateMaxBuildings = 6;
        p.householdsPerHouse = {20, 76, 4, 0};
        return p;
    }
    // A street office: old flats often hold several registered households,
    // which gives about 1.5 household links per house.
    p.areas = 40;
    p.minBuildings = 2000;
    p.minHouses = 105000;
    p.estateMinBuildings = 4;
    p.estateMaxBuildings = 16;
    p.householdsPerHouse = {3, 45, 38, 14};
    return p;
}

} // namespace cr::demo
