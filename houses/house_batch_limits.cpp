#include "houses/house_batch_limits.h"

#include "houses/house_batch.h"
#include "schema/building_limits.h"

namespace cr::houses {
namespace {

bool outOfBounds(const std::optional<long long>& count, const char* column)
{
    if (!count) return false;
    return *count < 0 || *count > schema::buildingCountLimit(QLatin1String(column))->maximum;
}

std::optional<double> asNumber(const std::optional<long long>& n)
{
    return n ? std::optional<double>(double(*n)) : std::nullopt;
}

} // namespace

std::optional<QString> batchCountsRefusal(const BatchBuilding& b)
{
    const QString perFloorWrong = QStringLiteral("此楼院的每单元每层户数填写不正确，请改正后再增加！");
    if (b.roomType == QLatin1String("02")) {
        if (b.housesPerFloor && *b.housesPerFloor < 0)
            return QStringLiteral("平房楼院只有填写的每单元每层户数大于0时才能生成批量生成房屋！");
        if (outOfBounds(b.housesPerFloor, "floorhouesnum")) return perFloorWrong;
        return std::nullopt;
    }
    if (outOfBounds(b.floors, "upfloornum")) return QStringLiteral("此楼院的地上的建筑层数不正确，请改正后再增加！");
    if (outOfBounds(b.doors, "unitnum")) return QStringLiteral("此楼院的单元数填写不正确，请改正后再增加！");
    if (outOfBounds(b.housesPerFloor, "floorhouesnum")) return perFloorWrong;
    return schema::totalRefusal(schema::housesCalledFor(asNumber(b.doors), asNumber(b.floors),
                                                        asNumber(b.housesPerFloor)));
}

} // namespace cr::houses
