#pragma once

#include <QList>
#include <QString>

namespace cr::demo {

enum class DemoSize { Small, Large };

// "small" / "large" (case-insensitive); false for anything else.
bool parseDemoSize(const QString& text, DemoSize* size);

// How big the demo community is and how densely it is lived in.
struct DemoProfile {
    int areas = 4;
    int minBuildings = 20;          // buildings are added until both minimums
    int minHouses = 950;            // are reached
    int estateMinBuildings = 3;     // multi-storey buildings per estate
    int estateMaxBuildings = 6;
    QList<int> householdsPerHouse;  // weights of 0, 1, 2, 3 households in a house
    QList<int> householdSize;       // weights of 1, 2, 3, 4, 5 persons
    int rentedPercent = 6;          // dwellings let to tenants
    int basementRentedPercent = 50; // basement rooms let to tenants

    static DemoProfile of(DemoSize size);
};

} // namespace cr::demo
