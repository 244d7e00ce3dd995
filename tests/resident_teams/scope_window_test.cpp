#include "resident_teams/scope_window.h"

#include "team_fixture.h"

namespace cr::resident_teams::test {
namespace {

class ScopeWindowTest : public TeamWindowFixture {
protected:
    // Opens the dialog as the team register does: the structure in the message object.
    ScopeWindow* open(const QString& filter, const QString& code, const QString& names = QString())
    {
        message.powerObjectParm = StrMultiselect{names, expand(code), expand(filter), QStringLiteral("一组")};
        window = windows.create(ScopeWindow::windowName(), context());
        auto* scope = dynamic_cast<ScopeWindow*>(window.get());
        EXPECT_NE(scope, nullptr);
        if (scope) EXPECT_TRUE(scope->open());
        return scope;
    }
    StrMultiselect handedBack() const
    {
        const auto* s = std::any_cast<StrMultiselect>(&message.powerObjectParm);
        EXPECT_NE(s, nullptr) << "the dialog handed nothing back";
        return s ? *s : StrMultiselect();
    }
    QStringList topLevel(const ScopeWindow& w) const
    {
        QStringList codes;
        for (int r = 0; r < w.tree().topLevelCount(); ++r) codes << w.tree().code(w.tree().topLevelItem(r));
        return codes;
    }
    QString text(const ScopeWindow& w, const char* control) const
    {
        return w.control(QLatin1String(control))->text;
    }
};

TEST_P(ScopeWindowTest, ShowsTheBuildingsOfTheAreaWithCountsAndTitle)
{
    const struct {
        const char* name;
        const char* filter;
        QStringList buildings;
        const char* counts;
    } cases[] = {
        {"every building", "", {"B{b1}", "B{b2}", "B{b3}"}, "共检索出3个楼院，7个房屋。"},
        {"one area", "RegionalNo={a1}", {"B{b1}", "B{b2}"}, "共检索出2个楼院，6个房屋。"},
        {"an area without buildings", "RegionalNo=999999", {}, "共检索出0个楼院，0个房屋。"},
    };
    for (const auto& c : cases) {
        ui.clearPrompts();
        ScopeWindow* w = open(QString::fromLatin1(c.filter), QString());
        ASSERT_NE(w, nullptr);
        QStringList expected;
        for (const QString& b : c.buildings) expected << expand(b);
        EXPECT_EQ(topLevel(*w), expected) << c.name;
        EXPECT_EQ(text(*w, "st_msg"), QString::fromUtf8(c.counts)) << c.name;
        EXPECT_EQ(text(*w, "st_title"), QStringLiteral("居民小组【一组】所辖楼院、房屋范围定义：")) << c.name;
        EXPECT_EQ(ui.progressTexts().value(0), QStringLiteral("正在读取楼院、房屋数据")) << c.name;
        EXPECT_TRUE(messages().isEmpty()) << c.name;
        EXPECT_FALSE(w->expandAll());
    }
}

TEST_P(ScopeWindowTest, HouseholdsAppearUnderEveryHouseTheyLiveIn)
{
    ScopeWindow* w = open(QString(), QString());
    ASSERT_NE(w, nullptr);
    const QList<int> items = w->tree().find(QStringLiteral("R101"));
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(w->tree().code(w->tree().parent(items[0])), expand(QStringLiteral("H{h1}")));
    EXPECT_EQ(w->tree().code(w->tree().parent(items[1])), expand(QStringLiteral("H{h3}")));
    EXPECT_EQ(w->tree().label(items[0]), QStringLiteral("张一"));
    // A link to a number the household register does not know shows nothing.
    const int h2 = w->tree().find(expand(QStringLiteral("H{h2}"))).value(0);
    EXPECT_EQ(w->tree().childCount(h2), 1);
    // The door-0 house of a multi-storey building stands under the building.
    const int h4 = w->tree().find(expand(QStringLiteral("H{h4}"))).value(0);
    EXPECT_EQ(w->tree().code(w->tree().parent(h4)), expand(QStringLiteral("B{b1}")));
    EXPECT_EQ(w->tree().label(h4), QStringLiteral("地下1(1号楼)"));
}

TEST_P(ScopeWindowTest, ConfirmHandsBackTheTopmostTickedItems)
{
    ScopeWindow* w = open(QStringLiteral("RegionalNo={a1}"), QStringLiteral("B{b1}U1,H{h3},B{b3}"),
                          QStringLiteral("旧范围"));
    ASSERT_NE(w, nullptr);
    ScopeTree& tree = w->tree();
    // Reopened with its scope; B{b3} lies outside the area and is dropped.
    tree.setTicked(tree.find(expand(QStringLiteral("H{h5}"))).value(0), true);
    ASSERT_TRUE(w->click(QStringLiteral("cb_ok")));
    EXPECT_FALSE(w->isOpen());
    const StrMultiselect s = handedBack();
    EXPECT_EQ(s.s_str, expand(QStringLiteral("B{b1}U1,H{h3},H{h5}")));
    EXPECT_EQ(s.s_dw, QStringLiteral("1单元(1号楼),201室(1号楼2单元),1(平房院)"));
    EXPECT_EQ(s.s_filter, expand(QStringLiteral("RegionalNo={a1}")));
    EXPECT_EQ(s.s_title, QStringLiteral("一组"));
}

TEST_P(ScopeWindowTest, CancelAndClosingHandBackTheCancelMark)
{
    for (const char* how : {"p_cancel", "close"}) {
        ScopeWindow* w = open(QString(), QStringLiteral("B{b1}"), QStringLiteral("1号楼"));
        ASSERT_NE(w, nullptr);
        w->tree().setTicked(w->tree().topLevelItem(1), true);
        if (QLatin1String(how) == QLatin1String("close"))
            EXPECT_TRUE(w->close());
        else
            EXPECT_TRUE(w->click(QStringLiteral("p_cancel")));
        const StrMultiselect s = handedBack();
        EXPECT_EQ(s.s_str, QStringLiteral("$$")) << how;
        EXPECT_EQ(s.s_dw, QStringLiteral("1号楼")) << how;
    }
}

TEST_P(ScopeWindowTest, AnAreaFilterThatCannotBeAppliedLeavesAnEmptyTree)
{
    ScopeWindow* w = open(QStringLiteral("RegionalNo=区域"), QStringLiteral("B{b1}"));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("警告|选择的区域不正确，无法生成楼院房屋树状图！")});
    EXPECT_EQ(w->tree().itemCount(), 0);
    EXPECT_TRUE(w->isOpen());
    ASSERT_TRUE(w->click(QStringLiteral("cb_ok")));
    EXPECT_EQ(handedBack().s_str, QString());
    EXPECT_EQ(handedBack().s_dw, QString());
}

