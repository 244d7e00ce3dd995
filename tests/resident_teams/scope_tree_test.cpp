#include "resident_teams/scope_tree.h"
#include "resident_teams/scope_tree_model.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace cr::resident_teams {
namespace {

using Building = ScopeSource::Building;
using House = ScopeSource::House;
using Household = ScopeSource::Household;

// Three buildings: 7号楼 (doors 1 and 2, a house without door number), a
// bungalow compound whose houses carry door numbers all the same, 9号楼
// whose house without door number must not land under 7号楼's last door.
// Rows come in no useful order; house 309 belongs to no listed building.
ScopeSource street()
{
    ScopeSource s;
    s.buildings = {Building{7, "7号楼", "01"}, Building{8, "平房院", "02"}, Building{9, "9号楼", "01"}};
    s.houses = {
        House{301, 7, 2, "单元", "201室"}, House{302, 7, 1, "单元", "10室"}, House{303, 7, 1, "单元", "2室"},
        House{304, 7, 0, "", "地下室"},   House{305, 8, 0, "", "1"},      House{306, 8, 3, "", "2"},
        House{308, 9, 1, "门", "101"},     House{307, 9, 0, "门", "1"},    House{309, 99, 1, "单元", "101室"},
    };
    s.households = {Household{3, 303, "7", "张三"}, Household{1, 303, "0042", "钱五"}, Household{2, 301, "8", "李四"},
                    Household{4, 305, "0042", "钱五"}};
    return s;
}

ScopeTree built(ScopeSource source = street())
{
    ScopeTree tree;
    EXPECT_EQ(tree.build(std::move(source)), -1);
    return tree;
}

// The tree as indented lines: code, label, and "x" for a tick.
QStringList shape(const ScopeTree& tree)
{
    QStringList lines;
    for (int i = 0; i < tree.itemCount(); ++i) {
        int depth = 0;
        for (int p = tree.parent(i); p >= 0; p = tree.parent(p)) ++depth;
        lines << QString(depth * 2, QLatin1Char(' ')) + tree.code(i) + QLatin1Char(' ') + tree.label(i) +
                     (tree.isTicked(i) ? QStringLiteral(" x") : QString());
    }
    return lines;
}

int item(const ScopeTree& tree, const char* code, int which = 0)
{
    const QList<int> found = tree.find(QString::fromLatin1(code));
    EXPECT_GT(found.size(), which) << code;
    return found.value(which, -1);
}

TEST(ScopeTreeTest, BuildsDoorsOnlyInMultiStoreyBuildingsAndOrdersHousesByDoorAndNumber)
{
    const ScopeTree tree = built();
    EXPECT_EQ(shape(tree), (QStringList{
                               "B7 7号楼",
                               "  H304 地下室(7号楼)",
                               "  B7U1 1单元(7号楼)",
                               "    H303 2室(7号楼1单元)",
                               "      R0042 钱五",
                               "      R7 张三",
                               "    H302 10室(7号楼1单元)",
                               "  B7U2 2单元(7号楼)",
                               "    H301 201室(7号楼2单元)",
                               "      R8 李四",
                               "B8 平房院",
                               "  H305 1(平房院)",
                               "    R0042 钱五",
                               "  H306 2(平房院3)",
                               "B9 9号楼",
                               "  H307 1(9号楼门)",
                               "  B9U1 1门(9号楼)",
                               "    H308 101(9号楼1门)",
                           }));
    EXPECT_EQ(tree.buildingCount(), 3);
    EXPECT_EQ(tree.houseCount(), 8);
    EXPECT_EQ(tree.picture(item(tree, "B7")), 2);
    EXPECT_EQ(tree.picture(item(tree, "B7U1")), 3);
    EXPECT_EQ(tree.picture(item(tree, "H301")), 4);
    EXPECT_EQ(tree.picture(item(tree, "R8")), 5);
}

TEST(ScopeTreeTest, HouseNumbersCompareDigitsAsNumbers)
{
    const struct {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {
        {"2室", "10室", -1}, {"101室", "1001室", -1}, {"地下2", "地下10", -1}, {"0301室", "301室", -1},
        {"301室", "0302室", -1}, {"A", "B", -1}, {"12", "12", 0}, {"12", "12A", -1}, {"", "1", -1},
    };
    for (const auto& c : cases) {
        const int forward = naturalCompare(QString::fromUtf8(c.a), QString::fromUtf8(c.b));
        const int backward = naturalCompare(QString::fromUtf8(c.b), QString::fromUtf8(c.a));
        EXPECT_EQ((forward > 0) - (forward < 0), c.sign) << c.a << " vs " << c.b;
        EXPECT_EQ((backward > 0) - (backward < 0), -c.sign) << c.b << " vs " << c.a;
    }
}

TEST(ScopeTreeTest, FindsItemsByTheirCodeAsWritten)
{
    const ScopeTree tree = built();
    const struct {
        const char* code;
        int found;
    } cases[] = {{"B7", 1}, {"B07", 0}, {"B7U1", 1}, {"B7U01", 0}, {"B8U3", 0}, {"H305", 1}, {"H309", 0},
                 {"R0042", 2}, {"R42", 0}, {"b7", 0}, {"", 0}, {"B", 0}};
    for (const auto& c : cases) EXPECT_EQ(tree.find(QString::fromLatin1(c.code)).size(), c.found) << c.code;
}

TEST(ScopeTreeTest, TickingGivesTheTickDownwardsAndClearingTakesItFromAncestors)
{
    ScopeTree tree = built();
    EXPECT_TRUE(tree.setTicked(item(tree, "B7U1"), true));
    for (const char* code : {"B7U1", "H303", "R0042", "R7", "H302"}) EXPECT_TRUE(tree.isTicked(item(tree, code))) << code;
    EXPECT_FALSE(tree.isTicked(item(tree, "B7")));   // never ticks a parent
    EXPECT_FALSE(tree.setTicked(item(tree, "H302"), true));   // already ticked: nothing happens

    tree.setTicked(item(tree, "B7"), true);
    EXPECT_TRUE(tree.setTicked(item(tree, "H303"), false));
    for (const char* code : {"B7", "B7U1", "H303", "R0042", "R7"}) EXPECT_FALSE(tree.isTicked(item(tree, code))) << code;
    for (const char* code : {"H302", "H304", "B7U2", "H301", "R8"}) EXPECT_TRUE(tree.isTicked(item(tree, code))) << code;

    // The door's other house is listed on its own, the other parts of the building too.
    const ScopeTree::Selection s = tree.selection();
    EXPECT_EQ(s.code, QStringLiteral("H304,H302,B7U2"));
    EXPECT_EQ(s.names, QStringLiteral("地下室(7号楼),10室(7号楼1单元),2单元(7号楼)"));
}

TEST(ScopeTreeTest, TickingEveryHouseOfADoorListsTheHousesNotTheDoor)
{
    ScopeTree tree = built();
    tree.setTicked(item(tree, "H303"), true);
    tree.setTicked(item(tree, "H302"), true);
    EXPECT_FALSE(tree.isTicked(item(tree, "B7U1")));
    EXPECT_EQ(tree.selection().code, QStringLiteral("H303,H302"));
}

TEST(ScopeTreeTest, PreTicksTheIncomingCodeAndConfirmsInTreeOrder)
{
    const struct {
        const char* name;
        const char* incoming;
        const char* code;
        const char* names;
    } cases[] = {
        {"building and a house of another building", "H305,B7", "B7,H305", "7号楼,1(平房院)"},
        {"a house inside a ticked building is not listed", "B7,H303", "B7", "7号楼"},
        {"codes matching nothing are dropped", "H309,B07,X1,,B8U3,H302", "H302", "10室(7号楼1单元)"},
        {"a household in two houses is listed once", "R0042", "R0042", "钱五"},
        {"a door", "B9U1", "B9U1", "1门(9号楼)"},
        {"nothing", "", "", ""},
    };
    for (const auto& c : cases) {
        ScopeTree tree = built();
        tree.preTick(QString::fromLatin1(c.incoming));
        const ScopeTree::Selection s = tree.selection();
        EXPECT_EQ(s.code, QString::fromLatin1(c.code)) << c.name;
        EXPECT_EQ(s.names, QString::fromUtf8(c.names)) << c.name;
    }

    ScopeTree tree = built();
    tree.preTick(QStringLiteral("B7,H305"));
    EXPECT_TRUE(tree.isTicked(item(tree, "R8")));
    EXPECT_TRUE(tree.isTicked(item(tree, "R0042", 1)));   // the household of house 305
    EXPECT_FALSE(tree.isTicked(item(tree, "B8")));
    EXPECT_FALSE(tree.isTicked(item(tree, "H306")));
}

TEST(ScopeTreeTest, StopsAtABuildingWithoutNumberKeepingWhatWasBuilt)
{
    ScopeSource source = street();
    source.buildings.insert(1, Building{0, "无编号楼", "01"});
    ScopeTree tree;
    EXPECT_EQ(tree.build(std::move(source)), 1);
    EXPECT_EQ(tree.topLevelCount(), 1);
    EXPECT_EQ(tree.code(tree.topLevelItem(0)), QStringLiteral("B7"));
}

TEST(ScopeTreeTest, EmptyTreeConfirmsNothing)
{
    ScopeTree tree;
    EXPECT_EQ(tree.build(ScopeSource()), -1);
    EXPECT_EQ(tree.itemCount(), 0);
    tree.preTick(QStringLiteral("B7"));
    EXPECT_EQ(tree.selection().code, QString());
    EXPECT_EQ(tree.selection().names, QString());
}

TEST(ScopeTreeTest, ChildrenAndRowsAgreeWithTheItemOrder)
{
    const ScopeTree tree = built();
    int seen = 0;
    const std::function<void(int)> walk = [&](int i) {
        EXPECT_EQ(i, seen++) << "items are numbered in tree order";
        for (int r = 0; r < tree.childCount(i); ++r) {
            const int c = tree.child(i, r);
            EXPECT_EQ(tree.parent(c), i);
            EXPECT_EQ(tree.row(c), r);
            walk(c);
        }
        EXPECT_EQ(tree.subtreeEnd(i), seen);
    };
    for (int r = 0; r < tree.topLevelCount(); ++r) walk(tree.topLevelItem(r));
    EXPECT_EQ(seen, tree.itemCount());
}

TEST(ScopeTreeModelTest, IsAConsistentItemModel)
{
    ScopeTree tree = built();
    ScopeTreeModel model(tree);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    EXPECT_EQ(model.rowCount(), 3);
    const QModelIndex door = model.indexOf(item(tree, "B7U1"));
    EXPECT_EQ(door.data().toString(), QStringLiteral("1单元(7号楼)"));
    EXPECT_EQ(door.data(ScopeTreeModel::PictureRole).toString(), QStringLiteral("bmp/2.ico"));
    EXPECT_EQ(door.data(ScopeTreeModel::StatePictureRole).toString(), QStringLiteral("bmp/no.bmp"));
    EXPECT_EQ(model.parent(door), model.indexOf(item(tree, "B7")));
    EXPECT_TRUE(model.flags(door) & Qt::ItemIsUserCheckable);
}

TEST(ScopeTreeModelTest, ATickChangedByTheUserIsAnnouncedForEveryItemItTouched)
{
    ScopeTree tree = built();
    ScopeTreeModel model(tree);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    const auto announced = [&](int i) {
        const QModelIndex index = model.indexOf(i);
        for (const QList<QVariant>& signal : changed) {
            const auto from = signal[0].value<QModelIndex>(), to = signal[1].value<QModelIndex>();
            if (from.parent() == index.parent() && from.row() <= index.row() && index.row() <= to.row()) return true;
        }
        return false;
    };
    std::vector<bool> before(size_t(tree.itemCount()));
    const auto remember = [&] {
        for (int i = 0; i < tree.itemCount(); ++i) before[size_t(i)] = tree.isTicked(i);
        changed.clear();
    };
    const auto check = [&](const char* what) {
        for (int i = 0; i < tree.itemCount(); ++i)
            if (before[size_t(i)] != tree.isTicked(i)) EXPECT_TRUE(announced(i)) << what << ": " << tree.code(i).toStdString();
    };

    remember();
    ASSERT_TRUE(model.setData(model.indexOf(item(tree, "B7")), Qt::Checked, Qt::CheckStateRole));
    check("ticking a building");
    remember();
    ASSERT_TRUE(model.setData(model.indexOf(item(tree, "R7")), Qt::Unchecked, Qt::CheckStateRole));
    check("clearing a household");
    EXPECT_FALSE(tree.isTicked(item(tree, "B7")));
    remember();
    model.setData(model.indexOf(item(tree, "H302")), Qt::Checked, Qt::CheckStateRole);
    EXPECT_EQ(changed.size(), 0) << "a tick that changes nothing is not announced";
}

} // namespace
} // namespace cr::resident_teams
