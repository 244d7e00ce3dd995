// The scope dialog worked with the keyboard and the mouse, and the coverage
// page opening a house: through the same registry, views and dialogs as the
// shell.

#include "app/main_window.h"
#include "app/plain_window_widget.h"
#include "app/scope_dialog.h"
#include "app/record_window_widget.h"
#include "catalog/module_catalog.h"
#include "frame/record_window.h"
#include "frame/sqlca.h"
#include "frame/view_catalog.h"
#include "resident_teams/scope_window.h"
#include "support/scripted_ui.h"
#include "support/test_db.h"

#include <QApplication>
#include <QCheckBox>
#include <QTableView>
#include <QTest>
#include <QTreeView>

namespace cr::app {
namespace {

// One building with two doors and a bungalow compound: B1 (door 1: H1 with
// household 1001, H2; door 2: H3) and B2 (H4).
bool fillCommunity(Sqlca& db)
{
    for (const char* sql : {
             "INSERT INTO tc_ge_building (commno, buildingname, roomtype, issave) VALUES ('0001', '1号楼', '01', '1')",
             "INSERT INTO tc_ge_building (commno, buildingname, roomtype, issave) VALUES ('0001', '平房院', '02', '1')",
             "INSERT INTO tc_ge_houseinfo (commno, buildingno, unitno, unitname, housenumber, issave) "
             "VALUES ('0001', 1, 1, '单元', '101室', '1')",
             "INSERT INTO tc_ge_houseinfo (commno, buildingno, unitno, unitname, housenumber, issave) "
             "VALUES ('0001', 1, 1, '单元', '102室', '1')",
             "INSERT INTO tc_ge_houseinfo (commno, buildingno, unitno, unitname, housenumber, issave) "
             "VALUES ('0001', 1, 2, '单元', '101室', '1')",
             "INSERT INTO tc_ge_houseinfo (commno, buildingno, unitno, unitname, housenumber, issave) "
             "VALUES ('0001', 2, 0, NULL, '1', '1')",
             "INSERT INTO tc_ge_rpr (commno, rprno, hostname) VALUES ('0001', '1001', '张三')",
             "INSERT INTO tc_ge_rprownhouse (commno, rprno, houseno, issave) VALUES ('0001', '1001', 1, '1')",
         })
        if (!db.execute(QString::fromUtf8(sql))) return false;
    return db.commit();
}

class TeamPagesTest : public test::DbTest {
protected:
    void SetUp() override
    {
        test::DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(fillCommunity(db())) << db().sqlErrText().toStdString();
        catalog::registerViews(views);
        catalog::registerWindows(registry);
        context = AppContext{&db(), &ui, &views, &registry, &message};
    }

    // The index of the item with this code, searched through the view's model.
    static QModelIndex itemOf(QTreeView& view, const QString& code, const QModelIndex& parent = {})
    {
        const QAbstractItemModel* model = view.model();
        for (int r = 0; r < model->rowCount(parent); ++r) {
            const QModelIndex i = model->index(r, 0, parent);
            if (i.data(Qt::UserRole + 1).toString() == code) return i;
            if (const QModelIndex found = itemOf(view, code, i); found.isValid()) return found;
        }
        return {};
    }

