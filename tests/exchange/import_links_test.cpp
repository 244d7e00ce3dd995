#include "exchange/import_write.h"
#include "exchange_fixture.h"

namespace cr::exchange::test {
namespace {

using Households = ExchangeTest;

const QStringList kLinkHeadings{QStringLiteral("户号"), QStringLiteral("楼院"), QStringLiteral("楼门"),
                                QStringLiteral("房号"), QStringLiteral("居住类型")};

TEST_P(Households, AreMatchedByTheirNumber)
{
    household(QStringLiteral("H001"), QStringLiteral("王芳"));
    const ImportPlan p = plan(ImportKind::Households,
                              csvFile(QStringLiteral("h.csv"), {{"户号", "户主姓名", "户籍地址"},
                                                                {"H001", "王芳", ""},
                                                                {"H002", "李四", "安华路5号"},
                                                                {"H002", "李四", ""},
                                                                {"H003", "", ""}}));
    ASSERT_EQ(p.problems.size(), 2) << problemsText(p);
    EXPECT_TRUE(p.problems[0].message.contains(QStringLiteral("与第3行重复"))) << "reported in the order of the file";
    EXPECT_EQ(p.problems[1].column, QStringLiteral("户主姓名")) << "row 5: head of household missing";
    EXPECT_EQ(p.present, QList<int>{2});
    EXPECT_EQ(p.toAdd.size(), 1);
}

// Houses named as clerks write them: building by address or common name,
// the door as a number, a door name or nothing, the number with or without 室.
TEST_P(Households, HousesAreFoundByBuildingDoorAndNumber)
{
    household(QStringLiteral("H001"), QStringLiteral("王芳"));
    const qlonglong tower = building(QStringLiteral("安华路5号"), QStringLiteral("双井小区3号楼"));
    const qlonglong yard = building(QStringLiteral("花家地街1号"), QStringLiteral("平房院"));
    const qlonglong d1 = house(tower, 1, QStringLiteral("单元"), QStringLiteral("101室"));
    const qlonglong d2 = house(tower, 2, QStringLiteral("单元"), QStringLiteral("101室"));
    const qlonglong only = house(tower, 2, QStringLiteral("单元"), QStringLiteral("502室"));
    const qlonglong east = house(yard, QVariant(), QStringLiteral("东院"), QStringLiteral("3"));

    struct Case {
        const char* name;
        QStringList row;
        qlonglong houseno;      // 0: a problem in `column`
        QString column;
    };
    const Case cases[] = {
        {"door as a number", {"H001", "安华路5号", "2", "101室", ""}, d2, {}},
        {"door as its name", {"H001", "安华路5号", "1单元", "101室", ""}, d1, {}},
        {"building by common name, number without 室", {"H001", "双井小区3号楼", "2单元", "101", ""}, d2, {}},
        {"no door where the number is unique", {"H001", "安华路5号", "", "502室", ""}, only, {}},
        {"door word of a house without number", {"H001", "平房院", "东院", "3", ""}, east, {}},
        {"no door where two doors have the number", {"H001", "安华路5号", "", "101室", ""}, 0, "房号"},
        {"unknown building", {"H001", "安华路6号", "1", "101室", ""}, 0, "楼院"},
        {"no such house behind the door", {"H001", "安华路5号", "1单元", "502室", ""}, 0, "楼门"},
        {"household not registered", {"H404", "安华路5号", "1", "101室", ""}, 0, "户号"},
        {"unknown way of living there", {"H001", "安华路5号", "1", "101室", "宿舍"}, 0, "居住类型"},
    };
    for (const Case& c : cases) {
        const ImportPlan p = plan(ImportKind::Links, csvFile(QStringLiteral("l.csv"), {kLinkHeadings, c.row}));
        if (c.houseno) {
            ASSERT_TRUE(p.problems.isEmpty()) << c.name << "\n" << problemsText(p);
            ASSERT_EQ(p.toAdd.size(), 1) << c.name;
            EXPECT_EQ(p.toAdd[0].values.value("houseno").toLongLong(), c.houseno) << c.name;
        } else {
            ASSERT_EQ(p.problems.size(), 1) << c.name << "\n" << problemsText(p);
            EXPECT_EQ(p.problems[0].column, c.column) << c.name << ": " << problemsText(p);
        }
    }
}

TEST_P(Households, LinksAreWrittenOnceAndReadBackByTheirList)
{
    household(QStringLiteral("H001"), QStringLiteral("王芳"));
    const qlonglong tower = building(QStringLiteral("安华路5号"), QStringLiteral("双井小区3号楼"));
    house(tower, 1, QStringLiteral("单元"), QStringLiteral("101室"));
    const QString file = csvFile(QStringLiteral("l.csv"), {kLinkHeadings, {"H001", "安华路5号", "1", "101室", "自有"}});
    const ImportWriteOutcome o = writeImport(db(), plan(ImportKind::Links, file));
    ASSERT_TRUE(o.ok()) << o.error.toStdString();
    EXPECT_EQ(db().selectValue(QStringLiteral("SELECT housingkind FROM tc_ge_rprownhouse")).toString(),
              QStringLiteral("01"));
    const ImportPlan again = plan(ImportKind::Links, file);
    EXPECT_EQ(again.present, QList<int>{2});
    EXPECT_TRUE(again.toAdd.isEmpty());
}

INSTANTIATE_ENGINES(Households);

} // namespace
} // namespace cr::exchange::test
