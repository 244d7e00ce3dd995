// The main window: the navigation as the office finds its windows, a page
// for every entry (a notice for windows still to come), the status bar.

#include "app/coverage_page.h"
#include "app/list_page_widget.h"
#include "app/main_window.h"
#include "app/plain_window_widget.h"
#include "frame/list_page.h"
#include "frame/sqlca.h"
#include "support/test_db.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace cr::app {
namespace {

std::unique_ptr<MainWindow> mainWindowOnAFreshRegistry()
{
    QString reason;
    auto fresh = test::openFreshDatabase(Engine::Sqlite, true, &reason);
    if (!fresh) return nullptr;
    fresh->sqlca->setCommNo(QStringLiteral("110105001001"));
    return std::make_unique<MainWindow>(std::move(fresh->sqlca));
}

TEST(MainWindowTest, NavigationGroupsTheWindowsAsTheOfficeWorks)
{
    auto window = mainWindowOnAFreshRegistry();
    ASSERT_TRUE(window);
    QTreeWidget* nav = window->navigation();
    QStringList tree;
    for (int g = 0; g < nav->topLevelItemCount(); ++g) {
        QStringList labels;
        for (int i = 0; i < nav->topLevelItem(g)->childCount(); ++i) labels << nav->topLevelItem(g)->child(i)->text(0);
        tree << nav->topLevelItem(g)->text(0) + QLatin1Char(':') + labels.join(QLatin1Char(','));
    }
    EXPECT_EQ(tree, QStringList({"社区基础信息:责任区,楼院,房屋,房屋信息批量维护", "负责人:楼院负责人,责任区负责人,楼院负责人分布",
                                 "居民小组:居民小组,居民小组长,管辖范围覆盖情况", "出租房屋:出租房屋登记,房屋出租记录,房屋出租处罚记录"}));

    bool database = false, community = false;
    for (QLabel* l : window->statusBar()->findChildren<QLabel*>()) {
        database = database || l->text().startsWith(QStringLiteral("数据库："));
        community = community || l->text() == QStringLiteral("社区编号：110105001001");
    }
    EXPECT_TRUE(database);
    EXPECT_TRUE(community);
}

TEST(MainWindowTest, EveryEntryOpensItsPageOnceAndWindowsToComeSaySo)
{
    auto window = mainWindowOnAFreshRegistry();
    ASSERT_TRUE(window);
    const QList<const WindowInfo*> entries = window->context().registry->navigation();
    for (const WindowInfo* e : entries) {
        const std::string label = e->navigationLabel.toStdString();
        QWidget* page = window->openPage(e->navigationLabel);
        ASSERT_NE(page, nullptr) << label;
        EXPECT_EQ(window->tabs()->tabText(window->tabs()->currentIndex()), e->navigationLabel);
        if (!e->factory) {
            bool notice = false;
            for (QLabel* l : page->findChildren<QLabel*>()) notice = notice || l->text().contains(QStringLiteral("即将推出"));
            EXPECT_TRUE(notice) << label;
        } else if (e->listView.isEmpty()) {
            // The coverage page draws its grid itself.
            EXPECT_TRUE(qobject_cast<PlainWindowWidget*>(page) || qobject_cast<CoveragePage*>(page)) << label;
        } else {
            EXPECT_NE(window->listPage(e->name), nullptr) << label;
        }
        // A second time shows the same tab.
        EXPECT_EQ(window->openPage(e->name), page);
    }
    EXPECT_EQ(window->tabs()->count(), entries.size());
    EXPECT_EQ(window->openPage(QStringLiteral("w_no_such_window")), nullptr);
}

TEST(MainWindowTest, TheAreasPageShowsTheBuildingsOfTheCurrentAreaBeneath)
{
    auto window = mainWindowOnAFreshRegistry();
    ASSERT_TRUE(window);
    const WindowInfo* buildings = window->context().registry->find(QStringLiteral("w_m_ge_building"));
    if (!buildings || buildings->masterWindow.isEmpty()) GTEST_SKIP() << "buildings are no detail list";
    QWidget* page = window->openPage(QStringLiteral("责任区"));
    ListPageWidget* areas = nullptr;
    ListPageWidget* beneath = nullptr;
    for (ListPageWidget* l : page->findChildren<ListPageWidget*>()) {
        if (l->info().name == QLatin1String("w_m_ge_building")) beneath = l;
        if (l->info().name == QLatin1String("w_m_ge_regionalmanage")) areas = l;
    }
    ASSERT_TRUE(areas && beneath);
    EXPECT_EQ(areas, window->listPage(QStringLiteral("w_m_ge_regionalmanage")));
    EXPECT_EQ(beneath->listPage().master(), &areas->listPage());
}

// A house belongs to its building: the plain list of all houses offers no
// 新增, the houses under the buildings do while a building is current.
TEST(MainWindowTest, HousesAreAddedOnlyUnderTheirBuilding)
{
    auto window = mainWindowOnAFreshRegistry();
    ASSERT_TRUE(window);
    QWidget* houses = window->openPage(QStringLiteral("房屋"));
    ASSERT_NE(houses, nullptr);
    ListPageWidget* allHouses = window->listPage(QStringLiteral("w_m_ge_houseinfo"));
    ASSERT_NE(allHouses, nullptr);
    EXPECT_FALSE(allHouses->addButton()->isEnabled());
    EXPECT_TRUE(allHouses->addButton()->toolTip().contains(QStringLiteral("楼院"))) << "the button says where to add";
    EXPECT_EQ(allHouses->openRecord(RecordMode::Add), nullptr);

    QWidget* buildings = window->openPage(QStringLiteral("楼院"));
    ListPageWidget* underBuilding = nullptr;
    for (ListPageWidget* l : buildings->findChildren<ListPageWidget*>())
        if (l->info().name == QLatin1String("w_m_ge_houseinfo")) underBuilding = l;
    ASSERT_NE(underBuilding, nullptr);
    EXPECT_FALSE(underBuilding->addButton()->isEnabled()) << "no building yet";

    ASSERT_TRUE(window->sqlca().execute(QStringLiteral(
        "INSERT INTO tc_ge_building (commno, address, buildingname, roomtype, upfloornum, unitnum, prepare3, "
        "floorhouesnum, issave) VALUES ('110105001001', '和平里1号', '一号楼', '01', 6, 2, '单元', 2, '1')")));
    ASSERT_TRUE(window->sqlca().commit());
    window->listPage(QStringLiteral("w_m_ge_building"))->retrieve();
    EXPECT_TRUE(underBuilding->addButton()->isEnabled());
    QWidget* form = underBuilding->openRecord(RecordMode::Add);
    ASSERT_NE(form, nullptr);
    form->close();
}

} // namespace
} // namespace cr::app
