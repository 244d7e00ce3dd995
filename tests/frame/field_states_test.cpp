// The named looks of a form field: what each writes, where the colours come
// from, and that a misspelt column is caught.

#include "dataview_test_support.h"
#include "frame/colors.h"
#include "frame/fault.h"
#include "frame/field_states.h"

#include <gtest/gtest.h>

namespace cr::test {
namespace {

DataViewDef formWithReferences()
{
    DataViewDef d = houseDef();
    for (ColumnDef& c : d.columns) {
        if (c.name == QLatin1String("housenumber")) c.background = QStringLiteral("111");   // required look
        if (c.name == QLatin1String("note")) c.background = QStringLiteral("222");          // optional look
        if (c.name == QLatin1String("buildingname")) c.background = QStringLiteral("333");  // context look
    }
    return d;
}

TEST(FieldStates, EachLookWritesColourTagAndTabOrder)
{
    const struct {
        const char* name;
        std::function<void(FieldStates&)> apply;
        const char* colour;
        const char* tag;
        int tabOrder;
    } cases[] = {
        {"required", [](FieldStates& s) { s.required(QStringLiteral("area")); }, "111", "1", 10},
        {"required with its own tag", [](FieldStates& s) { s.required(QStringLiteral("area"), QStringLiteral("1-")); },
         "111", "1-", 10},
        {"optional", [](FieldStates& s) { s.optional(QStringLiteral("area")); }, "222", "", 10},
        {"grey", [](FieldStates& s) { s.grey(QStringLiteral("area")); }, "14474460", "", 10},
        {"locked", [](FieldStates& s) { s.locked(QStringLiteral("area")); }, "14474460", "", 0},
        {"context", [](FieldStates& s) { s.context(QStringLiteral("area")); }, "333", "", 10},
        {"required if not", [](FieldStates& s) { s.requiredIf(false, QStringLiteral("area")); }, "222", "", 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DataView form(formWithReferences());
        form.modify(QStringLiteral("area.Tag='x'"));
        FieldStates states(form);
        states.readColours(QStringLiteral("housenumber"), QStringLiteral("note"), QStringLiteral("buildingname"));
        c.apply(states);
        EXPECT_EQ(form.describe(QStringLiteral("area.Background.Color")), QString::fromLatin1(c.colour));
        EXPECT_EQ(form.describe(QStringLiteral("area.Tag")), QString::fromLatin1(c.tag));
        EXPECT_EQ(form.tabOrder(QStringLiteral("area")), c.tabOrder);
    }
}

TEST(FieldStates, ReferencesTheFormLacksKeepTheHouseColours)
{
    DataView form(houseDef());
    FieldStates states(form);
    states.readColours(QStringLiteral("nosuch"), QStringLiteral("housenumber"));   // no colour set there
    EXPECT_EQ(states.requiredColour(), colors::text(colors::required));
    EXPECT_EQ(states.optionalColour(), colors::text(colors::optional));
    EXPECT_EQ(states.contextColour(), colors::text(colors::context));
}

TEST(FieldStates, AMisspeltColumnIsAFault)
{
    DataView form(houseDef());
    FieldStates states(form);
    FaultCollector faults;
    states.required(QStringLiteral("housenumbr"));
    states.locked(QStringLiteral("flooorno"));
    const QStringList found = faults.take();
    ASSERT_EQ(found.size(), 3);   // locked is a look and a tab order
    EXPECT_TRUE(found[0].contains(QStringLiteral("housenumbr")));
}

} // namespace
} // namespace cr::test