TEST_P(ScopeWindowTest, ABuildingWithoutNumberStopsTheTree)
{
    ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_building (buildingno, commno, buildingname, roomtype) "
                                            "VALUES (0, '0001', '无编号楼', '01')")));
    ASSERT_TRUE(db().commit());
    ScopeWindow* w = open(QString(), QString());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("警告信息|楼院信息不正确或没有楼院数据，无法生成树！")});
    EXPECT_EQ(text(*w, "st_msg"), QStringLiteral("楼院、单元、房屋信息检索不正确！"));
    EXPECT_EQ(w->tree().itemCount(), 0);   // it sorts first: nothing was built before it
}

TEST_P(ScopeWindowTest, ADatabaseThatCannotBeReadIsNotShownAsAnEmptyCommunity)
{
    ASSERT_TRUE(db().execute(QStringLiteral("DROP TABLE tc_ge_rpr")));
    ASSERT_TRUE(db().commit());
    ScopeWindow* w = open(QString(), QString());
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].title, QStringLiteral("错误"));
    EXPECT_TRUE(ui.messages()[0].text.startsWith(QStringLiteral("读取楼院、房屋数据失败：")));
    EXPECT_EQ(text(*w, "st_msg"), QStringLiteral("楼院、单元、房屋信息检索不正确！"));
}

TEST_P(ScopeWindowTest, ExpandAllIsAFlagTheBoxToggles)
{
    ScopeWindow* w = open(QString(), QString());
    ASSERT_NE(w, nullptr);
    QList<bool> heard;
    QObject::connect(w, &ScopeWindow::expandAllChanged, [&](bool on) { heard << on; });
    w->click(QStringLiteral("cbx_1"));
    w->click(QStringLiteral("cbx_1"));
    EXPECT_EQ(heard, (QList<bool>{true, false}));
}

INSTANTIATE_ENGINES(ScopeWindowTest);

} // namespace
} // namespace cr::resident_teams::test
