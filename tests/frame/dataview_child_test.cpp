#include "dataview_test_support.h"
#include "support/test_db.h"

#include "frame/sqlca.h"
#include "frame/view_catalog.h"

namespace cr::test {
namespace {

// Lookup lists from a code table of the test's own (the shape the module's
// tc_codelist has), on each engine.
class DataViewChild : public DbTest {
protected:
    bool wantsSchema() const override { return false; }

    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        const Dialect& dl = db().dialect();
        ASSERT_TRUE(db().execute(QStringLiteral("CREATE TABLE tc_codelist (listname %1, tcode %2, tname %3, sortno INTEGER)")
                                     .arg(dl.textType(40), dl.textType(20), dl.textType(100))));
        const QList<QStringList> codes = {{"dddw_ge_duty", "51", "楼长", "1"},      {"dddw_ge_duty", "52", "副楼长", "2"},
                                          {"dddw_ge_duty", "61", "组长", "3"},      {"dddw_ge_roomtype", "01", "楼房", "1"},
                                          {"dddw_ge_roomtype", "02", "平房", "2"}, {"dddw_ge_roomtype", "03", "地下室", "3"}};
        for (const QStringList& c : codes)
            ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_codelist (listname, tcode, tname, sortno) "
                                                    "VALUES (:l, :c, :n, :s)"),
                                     {{"l", c[0]}, {"c", c[1]}, {"n", c[2]}, {"s", c[3].toInt()}}));
        ASSERT_TRUE(db().commit());

        // A list the window fills itself: registered without a query.
        DataViewDef units;
        units.name = QStringLiteral("dddw_ge_buildingunit");
        for (const char* n : {"unitno", "unitname1"}) {
            ColumnDef c;
            c.name = QString::fromLatin1(n);
            c.kind = c.name == QLatin1String("unitno") ? ColumnKind::Integer : ColumnKind::Text;
            units.columns << c;
        }
        m_catalog.add(units);
    }

    std::unique_ptr<DataView> form()
    {
        DataViewDef d = houseDef();
        for (ColumnDef& c : d.columns)
            if (c.name == QLatin1String("note")) {
                c.edit = EditStyle::DropDown;
                c.dropDown = {QStringLiteral("dddw_ge_duty"), QStringLiteral("tname"), QStringLiteral("tcode")};
            }
        auto v = std::make_unique<DataView>(d);
        v->setTransObject(&db());
        v->setCatalog(&m_catalog);
        return v;
    }

    ViewCatalog m_catalog;
};

TEST_P(DataViewChild, ChildIsRetrievedOnFirstUseAndShowsTexts)
{
    auto v = form();
    addRow(*v, {{"note", "52"}});
    addRow(*v, {{"note", "99"}});
    DataView* duty = v->getChild(QStringLiteral("Note"));
    ASSERT_NE(duty, nullptr);
    EXPECT_EQ(duty->rowCount(), 3);
    EXPECT_EQ(duty->transObject(), &db());
    EXPECT_EQ(v->getChild(QStringLiteral("note")), duty) << "the same child each time";
    EXPECT_EQ(v->displayText(1, QStringLiteral("note")), QStringLiteral("副楼长"));
    EXPECT_EQ(v->displayText(2, QStringLiteral("note")), QStringLiteral("99"));
    EXPECT_EQ(v->lookupDisplay(QStringLiteral("note"), QStringLiteral("51")), QStringLiteral("楼长"));

    // The window narrows the list: only duty codes beginning with 5.
    ASSERT_EQ(duty->setFilter(QStringLiteral("Tcode like '5%'")), 1);
    ASSERT_EQ(duty->filter(), 1);
    EXPECT_EQ(columnTexts(*duty, QStringLiteral("tname")), QStringList({"楼长", "副楼长"}));
}

TEST_P(DataViewChild, NewListNameGivesANewChild)
{
    auto v = form();
    DataView* duty = v->getChild(QStringLiteral("note"));
    ASSERT_NE(duty, nullptr);
    ASSERT_EQ(v->modify(QStringLiteral("note.dddw.name='dddw_ge_roomtype'")), QString());
    DataView* rooms = v->getChild(QStringLiteral("note"));
    ASSERT_NE(rooms, nullptr);
    EXPECT_EQ(rooms->name(), QStringLiteral("dddw_ge_roomtype"));
    EXPECT_EQ(columnTexts(*rooms, QStringLiteral("tname")), QStringList({"楼房", "平房", "地下室"}));
    addRow(*v, {{"note", "02"}});
    EXPECT_EQ(v->displayText(1, QStringLiteral("note")), QStringLiteral("平房"));
    ASSERT_EQ(v->modify(QStringLiteral("note.dddw.name='dddw_ge_roomtype'")), QString());
    EXPECT_EQ(v->getChild(QStringLiteral("note")), rooms) << "the same name keeps the list";
}

TEST_P(DataViewChild, ListFilledByTheWindowFollowsItsRows)
{
    auto v = form();
    ASSERT_EQ(v->modify(QStringLiteral("unitno.dddw.displaycolumn='unitname1' unitno.dddw.datacolumn=unitno "
                                       "unitno.dddw.name='dddw_ge_buildingunit'")),
              QString());
    DataView* units = v->getChild(QStringLiteral("unitno"));
    ASSERT_NE(units, nullptr);
    EXPECT_EQ(units->rowCount(), 0) << "a list without a query is not retrieved";
    addRow(*v, {{"unitno", 2}});
    EXPECT_EQ(v->displayText(1, QStringLiteral("unitno")), QStringLiteral("2"));
    units->reset();
    for (int i = 1; i <= 2; ++i) {
        const int r = units->insertRow(0);
        units->setItem(r, QStringLiteral("unitno"), i);
        units->setItem(r, QStringLiteral("unitname1"), QStringLiteral("%1单元").arg(i));
    }
    EXPECT_EQ(v->displayText(1, QStringLiteral("unitno")), QStringLiteral("2单元"));
    EXPECT_EQ(units->find(QStringLiteral("unitname1=") + DataView::quote(QStringLiteral("1单元")), 1, units->rowCount()), 1);
}

TEST_P(DataViewChild, ColumnWithoutListHasNoChild)
{
    auto v = form();
    EXPECT_EQ(v->getChild(QStringLiteral("area")), nullptr);
    EXPECT_EQ(v->getChild(QStringLiteral("nosuch")), nullptr);
    ASSERT_EQ(v->modify(QStringLiteral("area.dddw.name='d_not_registered'")), QString());
    EXPECT_EQ(v->getChild(QStringLiteral("area")), nullptr);
}

INSTANTIATE_ENGINES(DataViewChild);

} // namespace
} // namespace cr::test
