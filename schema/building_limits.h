#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace cr::schema {

// The counts of a building are bounded well beyond any real building (the
// tallest towers have about 160 floors) so that a slip of the finger — a
// negative count, an extra zero, a pasted ten-digit number — is caught where
// it is typed, at the save and before the houses are generated.
struct BuildingCountLimit {
    QString column;   // column of tc_ge_building
    QString label;    // how the form names it
    int maximum;      // the smallest allowed value is 0
};

// Floors above ground, basements, doors, houses per floor (a bungalow
// compound's houses) and rooms of a bungalow.
const QList<BuildingCountLimit>& buildingCountLimits();
const BuildingCountLimit* buildingCountLimit(const QString& column);

// The most houses one building may hold: doors × floors × houses per floor.
constexpr long long maxHousesPerBuilding = 50000;

// "“建筑层数（地上）”应在0到200之间，请重新输入！" for a count outside its
// bounds (a fraction is no count either); nothing for an empty or sound one.
std::optional<QString> countRefusal(const BuildingCountLimit& limit, std::optional<double> value);

// The houses a multi-storey building's counts call for; the counts are taken
// as 0 when empty. Only meaningful for counts within their bounds.
long long housesCalledFor(std::optional<double> doors, std::optional<double> floors,
                          std::optional<double> housesPerFloor);

// "该楼院的房屋总数（…）超过了50000套…" when the counts call for more
// houses than a building may hold.
std::optional<QString> totalRefusal(long long houses);

} // namespace cr::schema
