// The rental picture on screen: lapsed rentals coloured in their list and
// found with the button 已到期, and the registration's form with the
// house's tenants and sanctions beneath it, following the record shown.
// Runs on both engines.

#include "app/field_editor.h"
#include "app/form_view.h"
#include "app/list_page_widget.h"
#include "app/record_window_widget.h"
#include "catalog/module_catalog.h"
#include "frame/gf_functions.h"
#include "frame/list_page.h"
#include "frame/record_window.h"
#include "frame/sqlca.h"
#include "frame/view_catalog.h"
#include "support/scripted_ui.h"
#include "support/test_db.h"

#include <QApplication>
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace cr::app {
namespace {

class RentalPagesTest : public test::DbTest {
protected:
    void SetUp() override
    {
        test::DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        setTodayOverride(QDate(2024, 6, 30));
        run("INSERT INTO tc_ge_building (commno, address, buildingname, roomtype, issave) "
            "VALUES ('1', '和平里1号', '一号楼', '01', '1')");
        for (const char* number : {"101室", "102室", "103室"})
            run(QStringLiteral("INSERT INTO tc_ge_houseinfo (commno, buildingno, unitno, unitname, floorno, housenumber, "
                               "isrent, issave) VALUES ('1', 1, 1, '单元', 1, '%1', '1', '1')")
                    .arg(QString::fromUtf8(number)));
        // 101室 lapsed yesterday, 102室 ends today, 103室 has no end.
        run("INSERT INTO tc_ge_renthousereg (commno, houseno, startrentdate, endrentdate, issave) "
            "VALUES ('1', 1, '2020-01-01', '2024-06-29', '1')");
        run("INSERT INTO tc_ge_renthousereg (commno, houseno, startrentdate, endrentdate, issave) "
            "VALUES ('1', 2, '2020-01-01', '2024-06-30', '1')");
        run("INSERT INTO tc_ge_renthousereg (commno, houseno, startrentdate, issave) VALUES ('1', 3, '2020-01-01', '1')");
        run("INSERT INTO tc_ge_personinfo (personno, personname, sex, isdeath) VALUES ('P1', '李明', '1', '0')");
        run("INSERT INTO tc_ge_personinfo (personno, personname, sex, isdeath) VALUES ('P2', '王芳', '2', '0')");
        run("INSERT INTO tc_ge_rentregistry (commno, orderno, houseno, startrentdate, personno, issave) "
            "VALUES ('1', 1, 1, '2020-02-01', 'P1', '1')");
        run("INSERT INTO tc_ge_rentregistry (commno, orderno, houseno, startrentdate, personno, issave) "
            "VALUES ('1', 1, 1, '2020-03-01', 'P2', '1')");
        run("INSERT INTO tc_ge_punishrecord (commno, houseno, progdate, issave) VALUES ('1', 1, '2021-05-12', '1')");
        ASSERT_TRUE(db().commit());
        catalog::registerViews(catalog);
        catalog::registerWindows(registry);
        context = AppContext{&db(), &ui, &catalog, &registry, &message};
        list = std::make_unique<ListPageWidget>(context, *registry.find(QStringLiteral("w_m_ge_renthousereg")));
        ASSERT_EQ(list->retrieve(), 3);
    }

    void TearDown() override
    {
        list.reset();
        setTodayOverride({});
        test::DbTest::TearDown();
    }

    void run(const QString& sql) { ASSERT_TRUE(db().execute(sql)) << db().sqlErrText().toStdString(); }

    QStringList shownNumbers() const
    {
        QStringList numbers;
        QAbstractItemModel* model = list->table()->model();
        const int c = int(list->columns().indexOf(QStringLiteral("housenumber")));
        for (int r = 0; r < model->rowCount(); ++r) numbers << model->index(r, c).data().toString();
        return numbers;
    }

    ViewCatalog catalog;
    WindowRegistry registry;
    test::ScriptedUi ui;
    MessageObject message;
    AppContext context;
    std::unique_ptr<ListPageWidget> list;
};

TEST_P(RentalPagesTest, LapsedRentalsAreColouredAndFoundWithTheirButton)
{
    QAbstractItemModel* model = list->table()->model();
    const int note = int(list->columns().indexOf(QStringLiteral("note")));
    const struct {
        int row;
        bool coloured;
    } rows[] = {{0, true}, {1, false}, {2, false}};
    for (const auto& r : rows) {
        const QVariant background = model->index(r.row, note).data(Qt::BackgroundRole);
        EXPECT_EQ(background.isValid(), r.coloured) << "row " << r.row;
        if (r.coloured) EXPECT_EQ(background.value<QColor>(), QColor(255, 200, 200));
    }
    // Field colours of the form never reach the list.
    EXPECT_FALSE(model->index(1, note).data(Qt::BackgroundRole).isValid());

    ASSERT_EQ(list->filterButtons().size(), 1);
    QPushButton* lapsed = list->filterButtons().first();
    EXPECT_EQ(lapsed->text(), QStringLiteral("已到期"));
    lapsed->click();
    EXPECT_EQ(shownNumbers(), QStringList{QStringLiteral("101室")});
    list->retrieve();
    EXPECT_EQ(shownNumbers(), QStringList{QStringLiteral("101室")}) << "the filter stays when the list is read again";
    lapsed->click();
    EXPECT_EQ(shownNumbers(), (QStringList{QStringLiteral("101室"), QStringLiteral("102室"), QStringLiteral("103室")}));
}

TEST_P(RentalPagesTest, RegistrationShowsItsTenantsAndSanctionsBeneathTheForm)
{
    list->listPage().selectRow(1);
    auto* w = qobject_cast<RecordWindowWidget*>(list->openRecord(RecordMode::Modify));
    ASSERT_NE(w, nullptr);
    QApplication::processEvents();
    QTableView* tenants = w->detailTable(QStringLiteral("dw_tenants"));
    QTableView* sanctions = w->detailTable(QStringLiteral("dw_sanctions"));
    ASSERT_NE(tenants, nullptr);
    ASSERT_NE(sanctions, nullptr);
    EXPECT_EQ(tenants->model()->rowCount(), 2);
    EXPECT_EQ(sanctions->model()->rowCount(), 1);
    auto* heading = w->findChild<QLabel*>(QStringLiteral("dw_tenants_heading"));
    ASSERT_NE(heading, nullptr);
    EXPECT_TRUE(heading->text().contains(QStringLiteral("租房人"))) << heading->text().toStdString();
    EXPECT_TRUE(heading->text().contains(QStringLiteral("2条")));

    // The next registration: its house has none of either.
    w->window().click(QStringLiteral("cb_next"));
    QApplication::processEvents();
    EXPECT_EQ(tenants->model()->rowCount(), 0);
    EXPECT_EQ(sanctions->model()->rowCount(), 0);
    EXPECT_TRUE(heading->text().contains(QStringLiteral("0条")));
    w->close();
    EXPECT_TRUE(ui.errors().isEmpty()) << ui.errors().join('\n').toStdString();
}

// A date typed into the form as the clerk types it; text that is no date is
// told once (by the window, not again by the form), the field is left empty
// with the cursor in it, and Ctrl+S while it is typed stores nothing.
TEST_P(RentalPagesTest, DateFieldTakesClerksFormsAndRefusesTheRest)
{
    list->listPage().selectRow(3);
    auto* w = qobject_cast<RecordWindowWidget*>(list->openRecord(RecordMode::Modify));
    ASSERT_NE(w, nullptr);
    QApplication::setActiveWindow(w);
    QApplication::processEvents();
    auto* end = qobject_cast<QLineEdit*>(w->form().field(QStringLiteral("endrentdate"))->focusTarget());
    ASSERT_NE(end, nullptr);
    const auto type = [end](const QString& text) {
        end->setFocus();
        end->selectAll();
        end->insert(text);
        emit end->textEdited(end->text());
    };
    type(QStringLiteral("2025年1月31日"));
    QTest::keyClick(end, Qt::Key_Return);
    EXPECT_EQ(w->window().dw_1().getItemDate(1, QStringLiteral("endrentdate")), QDate(2025, 1, 31));
    EXPECT_TRUE(ui.messages().isEmpty());

    type(QStringLiteral("2025-2-30"));
    QTest::keyClick(end, Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages().first().text.startsWith(QStringLiteral("“房屋终止出租时间”中输入的“2025-2-30”不是有效的日期")));
    EXPECT_TRUE(w->window().dw_1().getItem(1, QStringLiteral("endrentdate")).isNull());
    EXPECT_TRUE(end->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), end);

    type(QStringLiteral("2025/13/01"));
    QTest::keyClick(end, Qt::Key_S, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(ui.messages().size(), 2);
    EXPECT_TRUE(db().selectValue(QStringLiteral("SELECT endrentdate FROM tc_ge_renthousereg WHERE houseno = 3")).isNull());
    EXPECT_EQ(db().selectValue(QStringLiteral("SELECT issave FROM tc_ge_renthousereg WHERE houseno = 3")).toString(),
              QStringLiteral("1"));
    ui.answerNo();
    w->close();
    EXPECT_TRUE(ui.errors().isEmpty()) << ui.errors().join('\n').toStdString();
}

INSTANTIATE_ENGINES(RentalPagesTest);

} // namespace
} // namespace cr::app
