// A list page on screen: the summary line under the rows, the search box,
// sorting by a heading and the current record kept in step with the list
// page the register windows navigate. Runs on both engines.

#include "app/list_page_widget.h"
#include "app/summary_bar.h"
#include "frame/dataview.h"
#include "frame/list_page.h"
#include "frame/sqlca.h"
#include "frame/view_catalog.h"
#include "support/scripted_ui.h"
#include "support/test_db.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>

namespace cr::app {
namespace {

DataViewDef buildingList()
{
    DataViewDef d;
    d.name = QStringLiteral("d_test_buildings");
    d.sql = QStringLiteral("SELECT buildingno, buildingname, roomtype, buildingarea, unitnum FROM tc_ge_building ORDER BY buildingno");
    d.updateTable = QStringLiteral("tc_ge_building");
    d.keyColumn = QStringLiteral("buildingno");
    d.columns = {
        ColumnDef{.name = "rownumber", .kind = ColumnKind::Integer, .compute = "getrow()", .heading = "序号"},
        ColumnDef{.name = "buildingno", .kind = ColumnKind::Integer, .dbName = "buildingno", .inList = false},
        ColumnDef{.name = "buildingname", .dbName = "buildingname", .heading = "楼院俗称"},
        ColumnDef{.name = "roomtype", .dbName = "roomtype", .heading = "房屋类型", .edit = EditStyle::DropDown,
                  .dropDown = {.name = "dddw_ge_roomtype", .displayColumn = "tname", .dataColumn = "tcode"}},
        ColumnDef{.name = "buildingarea", .kind = ColumnKind::Decimal, .dbName = "buildingarea",
                  .heading = "总建筑面积", .format = "##,###,##0.00"},
        ColumnDef{.name = "unitnum", .kind = ColumnKind::Integer, .dbName = "unitnum", .heading = "单元数"},
    };
    d.summaries = {{"buildingarea", "sum(buildingarea for all)", "##,###,##0.00"},
                   {"unitnum", "sum(unitnum for all)", ""}};
    return d;
}

class ListPageTest : public test::DbTest {
protected:
    void SetUp() override
    {
        test::DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        addBuilding("星河苑1号楼", "01", 1234.5, 2);
        addBuilding("安华路2号平房院", "02", 300, 0);
        addBuilding("A座公寓", "01", 2000.25, 3);
        addBuilding("星河苑6号楼地下室", "03", 410, 0);
        ASSERT_TRUE(db().commit());

        catalog.add(buildingList());
        context = AppContext{&db(), &ui, &catalog, &registry, &message};
        info = WindowInfo{.name = "w_test_building", .title = "楼院", .listView = "d_test_buildings",
                          .keyColumn = "buildingno"};
        page = std::make_unique<ListPageWidget>(context, info);
        ASSERT_EQ(page->retrieve(), 4);
        QApplication::processEvents();
    }

    void addBuilding(const char* name, const char* kind, double area, int doors)
    {
        ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_building (commno, buildingname, address, roomtype, "
                                                "buildingarea, unitnum) VALUES (:c, :n, :a, :k, :area, :u)"),
                                 {{"c", "110105001001"},
                                  {"n", QString::fromUtf8(name)},
                                  {"a", QString::fromUtf8(name) + QStringLiteral("地址")},
                                  {"k", QString::fromLatin1(kind)},
                                  {"area", area},
                                  {"u", doors}}))
            << db().sqlErrText().toStdString();
    }

    // The names the table shows, top to bottom.
    QStringList shownNames() const
    {
        QStringList names;
        QAbstractItemModel* model = page->table()->model();
        const int c = int(page->columns().indexOf(QStringLiteral("buildingname")));
        for (int r = 0; r < model->rowCount(); ++r) names << model->index(r, c).data().toString();
        return names;
    }

    QString currentName() const
    {
        const int row = page->listPage().currentRow();
        return row > 0 ? page->listPage().dw_1().getItemString(row, QStringLiteral("buildingname")) : QString();
    }

