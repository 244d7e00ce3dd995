#include "areas_buildings/building_checks.h"
#include "areas_buildings/building_queries.h"
#include "building_fixture.h"

#include <QDate>

namespace cr::test {
namespace {

using areas_buildings::BuildingChecks;
using areas_buildings::BuildingQueries;

const QString kMultiStorey = QStringLiteral("警告 / 楼房的地上层数必须大于1");
const QString kBungalow = QStringLiteral("警告 / 平房的地上层数必须小于2");
const QString kBasement = QStringLiteral("警告 / 地下室的地上层数应该等于0");

QString text(const QVariant& v) { return v.isNull() ? QStringLiteral("null") : v.toString(); }

class BuildingChecksTest : public BuildingFixture {
protected:
    void SetUp() override
    {
        BuildingFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        queries = std::make_unique<BuildingQueries>(db());
        makeChecks();
    }

    void makeChecks()
    {
        checks = std::make_unique<BuildingChecks>(*form, *queries, ui);
        checks->setCurrentYear(2024);
    }

    void fresh()
    {
        resetForm();
        makeChecks();
    }

    // A check's answer: 0 without a word, or 1 with the one message (and,
    // when given, the cursor on the field).
    void expectAnswer(int code, const QString& message, const QString& cursor = QString())
    {
        if (message.isEmpty()) {
            EXPECT_EQ(code, 0);
            EXPECT_TRUE(ui.messages.isEmpty()) << ui.single().toStdString();
            return;
        }
        EXPECT_EQ(code, 1);
        EXPECT_EQ(ui.single(), message);
        if (!cursor.isEmpty()) EXPECT_EQ(form->getColumnName(), cursor);
    }

