#include "frame/property_expr.h"

#include <gtest/gtest.h>

namespace cr {
namespace {

struct ModifyCase {
    const char* text;
    QList<PropertySetting> settings;
};

void PrintTo(const PropertySetting& s, std::ostream* os)
{
    *os << s.object.toStdString() << "." << s.path.toStdString() << "=[" << s.value.toStdString() << "]";
}

class ModifyForms : public ::testing::TestWithParam<ModifyCase> {};

TEST_P(ModifyForms, ParsesEverySetting)
{
    const ModifyCase& c = GetParam();
    QList<PropertySetting> settings;
    QString error;
    ASSERT_TRUE(PropertyExpr::parseModify(QString::fromUtf8(c.text), &settings, &error)) << c.text << ": " << error.toStdString();
    EXPECT_EQ(settings, c.settings) << c.text;
}

// The forms the windows write, as they write them.
INSTANTIATE_TEST_SUITE_P(
    Windows, ModifyForms,
    ::testing::Values(
        ModifyCase{"personname.Background.Color='14474460'", {{"personname", "background.color", "14474460"}}},
        ModifyCase{"housenum.Tag='1'", {{"housenum", "tag", "1"}}},
        ModifyCase{"housenum.Tag=''", {{"housenum", "tag", ""}}},
        ModifyCase{"floorno.tag='1-'", {{"floorno", "tag", "1-"}}},
        ModifyCase{"buildingmodel.tag = '1'", {{"buildingmodel", "tag", "1"}}},
        ModifyCase{"regionalno.TabSequence=0", {{"regionalno", "tabsequence", "0"}}},
        ModifyCase{"unitname1.dddw.name='dddw_ge_buildingunit'", {{"unitname1", "dddw.name", "dddw_ge_buildingunit"}}},
        ModifyCase{"floorno.dddw.name=dddw_ge_floorno", {{"floorno", "dddw.name", "dddw_ge_floorno"}}},
        ModifyCase{"unitname1.dddw.limit=0", {{"unitname1", "dddw.limit", "0"}}},
        ModifyCase{"unitname1.dddw.allowedit=no", {{"unitname1", "dddw.allowedit", "no"}}},
        ModifyCase{"housenumber.dddw.vscrollbar=Yes", {{"housenumber", "dddw.vscrollbar", "Yes"}}},
        ModifyCase{"unitname1.dddw.Lines=6", {{"unitname1", "dddw.lines", "6"}}},
        ModifyCase{"DataWindow.ReadOnly=true", {{"datawindow", "readonly", "true"}}}));

INSTANTIATE_TEST_SUITE_P(
    Quoting, ModifyForms,
    ::testing::Values(
        ModifyCase{"a.tag='1' b.Tag=\"2\"  c.tag=3", {{"a", "tag", "1"}, {"b", "tag", "2"}, {"c", "tag", "3"}}},
        ModifyCase{"note.tag='it''s ~'quoted~''", {{"note", "tag", "it's 'quoted'"}}},
        ModifyCase{"note.tag='with blanks inside'", {{"note", "tag", "with blanks inside"}}},
        ModifyCase{"note.background.color='16777215~tif(getrow()=1,255,0)'",
                   {{"note", "background.color", "16777215\tif(getrow()=1,255,0)"}}},
        ModifyCase{"  note.tag  =  x  ", {{"note", "tag", "x"}}}));

TEST(ModifyErrors, RefusesMalformedTextWithAMessage)
{
    for (const char* text : {"", "   ", "note", "note=1", "note.tag", "note.tag 1", "note.tag='open", ".tag=1",
                             "note.=1", "note.tag='a'b", "=1"}) {
        QList<PropertySetting> settings;
        QString error;
        EXPECT_FALSE(PropertyExpr::parseModify(QString::fromUtf8(text), &settings, &error)) << text;
        EXPECT_FALSE(error.isEmpty()) << text;
        EXPECT_TRUE(settings.isEmpty()) << text;
    }
}

TEST(Describe, SplitsItemsAndReadsReferences)
{
    EXPECT_EQ(PropertyExpr::splitDescribe(QStringLiteral("  note.Background.Color   address.tag ")),
              QStringList({"note.Background.Color", "address.tag"}));
    EXPECT_EQ(PropertyExpr::splitDescribe(QStringLiteral("Evaluate('sum(a for all)', 0) a.tag")),
              QStringList({"Evaluate('sum(a for all)', 0)", "a.tag"}));
    QString object, path;
    EXPECT_TRUE(PropertyExpr::parseReference(QStringLiteral("Note.Background.Color"), &object, &path));
    EXPECT_EQ(object, QStringLiteral("note"));
    EXPECT_EQ(path, QStringLiteral("background.color"));
    EXPECT_FALSE(PropertyExpr::parseReference(QStringLiteral("note"), &object, &path));
    EXPECT_FALSE(PropertyExpr::parseReference(QStringLiteral("note.tag=1"), &object, &path));

    QString expression;
    int row = -1;
    EXPECT_TRUE(PropertyExpr::parseEvaluate(QStringLiteral("evaluate('if(a = ~'x~', 1, 2)', 3)"), &expression, &row));
    EXPECT_EQ(expression, QStringLiteral("if(a = 'x', 1, 2)"));
    EXPECT_EQ(row, 3);
    EXPECT_FALSE(PropertyExpr::parseEvaluate(QStringLiteral("evaluate('x')"), &expression, &row));
}

} // namespace
} // namespace cr