    ViewCatalog catalog;
    WindowRegistry registry;
    test::ScriptedUi ui;
    MessageObject message;
    AppContext context;
    WindowInfo info;
    std::unique_ptr<ListPageWidget> page;
};

TEST_P(ListPageTest, SummaryLineShowsTheSumsUnderTheirColumnsAndFollowsTheRows)
{
    SummaryModel& summary = page->summaryBar()->summary();
    EXPECT_EQ(summary.text(QStringLiteral("buildingarea")), QStringLiteral("3,944.75"));
    EXPECT_EQ(summary.text(QStringLiteral("unitnum")), QStringLiteral("5"));
    EXPECT_EQ(summary.text(QStringLiteral("rownumber")), QStringLiteral("合计："));
    EXPECT_EQ(summary.text(QStringLiteral("buildingname")), QString());

    DataView& list = page->listPage().dw_1();
    list.setItem(1, QStringLiteral("unitnum"), 10);
    QApplication::processEvents();   // sums are computed once the change is done
    EXPECT_EQ(summary.text(QStringLiteral("unitnum")), QStringLiteral("13"));

    // The summary columns keep the list's widths.
    const int area = int(page->columns().indexOf(QStringLiteral("buildingarea")));
    page->table()->setColumnWidth(area, 211);
    EXPECT_EQ(page->summaryBar()->columnWidth(area), 211);
}

struct Search {
    const char* name;
    const char* text;
    QStringList expected;
};

TEST_P(ListPageTest, SearchBoxNarrowsTheRowsByWhatTheyShow)
{
    const std::vector<Search> cases = {
        {"lookup text, not the stored code", "平房", {"安华路2号平房院"}},
        {"code itself is not shown", "02", {}},
        {"every word must appear", "星河 楼", {"星河苑1号楼", "星河苑6号楼地下室"}},
        {"ignores case", "a座", {"A座公寓"}},
        {"formatted number", "1,234.50", {"星河苑1号楼"}},
        {"a quote is just a character", "'", {}},
        {"empty shows all", "", {"星河苑1号楼", "安华路2号平房院", "A座公寓", "星河苑6号楼地下室"}},
    };
    for (const Search& s : cases) {
        page->applySearch(QString::fromUtf8(s.text));
        EXPECT_EQ(shownNames(), s.expected) << s.name;
        EXPECT_EQ(page->visibleRows(), s.expected.size()) << s.name;
    }
    // The summary totals what the search left on screen.
    page->applySearch(QStringLiteral("平房"));
    EXPECT_EQ(page->summaryBar()->summary().text(QStringLiteral("unitnum")), QStringLiteral("0"));
}