    std::unique_ptr<BuildingQueries> queries;
    std::unique_ptr<BuildingChecks> checks;
};

TEST_P(BuildingChecksTest, NextCalendarYearIsRefused)
{
    checks->setCurrentYear(0);
    const int year = QDate::currentDate().year();
    EXPECT_EQ(checks->entry(1, QStringLiteral("fixedyear"), QString::number(year), true), 0);
    EXPECT_EQ(checks->entry(1, QStringLiteral("fixedyear"), QString::number(year + 1), true), 1);
}

TEST_P(BuildingChecksTest, SaveChecksInOrder)
{
    const qlonglong sun = addBuilding(QStringLiteral("阳光楼"), QStringLiteral("和平路1号"), "01", 6);
    commit();
    struct Case {
        const char* what;
        QString kind;
        QVariant floors;
        QString word, name, address;
        qlonglong self;      // 0 = adding
        QString message;     // empty = saved
        QString cursor;
    };
    const QString nameTaken = QStringLiteral("警告信息 / 该楼院俗称已存在，请重新输入！楼院俗称不允许重复。");
    const QString addressTaken = QStringLiteral("警告信息 / 该楼院地址已存在，请重新输入！楼院地址不允许重复。");
    const QString leading = QStringLiteral("警告 / 楼门单位不能以数字开头！");
    const QString trailing = QStringLiteral("警告 / 楼门单位不能以数字结尾！");
    const QList<Case> cases = {
        {"a sound new building", "01", 6, "单元", "星光楼", "和平路3号", 0, "", ""},
        {"multi-storey with one floor", "01", 1, "单元", "星光楼", "和平路3号", 0, kMultiStorey, "upfloornum"},
        {"multi-storey without floors", "01", QVariant(), "单元", "星光楼", "和平路3号", 0, kMultiStorey,
         "upfloornum"},
        {"bungalow with two floors", "02", 2, "", "星光楼", "和平路3号", 0, kBungalow, "upfloornum"},
        {"basement with a floor", "03", 1, "", "星光楼", "和平路3号", 0, kBasement, "upfloornum"},
        {"door word begins with a digit", "01", 6, "1单元", "星光楼", "和平路3号", 0, leading, "prepare3"},
        {"door word ends with a digit", "01", 6, "单元2", "星光楼", "和平路3号", 0, trailing, "prepare3"},
        {"full-width digit", "01", 6, "１门", "星光楼", "和平路3号", 0, leading, "prepare3"},
        {"door word with blanks", "01", 6, " 门 ", "星光楼", "和平路3号", 0, "", ""},
        {"empty door word", "01", 6, "", "星光楼", "和平路3号", 0, "", ""},
        {"name and address taken: name first", "01", 6, "单元", "阳光楼", "和平路1号", 0, nameTaken, "buildingname"},
        {"address taken", "01", 6, "单元", "星光楼", " 和平路1号", 0, addressTaken, "address"},
        {"floors before names", "01", 1, "单元", "阳光楼", "和平路1号", 0, kMultiStorey, "upfloornum"},
        {"door word before names", "01", 6, "3", "阳光楼", "和平路1号", 0, leading, "prepare3"},
        {"own row while modifying", "01", 6, "单元", "阳光楼", "和平路1号", sun, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fresh();
        if (c.self) form->setItem(1, QStringLiteral("buildingno"), c.self);
        form->setItem(1, QStringLiteral("roomtype"), c.kind);
        form->setItem(1, QStringLiteral("upfloornum"), c.floors);
        form->setItem(1, QStringLiteral("prepare3"), c.word);
        form->setItem(1, QStringLiteral("buildingname"), c.name);
        form->setItem(1, QStringLiteral("address"), c.address);
        form->setColumn(QStringLiteral("note"));
        const int code = checks->verify(c.self == 0);
        expectAnswer(code, c.message, c.cursor);
    }
}

TEST_P(BuildingChecksTest, SaveWritesBackSafeFloorsAndTrimmedTexts)
{
    struct Case {
        QString kind;
        int floors;
        QString after;
    };
    for (const Case& c : QList<Case>{{"01", 1, "2"}, {"02", 3, "1"}, {"03", 2, "0"}}) {
        fresh();
        form->setItem(1, QStringLiteral("roomtype"), c.kind);
        form->setItem(1, QStringLiteral("upfloornum"), c.floors);
        EXPECT_EQ(checks->verify(true), 1);
        EXPECT_EQ(text(form->getItem(1, QStringLiteral("upfloornum"))), c.after);
    }
    fresh();
    form->setItem(1, QStringLiteral("roomtype"), QStringLiteral("01"));
    form->setItem(1, QStringLiteral("upfloornum"), 6);
    form->setItem(1, QStringLiteral("buildingname"), QStringLiteral("  星光楼 "));
    form->setItem(1, QStringLiteral("address"), QStringLiteral(" 和平路3号"));
    EXPECT_EQ(checks->verify(true), 0);
    EXPECT_EQ(form->getItemString(1, QStringLiteral("buildingname")), QStringLiteral("星光楼"));
    EXPECT_EQ(form->getItemString(1, QStringLiteral("address")), QStringLiteral("和平路3号"));
}

// Counts no building reaches are refused as typed, before the kind's own
// floor rules, and the field keeps what it held.
TEST_P(BuildingChecksTest, CountsOutOfBoundsAreRefusedOnEntry)
{
    const auto outside = [](const char* label, int max) {
        return QStringLiteral("警告 / “%1”应在0到%2之间，请重新输入！").arg(QString::fromUtf8(label)).arg(max);
    };
    struct Case {
        const char* name;
        const char* column;
        const char* typed;
        QString message;   // empty: the bounds let it through
    };
    const QList<Case> cases = {
        {"negative floors", "upfloornum", "-1", outside("建筑层数（地上）", 200)},
        {"floors as a pasted ten-digit number", "upfloornum", "2147483648", outside("建筑层数（地上）", 200)},
        {"200 floors", "upfloornum", "200", {}},
        {"a fraction of a floor", "upfloornum", "6.5", outside("建筑层数（地上）", 200)},
        {"21 basements", "downfloornum", "21", outside("建筑层数（地下）", 20)},
        {"20 basements", "downfloornum", "20", {}},
        {"negative doors", "unitnum", "-3", outside("楼门（单元）数", 200)},
        {"1000 houses per floor", "floorhouesnum", "1000", outside("每单元每层户数", 999)},
        {"10000 rooms", "housenum", "10000", outside("间数", 9999)},
        {"an empty count is no count", "downfloornum", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        form->setItem(1, QStringLiteral("roomtype"), QStringLiteral("01"));
        form->setItem(1, QString::fromLatin1(c.column), 6);
        const int code = checks->entry(1, QString::fromLatin1(c.column), QString::fromUtf8(c.typed), true);
        expectAnswer(code, c.message);
        EXPECT_EQ(text(form->getItem(1, QString::fromLatin1(c.column))), QStringLiteral("6")) << "the field keeps its value";
    }
}

// The save checks the counts again, whatever put them there, then the houses
// they call for; a bungalow compound is bounded by its own count.
TEST_P(BuildingChecksTest, SaveRefusesCountsOutOfBoundsAndTooManyHouses)
{
    struct Case {
        const char* name;
        QString kind;
        int floors, doors, perFloor;
        QString message;
        QString cursor;
    };
    const QList<Case> cases = {
        {"50,000 houses", "01", 200, 125, 2, "", ""},
        {"50,400 houses", "01", 200, 126, 2,
         "警告 / 该楼院的房屋总数（单元数×地上层数×每单元每层户数＝50400套）超过了50000套，请检查填写的数字！",
         "floorhouesnum"},
        {"stored negative doors", "01", 6, -2, 2, "警告 / “楼门（单元）数”应在0到200之间，请重新输入！", "unitnum"},
        {"a compound of 999 houses", "02", 1, 0, 999, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        form->setItem(1, QStringLiteral("roomtype"), c.kind);
        form->setItem(1, QStringLiteral("upfloornum"), c.floors);
        form->setItem(1, QStringLiteral("unitnum"), c.doors);
        form->setItem(1, QStringLiteral("floorhouesnum"), c.perFloor);
        form->setItem(1, QStringLiteral("buildingname"), QStringLiteral("星光楼"));
        form->setItem(1, QStringLiteral("address"), QStringLiteral("和平路3号"));
        form->setColumn(QStringLiteral("note"));
        const int code = checks->verify(true);
        expectAnswer(code, c.message, c.cursor);
    }
}

TEST_P(BuildingChecksTest, NoCurrentRowRefusesSilently)
{
    DataView empty(*catalog.find(QStringLiteral("d_ge_building_f")));
    BuildingChecks silent(empty, *queries, ui);
    EXPECT_EQ(silent.verify(true), 1);
    EXPECT_TRUE(ui.messages.isEmpty());
}

INSTANTIATE_ENGINES(BuildingChecksTest);

} // namespace
} // namespace cr::test
