#include "dataview_test_support.h"
#include "frame/fault.h"

#include <gtest/gtest.h>

namespace cr::test {
namespace {

DataViewDef formDef()
{
    DataViewDef d = houseDef();
    for (ColumnDef& c : d.columns) {
        if (c.name == QLatin1String("note")) c.background = QStringLiteral("16777215");
        if (c.name == QLatin1String("housenumber")) {
            c.background = QStringLiteral("13434828");
            c.tag = QStringLiteral("1");
            c.tabOrder = 30;
        }
        if (c.name == QLatin1String("building")) {
            c.edit = EditStyle::DropDown;
            c.dropDown = {QStringLiteral("dddw_ge_building"), QStringLiteral("name"), QStringLiteral("bno"), 0, 0, false, true};
        }
    }
    return d;
}

struct DescribeCase {
    const char* modify;     // applied first ("" for none)
    const char* describe;
    const char* expected;
};

class DescribeAfterModify : public ::testing::TestWithParam<DescribeCase> {};

TEST_P(DescribeAfterModify, ReadsBackWhatWasSet)
{
    const DescribeCase& c = GetParam();
    DataView v(formDef());
    if (*c.modify) ASSERT_EQ(v.modify(QString::fromUtf8(c.modify)), QString()) << c.modify;
    EXPECT_EQ(v.describe(QString::fromUtf8(c.describe)).toStdString(), std::string(c.expected)) << c.modify;
}

INSTANTIATE_TEST_SUITE_P(
    Properties, DescribeAfterModify,
    ::testing::Values(
        DescribeCase{"", "note.Background.Color", "16777215"},
        DescribeCase{"", "HouseNumber.background.color housenumber.tag", "13434828\n1"},
        DescribeCase{"note.Background.Color='14474460'", "note.background.color", "14474460"},
        DescribeCase{"note.background.color=12514815", "NOTE.BACKGROUND.COLOR", "12514815"},
        DescribeCase{"housenumber.Tag=''", "housenumber.tag", ""},
        DescribeCase{"floorno.tag='1-'", "floorno.Tag", "1-"},
        DescribeCase{"note.tag = '1'  floorno.tag='x'", "note.tag floorno.tag", "1\nx"},
        DescribeCase{"note.TabSequence=0", "note.tabsequence", "0"},
        DescribeCase{"", "housenumber.TabSequence", "30"},
        DescribeCase{"", "building.dddw.name building.dddw.displaycolumn building.dddw.datacolumn",
                     "dddw_ge_building\nname\nbno"},
        DescribeCase{"floorno.dddw.name=dddw_ge_floorno floorno.dddw.displaycolumn=floorno", "floorno.dddw.name",
                     "dddw_ge_floorno"},
        DescribeCase{"unitno.dddw.limit=0 unitno.dddw.Lines=6", "unitno.dddw.limit unitno.dddw.lines", "0\n6"},
        DescribeCase{"unitno.dddw.allowedit=no unitno.dddw.vscrollbar=Yes",
                     "unitno.dddw.allowedit unitno.dddw.vscrollbar", "no\nyes"},
        DescribeCase{"unitno.dddw.allowedit=Yes unitno.dddw.vscrollbar=No",
                     "unitno.dddw.allowedit unitno.dddw.vscrollbar", "yes\nno"},
        DescribeCase{"DataWindow.ReadOnly=true", "datawindow.readonly", "yes"},
        DescribeCase{"", "DataWindow.ReadOnly", "no"},
        DescribeCase{"", "area.coltype born.coltype note.name", "decimal\ndate\nnote"},
        DescribeCase{"", "nosuch.tag", "!"}, DescribeCase{"", "note.nosuch", "!"}, DescribeCase{"", "note", "!"},
        DescribeCase{"", "", "!"}, DescribeCase{"", "Evaluate('1 + 2', 0)", "3"},
        DescribeCase{"", "evaluate('rgb(220,220,220)', 0)", "14474460"},
        DescribeCase{"", "Evaluate('nosuch + 1', 0)", "!"}));

// A refused setting is a fault of the program that wrote it (a misspelt
// column such as "floorhousenum"): it is reported, so the suite catches it.
TEST(Modify, RefusesAnyBadSettingChangesNothingAndReportsAFault)
{
    DataView v(formDef());
    FaultCollector faults;
    const char* bad[] = {"nosuch.tag='1'", "note.nosuch='1'", "note.tabsequence=x", "note.tabsequence=-1",
                         "note.dddw.lines=many", "note.dddw.allowedit=maybe", "note.background.color='rgb('",
                         "DataWindow.ReadOnly=perhaps", "DataWindow.Color=1", "note.tag"};
    for (const char* text : bad) {
        EXPECT_NE(v.modify(QString::fromUtf8(text)), QString()) << text;
        EXPECT_EQ(faults.take().size(), 1) << text;
    }
    EXPECT_NE(v.modify(QStringLiteral("note.tag='changed' note.tabsequence=x")), QString());
    EXPECT_EQ(v.describe(QStringLiteral("note.tag")), QString()) << "the good setting before the bad one is not made";
    EXPECT_FALSE(v.isReadOnly());
    EXPECT_EQ(v.setTabOrder(QStringLiteral("nosuch"), 0), -1);
    EXPECT_EQ(faults.take().size(), 2);
    ASSERT_EQ(v.modify(QStringLiteral("note.tag='1'")), QString());
    EXPECT_TRUE(faults.take().isEmpty()) << "a good setting is no fault";
}

TEST(Modify, ConditionalBackgroundIsEvaluatedPerRow)
{
    DataView v(formDef());
    v.insertRow(0);
    v.insertRow(0);
    v.setRow(2);
    const int note = v.columnIndex(QStringLiteral("note"));
    EXPECT_EQ(v.backgroundColor(1, note), 16777215);
    ASSERT_EQ(v.modify(QStringLiteral("note.background.color='15923442~tif(currentRow()=getrow(),RGB(217,185,216),RGB(242,248,242))'")),
              QString());
    EXPECT_EQ(v.backgroundColor(1, note), 15923442);
    EXPECT_EQ(v.backgroundColor(2, note), 14203353);
    v.setRow(1);
    EXPECT_EQ(v.backgroundColor(1, note), 14203353);
    EXPECT_FALSE(v.backgroundColor(1, v.columnIndex(QStringLiteral("area"))).has_value()) << "no colour set";
}

TEST(Properties, TabOrderReadOnlyAndReset)
{
    DataView v(formDef());
    EXPECT_EQ(v.setTabOrder(QStringLiteral("HouseNumber"), 0), 30);
    EXPECT_EQ(v.tabOrder(QStringLiteral("housenumber")), 0);
    EXPECT_EQ(v.property(QStringLiteral("housenumber"), QStringLiteral("TabSequence")), QStringLiteral("0"));
    ASSERT_EQ(v.modify(QStringLiteral("housenumber.tag='' note.background.color='1' DataWindow.ReadOnly=yes")), QString());
    EXPECT_TRUE(v.isReadOnly());
    v.insertRow(0);
    EXPECT_EQ(v.userEdit(1, QStringLiteral("note"), QStringLiteral("x")), -1) << "read-only view refuses typing";
    EXPECT_EQ(v.setItem(1, QStringLiteral("note"), QStringLiteral("x")), 1) << "scripts still write";

    v.resetProperties();
    EXPECT_EQ(v.tabOrder(QStringLiteral("housenumber")), 30);
    EXPECT_EQ(v.describe(QStringLiteral("housenumber.tag note.background.color")), QStringLiteral("1\n16777215"));
    EXPECT_FALSE(v.isReadOnly());
}

TEST(Properties, PropertiesChangedNamesTheColumn)
{
    DataView v(formDef());
    QStringList changed;
    QObject::connect(&v, &DataView::propertiesChanged, [&](const QString& c) { changed << c; });
    v.modify(QStringLiteral("note.tag='1' DataWindow.ReadOnly=no"));
    v.setTabOrder(QStringLiteral("area"), 5);
    EXPECT_EQ(changed, QStringList({"note", "", "area"}));
}

TEST(Lookups, CodeListsShowTheirTextsAndFormatsApply)
{
    DataViewDef d = formDef();
    for (ColumnDef& c : d.columns)
        if (c.name == QLatin1String("note")) {
            c.edit = EditStyle::CodeList;
            c.values = {{QStringLiteral("是"), QStringLiteral("1")}, {QStringLiteral("否"), QStringLiteral("0")}};
        }
    DataView v(d);
    addRow(v, {{"note", "1"}, {"area", 1234.5}, {"born", QDate(2001, 2, 3)}});
    addRow(v, {{"note", "7"}});
    EXPECT_EQ(v.displayText(1, QStringLiteral("note")), QStringLiteral("是"));
    EXPECT_EQ(v.displayText(2, QStringLiteral("note")), QStringLiteral("7")) << "unknown codes show as they are";
    EXPECT_EQ(v.displayText(1, QStringLiteral("area")), QStringLiteral("1,234.50"));
    EXPECT_EQ(v.displayText(2, QStringLiteral("area")), QString());
    EXPECT_EQ(v.displayText(1, QStringLiteral("born")), QStringLiteral("2001-02-03"));
    EXPECT_EQ(v.displayText(2, QStringLiteral("rowno")), QStringLiteral("2"));
    EXPECT_EQ(v.lookupDisplay(QStringLiteral("note"), QStringLiteral("0")), QStringLiteral("否"));
    EXPECT_EQ(v.getChild(QStringLiteral("note")), nullptr) << "a code list has no child view";
    EXPECT_EQ(v.getChild(QStringLiteral("area")), nullptr);
}

TEST(Cursor, RowFocusEventsAndFocusRequests)
{
    DataView v(formDef());
    for (int i = 0; i < 3; ++i) v.insertRow(0);
    QList<int> focus;
    v.events().rowFocusChanged = [&](int row) { focus << row; };
    QStringList requested;
    QObject::connect(&v, &DataView::focusRequested, [&](const QString& c) { requested << c; });
    EXPECT_EQ(v.setRow(2), 1);
    EXPECT_EQ(v.setRow(2), 1) << "no move, no event";
    EXPECT_EQ(v.setRow(4), -1);
    EXPECT_EQ(v.scrollToRow(99), 1) << "scrolls to the last row";
    EXPECT_EQ(v.getRow(), 3);
    EXPECT_EQ(focus, QList<int>({2, 3}));
    EXPECT_EQ(v.setColumn(QStringLiteral("HouseNumber")), 1);
    EXPECT_EQ(v.getColumnName(), QStringLiteral("housenumber"));
    EXPECT_EQ(v.setColumn(QStringLiteral("nosuch")), -1);
    v.setFocus();
    EXPECT_EQ(requested, QStringList({"housenumber", "housenumber"}));
}

} // namespace
} // namespace cr::test
