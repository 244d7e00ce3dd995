#include "houses/house_batch.h"
#include "houses/house_batch_limits.h"

#include <QList>
#include <gtest/gtest.h>

namespace cr::houses {
namespace {

// Counts a generation must refuse before it makes a single row, and the
// largest ones it still takes.
TEST(HouseBatchLimits, CountsBeyondAnyBuildingAreRefusedBeforeGeneration)
{
    const QString floorsWrong = QStringLiteral("此楼院的地上的建筑层数不正确，请改正后再增加！");
    const QString doorsWrong = QStringLiteral("此楼院的单元数填写不正确，请改正后再增加！");
    const QString perFloorWrong = QStringLiteral("此楼院的每单元每层户数填写不正确，请改正后再增加！");
    const QString compound = QStringLiteral("平房楼院只有填写的每单元每层户数大于0时才能生成批量生成房屋！");
    const auto total = [](long long n) {
        return QStringLiteral("该楼院的房屋总数（单元数×地上层数×每单元每层户数＝%1套）超过了50000套，请检查填写的数字！").arg(n);
    };
    struct Case {
        const char* name;
        const char* kind;
        std::optional<long long> floors, doors, perFloor;
        QString refusal;   // empty: generation may go on
    };
    const QList<Case> cases = {
        {"an ordinary building", "01", 6, 2, 2, {}},
        {"empty counts are the generation's own business", "01", std::nullopt, std::nullopt, std::nullopt, {}},
        {"negative floors", "01", -6, 2, 2, floorsWrong},
        {"floors beyond 200", "01", 201, 1, 1, floorsWrong},
        {"negative doors", "01", 6, -2, 2, doorsWrong},
        {"2,147,483,648 doors", "01", 6, 2147483648LL, 2, doorsWrong},
        {"negative houses per floor", "01", 6, 2, -1, perFloorWrong},
        {"houses per floor beyond 999", "01", 6, 2, 1000, perFloorWrong},
        {"exactly 50,000 houses", "01", 200, 125, 2, {}},
        {"one door more: 50,400 houses", "01", 200, 126, 2, total(50400)},
        {"every count at its bound", "01", 200, 200, 999, total(39960000)},
        {"no kind counts as multi-storey", "", 6, -1, 2, doorsWrong},
        {"a compound of 999 houses", "02", 1, 0, 999, {}},
        {"a compound with negative houses", "02", 1, 0, -5, compound},
        {"a compound beyond 999 houses", "02", 1, 0, 5000, perFloorWrong},
        {"a compound's floors and doors do not matter", "02", -3, 1000, 10, {}},
    };
    for (const Case& c : cases) {
        BatchBuilding b;
        b.roomType = QString::fromLatin1(c.kind);
        b.floors = c.floors;
        b.doors = c.doors;
        b.housesPerFloor = c.perFloor;
        b.buildingNo = 1;
        EXPECT_EQ(batchCountsRefusal(b).value_or(QString()), c.refusal) << c.name;
    }
}

} // namespace
} // namespace cr::houses
