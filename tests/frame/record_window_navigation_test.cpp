#include "record_window_fixture.h"

namespace cr::test {
namespace {

class RecordWindowNavigationTest : public RecordWindowTest {
protected:
    void SetUp() override
    {
        RecordWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        for (const char* t : {"一", "二", "三"}) insertNote(QString::fromUtf8(t), 7);
        insertNote(QStringLiteral("四"), 8);
        list = std::make_unique<ListPage>(db(), catalog, *registry.find("w_m_t_note"));
        ASSERT_EQ(list->ue_retrieve(), 4);
    }

    std::unique_ptr<TestNoteWindow> openAt(int row)
    {
        EXPECT_TRUE(list->selectRow(row));
        std::unique_ptr<Window> w = list->openWindow(registry, context(), RecordMode::Modify);
        return std::unique_ptr<TestNoteWindow>(static_cast<TestNoteWindow*>(w.release()));
    }

    QString title(TestNoteWindow& w) { return w.dw_1().getItemString(1, "title"); }

    std::unique_ptr<ListPage> list;
};

TEST_P(RecordWindowNavigationTest, ButtonsStayWithinTheList)
{
    struct Step {
        const char* button;
        long row;          // il_row afterwards
        const char* title;
        const char* status;
    };
    const Step steps[] = {
        {"cb_prior", 1, "一", "已经是第一条记录"},
        {"cb_next", 2, "二", ""},
        {"cb_next", 3, "三", ""},
        {"cb_last", 4, "四", ""},
        {"cb_next", 4, "四", "已经是最后一条记录"},
        {"cb_first", 1, "一", ""},
        {"cb_last", 4, "四", ""},
        {"cb_prior", 3, "三", ""},
    };
    auto w = openAt(1);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->row(), 1);
    EXPECT_EQ(w->guo_tabpg_now(), list.get());
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.button) + " to " + std::to_string(s.row));
        w->click(s.button);
        EXPECT_EQ(w->row(), s.row);
        EXPECT_EQ(list->currentRow(), s.row);
        EXPECT_EQ(title(*w), QString::fromUtf8(s.title));
        if (*s.status) EXPECT_EQ(w->statusText(), QString::fromUtf8(s.status));
        EXPECT_EQ(w->mode(), QStringLiteral("修改"));
    }
    EXPECT_TRUE(ui.prompts().isEmpty());
}

// Windows that replace the handlers hand wf_scroll() numbers beyond the
// list; wf_scroll keeps them within it.
TEST_P(RecordWindowNavigationTest, ReplacedHandlersAreBoundedByWfScroll)
{
    auto w = openAt(1);
    ASSERT_TRUE(w);
    w->replaceAllNavigation();
    w->prior();
    EXPECT_EQ(w->row(), 1);
    EXPECT_EQ(title(*w), QStringLiteral("一"));
    w->il_row = 4;
    w->next();
    EXPECT_EQ(w->row(), 4);
    EXPECT_EQ(list->currentRow(), 4);
    EXPECT_EQ(title(*w), QStringLiteral("四"));
    // The frame's own handler no longer moves: only the window's did.
    w->first();
    EXPECT_EQ(w->row(), 4);
}

TEST_P(RecordWindowNavigationTest, UnsavedEditsAreAskedAboutFirst)
{
    auto w = openAt(2);
    ASSERT_TRUE(w);
    w->dw_1().userEdit(1, "title", QStringLiteral("二改"));

    ui.answerCancel();
    w->next();
    EXPECT_EQ(w->row(), 2);
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(title(*w), QStringLiteral("二改"));

    ui.answerNo();
    w->next();
    EXPECT_EQ(w->row(), 3);
    EXPECT_EQ(title(*w), QStringLiteral("三"));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM t_note WHERE title = '二改'").toInt(), 0);

    w->dw_1().userEdit(1, "title", QStringLiteral("三改"));
    ui.answerYes();
    w->prior();
    EXPECT_EQ(w->row(), 2);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM t_note WHERE title = '三改'").toInt(), 1);
    EXPECT_EQ(ui.messages().size(), 3);
    EXPECT_TRUE(ui.errors().isEmpty()) << ui.errors().join('\n').toStdString();
}

TEST_P(RecordWindowNavigationTest, DetailListFollowsMasterAndLendsItsKeyToNewRecords)
{
    // The notes' list as its own master, linked by groupno, only to have two
    // list pages; groupno 7 is then the key of the master's current row.
    insertNote(QStringLiteral("组"), QVariant());
    ASSERT_TRUE(db().execute(QStringLiteral("UPDATE t_note SET noteno = 7 WHERE title = '一'")));
    ASSERT_TRUE(db().commit());
    ListPage master(db(), catalog, *registry.find("w_m_t_note"));
    master.is_stringpara = QStringLiteral("T_Master");
    ASSERT_GE(master.ue_retrieve(), 1);
    list->setMaster(&master, QStringLiteral("groupno"));
    ASSERT_TRUE(master.selectRow(master.findKey(qlonglong(7))));
    EXPECT_EQ(master.tag(), QStringLiteral("7"));
    EXPECT_EQ(list->is_masterid, QStringLiteral("7"));
    EXPECT_EQ(list->rowCount(), 3);
    list->ue_retrieve();
    EXPECT_EQ(list->rowCount(), 3) << "the restriction survives a retrieve";

    std::unique_ptr<Window> opened = list->openWindow(registry, context(), RecordMode::Add);
    auto* w = static_cast<TestNoteWindow*>(opened.get());
    ASSERT_TRUE(w);
    EXPECT_EQ(w->guo_tabpg_now(), list.get());
    EXPECT_EQ(w->guo_tabpg_master(), &master);
    EXPECT_EQ(w->dw_1().getItem(1, "groupno").toLongLong(), 7);
    EXPECT_FALSE(w->hasUnsavedEdits());

    // Another master record: the detail shows its rows only.
    ASSERT_TRUE(master.selectRow(master.findKey(scalar("SELECT noteno FROM t_note WHERE title = '组'"))));
    EXPECT_EQ(list->rowCount(), 0);
}

TEST_P(RecordWindowNavigationTest, ListRefreshKeepsTheRow)
{
    auto w = openAt(3);
    ASSERT_TRUE(w);
    insertNote(QStringLiteral("五"));
    w->wf_refresh_list();
    EXPECT_EQ(list->rowCount(), 5);
    EXPECT_EQ(list->currentRow(), 3);
}

INSTANTIATE_ENGINES(RecordWindowNavigationTest);

} // namespace
} // namespace cr::test
