// The master rule of the record window frame: a record that belongs to a
// master is never stored without it, by either save, and a list offers 新增
// only where the master can be known.

#include "record_window_fixture.h"

namespace cr::test {
namespace {

class RecordWindowMasterTest : public RecordWindowTest {
protected:
    void belongTo(MasterRule rule)
    {
        WindowInfo info = *registry.find(QStringLiteral("w_m_t_note"));
        info.masterRule = rule;
        info.masterName = QStringLiteral("分组");
        registry.add(info);
    }
};

TEST_P(RecordWindowMasterTest, NeitherSaveStoresARecordWithoutItsMaster)
{
    const QString fromList = QStringLiteral("没有所属的分组，不能保存。\r\n请在分组列表中选中一个分组，再在它下面的列表中新增。");
    const QString chooseIt = QStringLiteral("“分组”不能为空，请选择！");
    const struct {
        const char* name;
        MasterRule rule;
        QVariant group;
        bool validated;
        QString refusal;     // empty: stored
    } cases[] = {
        {"no master rule, validated", MasterRule::None, QVariant(), true, {}},
        {"no master rule, temporary", MasterRule::None, QVariant(), false, {}},
        {"from list without master, validated", MasterRule::FromList, QVariant(), true, fromList},
        {"from list without master, temporary", MasterRule::FromList, QVariant(), false, fromList},
        {"from list with master, temporary", MasterRule::FromList, 5, false, {}},
        {"from list with master, validated", MasterRule::FromList, 5, true, {}},
        {"chosen in form, left empty", MasterRule::ChosenInForm, QVariant(), true, chooseIt},
        {"chosen in form, left empty, temporary", MasterRule::ChosenInForm, QVariant(), false, chooseIt},
        {"chosen in form, chosen", MasterRule::ChosenInForm, 5, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        belongTo(c.rule);
        ui.clearPrompts();
        auto w = makeWindow();
        ASSERT_TRUE(w->openAdd());
        w->dw_1().setItem(1, QStringLiteral("title"), QStringLiteral("周会"));
        w->dw_1().setItem(1, QStringLiteral("pages"), 2);
        w->dw_1().setItem(1, QStringLiteral("groupno"), c.group);
        const qlonglong before = scalar(QStringLiteral("SELECT COUNT(*) FROM t_note")).toLongLong();
        const bool saved = c.validated ? w->save() : w->tempSave();
        const qlonglong after = scalar(QStringLiteral("SELECT COUNT(*) FROM t_note")).toLongLong();
        EXPECT_EQ(saved, c.refusal.isEmpty());
        EXPECT_EQ(after - before, c.refusal.isEmpty() ? 1 : 0);
        const QList<Prompt> shown = ui.messages();
        if (c.refusal.isEmpty()) {
            EXPECT_TRUE(shown.isEmpty());
            continue;
        }
        ASSERT_EQ(shown.size(), 1);
        EXPECT_EQ(shown[0].title, QStringLiteral("提示"));
        EXPECT_EQ(shown[0].text, c.refusal);
        EXPECT_EQ(w->mode(), codes::mode::add);
        EXPECT_FALSE(w->calls.contains(QStringLiteral("wf_dw_verify"))) << "refused before the window's checks";
        if (c.rule == MasterRule::ChosenInForm) EXPECT_EQ(w->dw_1().getColumnName(), QStringLiteral("groupno"));
    }
}

// The master is asked for before any required field: without it nothing
// else the clerk fills in could be stored.
TEST_P(RecordWindowMasterTest, MasterComesBeforeTheRequiredFields)
{
    belongTo(MasterRule::FromList);
    auto w = makeWindow();
    ASSERT_TRUE(w->openAdd());
    EXPECT_FALSE(w->save());
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages()[0].text.startsWith(QStringLiteral("没有所属的分组")));
}

TEST_P(RecordWindowMasterTest, ListOffersNewRecordsOnlyWhereTheMasterIsKnown)
{
    const struct {
        const char* name;
        MasterRule rule;
        bool detail;
        bool masterHasRows;
        bool canAdd;
    } cases[] = {
        {"no rule, plain list", MasterRule::None, false, false, true},
        {"chosen in form, plain list", MasterRule::ChosenInForm, false, false, true},
        {"from list, plain list", MasterRule::FromList, false, false, false},
        {"from list, detail of an empty master", MasterRule::FromList, true, false, false},
        {"from list, detail with a current master", MasterRule::FromList, true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        belongTo(c.rule);
        db().execute(QStringLiteral("DELETE FROM t_note"));
        db().commit();
        if (c.masterHasRows) insertNote(QStringLiteral("主记录"));
        const WindowInfo& info = *registry.find(QStringLiteral("w_m_t_note"));
        ListPage master(db(), catalog, info);
        ListPage page(db(), catalog, info);
        master.ue_retrieve();
        if (c.detail) page.setMaster(&master, QStringLiteral("groupno"));
        page.ue_retrieve();
        EXPECT_EQ(page.canAdd(), c.canAdd);
        const std::unique_ptr<Window> opened = page.openWindow(registry, context(), RecordMode::Add);
        EXPECT_EQ(opened != nullptr, c.canAdd);
    }
}

INSTANTIATE_ENGINES(RecordWindowMasterTest);

} // namespace
} // namespace cr::test