// A clerk reads the total and the line numbers of what is on screen: after a
// search or a sort the summary sums the shown rows and says how many, and
// 序号 counts them 1 … n.
TEST_P(ListPageTest, SummaryAndLineNumbersFollowTheShownRows)
{
    SummaryModel& summary = page->summaryBar()->summary();
    const int area = int(page->columns().indexOf(QStringLiteral("buildingarea")));
    struct Case {
        const char* name;
        const char* search;
        int sortSection;           // -1: no new sort
        QString label, area, doors;
        QStringList lineNumbers;
    };
    const QList<Case> cases = {
        {"whole list", "", -1, "合计：", "3,944.75", "5", {"1", "2", "3", "4"}},
        {"search leaves rows 1 and 4", "星河", -1, "合计（显示 2 条）", "1,644.50", "2", {"1", "2"}},
        {"search leaves row 2", "平房", -1, "合计（显示 1 条）", "300.00", "0", {"1"}},
        {"search leaves nothing", "无此楼", -1, "合计（显示 0 条）", "0.00", "0", {}},
        {"sorted, then searched", "星河", area, "合计（显示 2 条）", "1,644.50", "2", {"1", "2"}},
        {"search cleared again", "", -1, "合计：", "3,944.75", "5", {"1", "2", "3", "4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.sortSection >= 0) page->sortByColumn(c.sortSection);
        page->applySearch(QString::fromUtf8(c.search));
        QApplication::processEvents();
        EXPECT_EQ(summary.text(QStringLiteral("rownumber")), c.label);
        EXPECT_EQ(summary.text(QStringLiteral("buildingarea")), c.area);
        EXPECT_EQ(summary.text(QStringLiteral("unitnum")), c.doors);
        QStringList numbers;
        QAbstractItemModel* model = page->table()->model();
        for (int r = 0; r < model->rowCount(); ++r) numbers << model->index(r, 0).data().toString();
        EXPECT_EQ(numbers, c.lineNumbers);
    }
}

TEST_P(ListPageTest, SearchKeepsTheCurrentRecordWhileItIsShown)
{
    page->listPage().selectRow(3);   // A座公寓
    page->applySearch(QStringLiteral("公寓"));
    EXPECT_EQ(currentName(), QStringLiteral("A座公寓"));
    page->applySearch(QStringLiteral("星河"));
    EXPECT_EQ(currentName(), QStringLiteral("星河苑1号楼"));   // the first one shown
    // Rows the list gets anew are searched too.
    ASSERT_TRUE(db().execute(QStringLiteral("UPDATE tc_ge_building SET buildingname = :n WHERE buildingname = :o"),
                             {{"n", QStringLiteral("星河苑9号楼")}, {"o", QStringLiteral("A座公寓")}}));
    ASSERT_TRUE(db().commit());
    page->retrieve();
    EXPECT_EQ(shownNames(), QStringList({"星河苑1号楼", "星河苑9号楼", "星河苑6号楼地下室"}));
}

TEST_P(ListPageTest, ClickingAHeadingSortsTheListItselfAndKeepsTheRecord)
{
    const int name = int(page->columns().indexOf(QStringLiteral("buildingname")));
    const int area = int(page->columns().indexOf(QStringLiteral("buildingarea")));
    page->listPage().selectRow(2);   // 安华路2号平房院
    page->sortByColumn(area);
    EXPECT_EQ(shownNames(), QStringList({"安华路2号平房院", "星河苑6号楼地下室", "星河苑1号楼", "A座公寓"}));
    page->sortByColumn(area);
    EXPECT_EQ(shownNames(), QStringList({"A座公寓", "星河苑1号楼", "星河苑6号楼地下室", "安华路2号平房院"}));
    // Navigation walks the list in the order shown: the data view is sorted.
    EXPECT_EQ(page->listPage().dw_1().getItemString(1, QStringLiteral("buildingname")), QStringLiteral("A座公寓"));
    EXPECT_EQ(currentName(), QStringLiteral("安华路2号平房院"));
    EXPECT_EQ(page->table()->horizontalHeader()->sortIndicatorSection(), area);

    // The line numbers are no order of their own.
    page->sortByColumn(0);
    EXPECT_EQ(page->table()->horizontalHeader()->sortIndicatorSection(), area);
    page->sortByColumn(name);
    EXPECT_EQ(shownNames().first(), QStringLiteral("A座公寓"));
}

TEST_P(ListPageTest, TableSelectionAndTheListPagesCurrentRowMoveTogether)
{
    QTableView* table = page->table();
    table->selectRow(2);
    EXPECT_EQ(page->listPage().currentRow(), 3);
    // A register window moving through the list (wf_scroll) moves the table.
    page->listPage().selectRow(4);
    EXPECT_EQ(table->selectionModel()->currentIndex().row(), 3);
    page->applySearch(QStringLiteral("星河"));
    page->listPage().selectRow(4);   // 星河苑6号楼地下室, the second row shown
    EXPECT_EQ(table->selectionModel()->currentIndex().row(), 1);
}

INSTANTIATE_ENGINES(ListPageTest);

} // namespace
} // namespace cr::app
