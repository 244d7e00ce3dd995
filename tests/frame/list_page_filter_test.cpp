// A list page's named filters (a list view's ListFilterDef) together with
// the restriction of a detail list, and a detail linked by a master column
// that is not the master's key.

#include "record_window_fixture.h"

#include <tuple>

namespace cr::test {
namespace {

class ListPageFilterTest : public RecordWindowTest {
protected:
    void SetUp() override
    {
        RecordWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        DataViewDef list = *catalog.find(QStringLiteral("d_t_note"));
        list.listFilters = {{QStringLiteral("长篇"), QStringLiteral("pages > 5")},
                            {QStringLiteral("坏的"), QStringLiteral("nosuch > 1")}};
        catalog.add(list);
        for (const auto& [title, group, pages] : {std::tuple{"甲", 1, 2}, std::tuple{"乙", 1, 8}, std::tuple{"丙", 2, 9},
                                                  std::tuple{"丁", 2, 1}, std::tuple{"戊", 1, 6}})
            ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO t_note (commno, groupno, title, pages, issave) "
                                                    "VALUES ('C1', :g, :t, :p, '1')"),
                                     {{QStringLiteral("g"), group},
                                      {QStringLiteral("t"), QString::fromUtf8(title)},
                                      {QStringLiteral("p"), pages}}));
        ASSERT_TRUE(db().commit());
    }

    std::unique_ptr<ListPage> page(const QString& masterColumn = QString())
    {
        WindowInfo info = *registry.find(QStringLiteral("w_m_t_note"));
        info.masterColumn = masterColumn;
        auto p = std::make_unique<ListPage>(db(), catalog, info);
        EXPECT_GE(p->ue_retrieve(), 0);
        return p;
    }

    static QStringList titles(ListPage& p)
    {
        QStringList t;
        for (int r = 1; r <= p.rowCount(); ++r) t << p.dw_1().getItemString(r, QStringLiteral("title"));
        return t;
    }
};

TEST_P(ListPageFilterTest, NamedFilterNarrowsTheListAndStaysWhenReadAgain)
{
    auto notes = page();
    EXPECT_EQ(notes->listFilters(), (QStringList{QStringLiteral("长篇"), QStringLiteral("坏的")}));
    const struct {
        const char* name;
        const char* filter;
        bool applied;
        QStringList shown;
    } cases[] = {
        {"long notes", "长篇", true, {"乙", "丙", "戊"}},
        {"all again", "", true, {"甲", "乙", "丙", "丁", "戊"}},
        {"a filter the list does not offer", "短篇", false, {"甲", "乙", "丙", "丁", "戊"}},
        {"a filter that cannot be applied", "坏的", false, {"甲", "乙", "丙", "丁", "戊"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(notes->setListFilter(QString::fromUtf8(c.filter)), c.applied);
        EXPECT_EQ(titles(*notes), c.shown);
        EXPECT_EQ(notes->currentRow(), 1);
    }
    ASSERT_TRUE(notes->setListFilter(QStringLiteral("长篇")));
    ASSERT_TRUE(db().execute(QStringLiteral("UPDATE t_note SET pages = 7 WHERE title = '甲'")));
    ASSERT_TRUE(db().commit());
    notes->ue_retrieve();
    EXPECT_EQ(titles(*notes), (QStringList{"甲", "乙", "丙", "戊"}));
}

// The detail shows the notes of the master note's group: its link column
// holds the master's groupno, not its key. A named filter narrows what the
// master leaves, and a new record takes the master's value.
TEST_P(ListPageFilterTest, DetailFollowsTheMasterColumnAndItsFilter)
{
    auto master = page();
    auto sameGroup = page(QStringLiteral("groupno"));
    sameGroup->setMaster(master.get(), QStringLiteral("groupno"));
    const struct {
        const char* name;
        int masterRow;
        const char* filter;
        QStringList shown;
    } cases[] = {
        {"group of 甲", 1, "", {"甲", "乙", "戊"}},
        {"group of 丙", 3, "", {"丙", "丁"}},
        {"group of 丙, long ones", 3, "长篇", {"丙"}},
        {"group of 甲, long ones", 1, "长篇", {"乙", "戊"}},
        {"group of 乙, all", 2, "", {"甲", "乙", "戊"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        master->selectRow(c.masterRow);
        ASSERT_TRUE(sameGroup->setListFilter(QString::fromUtf8(c.filter)));
        EXPECT_EQ(titles(*sameGroup), c.shown);
        EXPECT_EQ(sameGroup->masterKey(), master->dw_1().getItem(c.masterRow, QStringLiteral("groupno")));
    }
    master->selectRow(4);
    auto w = makeWindow(sameGroup.get(), master.get());
    ASSERT_TRUE(w->openAdd());
    EXPECT_EQ(w->dw_1().getItem(1, QStringLiteral("groupno")).toInt(), 2);
}

INSTANTIATE_ENGINES(ListPageFilterTest);

} // namespace
} // namespace cr::test
