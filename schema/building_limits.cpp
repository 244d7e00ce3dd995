#include "schema/building_limits.h"

#include <cmath>

namespace cr::schema {

const QList<BuildingCountLimit>& buildingCountLimits()
{
    static const QList<BuildingCountLimit> limits = {
        {QStringLiteral("upfloornum"), QStringLiteral("建筑层数（地上）"), 200},
        {QStringLiteral("downfloornum"), QStringLiteral("建筑层数（地下）"), 20},
        {QStringLiteral("unitnum"), QStringLiteral("楼门（单元）数"), 200},
        {QStringLiteral("floorhouesnum"), QStringLiteral("每单元每层户数"), 999},
        {QStringLiteral("housenum"), QStringLiteral("间数"), 9999},
    };
    return limits;
}

const BuildingCountLimit* buildingCountLimit(const QString& column)
{
    for (const BuildingCountLimit& l : buildingCountLimits())
        if (l.column.compare(column, Qt::CaseInsensitive) == 0) return &l;
    return nullptr;
}

std::optional<QString> countRefusal(const BuildingCountLimit& limit, std::optional<double> value)
{
    if (!value) return std::nullopt;
    if (*value >= 0 && *value <= limit.maximum && *value == std::trunc(*value)) return std::nullopt;
    return QStringLiteral("“%1”应在0到%2之间，请重新输入！").arg(limit.label).arg(limit.maximum);
}

long long housesCalledFor(std::optional<double> doors, std::optional<double> floors,
                          std::optional<double> housesPerFloor)
{
    const auto whole = [](std::optional<double> n) { return n && *n > 0 ? std::trunc(*n) : 0.0; };
    // Worked out in floating point so that no count, however wild, overflows.
    const double houses = whole(doors) * whole(floors) * whole(housesPerFloor);
    return houses > 1e15 ? static_cast<long long>(1e15) : static_cast<long long>(houses);
}

std::optional<QString> totalRefusal(long long houses)
{
    if (houses <= maxHousesPerBuilding) return std::nullopt;
    return QStringLiteral("该楼院的房屋总数（单元数×地上层数×每单元每层户数＝%1套）超过了%2套，请检查填写的数字！")
        .arg(houses)
        .arg(maxHousesPerBuilding);
}

} // namespace cr::schema