    test::ScriptedUi ui;
    ViewCatalog views;
    WindowRegistry registry;
    MessageObject message;
    AppContext context;
};

TEST_P(TeamPagesTest, TheScopeDialogIsTickedWithTheKeyboardAndConfirmed)
{
    ScopeDialog dialog(nullptr, context, StrMultiselect{QString(), QStringLiteral("H2"), QString(), QStringLiteral("一组")});
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QTreeView* view = dialog.treeView();
    ASSERT_NE(view, nullptr);
    // Buildings open one level: their doors, or a compound's houses, show.
    EXPECT_TRUE(view->isExpanded(itemOf(*view, QStringLiteral("B1"))));
    EXPECT_FALSE(view->isExpanded(itemOf(*view, QStringLiteral("B1U1"))));
    EXPECT_EQ(itemOf(*view, QStringLiteral("H2")).data(Qt::CheckStateRole).toInt(), Qt::Checked);   // pre-ticked

    // Space ticks the current item and everything below it; the parent stays.
    view->setCurrentIndex(itemOf(*view, QStringLiteral("B1U2")));
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_EQ(itemOf(*view, QStringLiteral("H3")).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(itemOf(*view, QStringLiteral("B1")).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    // Enter opens the current item.
    view->setCurrentIndex(itemOf(*view, QStringLiteral("B1U1")));
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_TRUE(view->isExpanded(itemOf(*view, QStringLiteral("B1U1"))));
    // "展开全部" opens everything, households included.
    dialog.findChild<QCheckBox*>()->click();
    EXPECT_TRUE(view->isExpanded(itemOf(*view, QStringLiteral("H1"))));

    QTest::keyClick(view, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_FALSE(dialog.isVisible());
    const StrMultiselect answer = dialog.answer();
    EXPECT_EQ(answer.s_str, QStringLiteral("H2,B1U2"));
    EXPECT_EQ(answer.s_dw, QStringLiteral("102室(1号楼1单元),2单元(1号楼)"));
    EXPECT_EQ(answer.s_title, QStringLiteral("一组"));
}

TEST_P(TeamPagesTest, EscapeCancelsWhateverWasTicked)
{
    ScopeDialog dialog(nullptr, context, StrMultiselect{QStringLiteral("旧范围"), QStringLiteral("B2"), QString(), QString()});
    dialog.show();
    QTreeView* view = dialog.treeView();
    view->model()->setData(itemOf(*view, QStringLiteral("B1")), Qt::Checked, Qt::CheckStateRole);
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.answer().s_str, QStringLiteral("$$"));
    EXPECT_EQ(dialog.answer().s_dw, QStringLiteral("旧范围"));
}

INSTANTIATE_ENGINES(TeamPagesTest);

TEST(CoveragePageTest, ListsTheGapsAndOpensAHouse)
{
    QString reason;
    auto fresh = test::openFreshDatabase(Engine::Sqlite, true, &reason);
    ASSERT_TRUE(fresh) << reason.toStdString();
    Sqlca& db = *fresh->sqlca;
    ASSERT_TRUE(fillCommunity(db));
    ASSERT_TRUE(db.execute(QStringLiteral("INSERT INTO tc_og_inhabitantteam (commno, orgname, issave) VALUES ('0001', '一组', '1')")));
    ASSERT_TRUE(db.execute(QStringLiteral("INSERT INTO tc_og_inhabteamscope (commno, teamno, scopecode, issave) "
                                          "VALUES ('0001', 1, 'B1U1,B2', '1')")));
    ASSERT_TRUE(db.commit());
    MainWindow main(std::move(fresh->sqlca));
    main.ui().setUnattended(true);
    auto* report = qobject_cast<PlainWindowWidget*>(main.openPage(QStringLiteral("管辖范围覆盖情况")));
    ASSERT_NE(report, nullptr);
    QTableView* houses = report->table(QStringLiteral("dw_houses"));
    ASSERT_NE(houses, nullptr);
    ASSERT_EQ(houses->model()->rowCount(), 1);   // door 2 of 1号楼 is nobody's
    EXPECT_EQ(houses->model()->index(0, 1).data().toString(), QStringLiteral("101室(1号楼2单元)"));
    QTableView* areas = report->table(QStringLiteral("dw_areas"));
    ASSERT_EQ(areas->model()->rowCount(), 2);   // the buildings without an area, and the total
    EXPECT_EQ(areas->model()->index(1, 0).data().toString(), QStringLiteral("合计"));

    emit houses->doubleClicked(houses->model()->index(0, 1));
    auto* opened = main.findChild<RecordWindowWidget*>();
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->window().name(), QStringLiteral("w_m_ge_houseinfo"));
    EXPECT_EQ(opened->window().currentKey().toLongLong(), 3);
    opened->window().close();
}

} // namespace
} // namespace cr::app
