#include "areas_buildings/areas_buildings_views.h"
#include "areas_buildings/building_layout.h"
#include "frame/field_states.h"
#include "form_states.h"
#include "frame/view_catalog.h"

#include <gtest/gtest.h>
#include <memory>

namespace cr::test {
namespace {

using areas_buildings::BuildingLayout;
using cr::FieldStates;

const QStringList kCounting = {"upfloornum", "unitnum", "prepare3", "floorhouesnum"};
const QStringList kBungalowFacts = {"housenum", "istoilet", "iswaterdispart", "isammeterdispart"};

// A building form holding one new row, in the layout the form is designed with.
class BuildingLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        areas_buildings::registerViews(m_catalog);
        reset();
    }

    void reset()
    {
        const DataViewDef* def = m_catalog.find(QStringLiteral("d_ge_building_f"));
        ASSERT_NE(def, nullptr);
        form = std::make_unique<DataView>(*def);
        ASSERT_EQ(form->insertRow(0), 1);
        states = std::make_unique<FieldStates>(*form);
        states->readColours(QStringLiteral("address"), QStringLiteral("note"));
        layout = std::make_unique<BuildingLayout>(*form, *states);
    }

    QStringList statesOf(const QStringList& columns) const
    {
        QStringList out;
        for (const QString& c : columns) out << fieldState(*form, c);
        return out;
    }

    // upfloornum/unitnum/prepare3/floorhouesnum as "6/2/单元/2", null as "-".
    QString counts() const
    {
        QStringList out;
        for (const QString& c : kCounting) {
            const QVariant v = form->getItem(1, c);
            out << (v.isNull() ? QStringLiteral("-") : v.toString());
        }
        return out.join(u'/');
    }

    void load(const QString& kind, const QString& use, bool adding)
    {
        form->setItem(1, QStringLiteral("roomtype"), kind);
        form->setItem(1, QStringLiteral("buildinguse"), use);
        layout->applyUseOnLoad(use);
        layout->applyKindOnLoad(1, kind, adding);
    }

    ViewCatalog m_catalog;
    std::unique_ptr<DataView> form;
    std::unique_ptr<FieldStates> states;
    std::unique_ptr<BuildingLayout> layout;
};

TEST_F(BuildingLayoutTest, ReferenceColoursComeFromTheForm)
{
    EXPECT_EQ(states->requiredColour(), form->describe(QStringLiteral("address.Background.Color")));
    EXPECT_EQ(states->optionalColour(), form->describe(QStringLiteral("note.Background.Color")));
    EXPECT_EQ(states->greyColour(), QStringLiteral("14474460"));
}

TEST_F(BuildingLayoutTest, LoadingFollowsUseThenKind)
{
    struct Case {
        const char* what;
        QString kind, use;
        bool adding;
        QVariant floors;
        QStringList counting;   // upfloornum, unitnum, prepare3, floorhouesnum
        QStringList facts;      // housenum, istoilet, iswaterdispart, isammeterdispart
        QString floorsAfter;
    };
    const QStringList factsOptional = {"optional 140", "optional 150", "optional 160", "optional 170"};
    const QStringList factsRequired = {"required 140", "required 150", "required 160", "required 170"};
    const QStringList bungalow = {"locked 0", "locked 0", "locked 0", "optional 110"};
    const QStringList storeys = {"required 80", "required 100", "required 110", "required 120"};
    const QList<Case> cases = {
        {"multi-storey keeps the design", "01", "", true, QVariant(), storeys, factsOptional, "-"},
        {"no kind is multi-storey", "", "", false, 5, storeys, factsOptional, "5"},
        {"use 09 frees the counts", "01", "09", false, 6,
         {"optional 80", "optional 100", "required 110", "optional 120"}, factsOptional, "6"},
        {"new bungalow gets one floor", "02", "", true, QVariant(), bungalow, factsRequired, "1"},
        {"stored bungalow keeps no floors", "02", "", false, QVariant(), bungalow, factsRequired, "-"},
        {"stored bungalow with 3 floors", "02", "", false, 3, bungalow, factsRequired, "1"},
        {"bungalow with one floor", "02", "", false, 1, bungalow, factsRequired, "1"},
        {"kind wins over use 09", "02", "09", true, 2, bungalow, factsRequired, "1"},
        {"basement", "03", "", false, 0, {"optional 80", "locked 0", "locked 0", "locked 0"}, factsOptional, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        reset();
        form->setItem(1, QStringLiteral("upfloornum"), c.floors);
        load(c.kind, c.use, c.adding);
        EXPECT_EQ(statesOf(kCounting), c.counting);
        EXPECT_EQ(statesOf(kBungalowFacts), c.facts);
        EXPECT_EQ(counts().section(u'/', 0, 0), c.floorsAfter);
    }
}

TEST_F(BuildingLayoutTest, UseChangesOnEachKind)
{
    struct Case {
        QString kind;
        QStringList uses;      // applied one after another
        QStringList states;    // upfloornum, unitnum, floorhouesnum after the last
    };
    const QList<Case> cases = {
        {"01", {"09"}, {"optional 80", "optional 100", "optional 110"}},
        {"01", {"09", "01"}, {"required 80", "required 100", "required 110"}},
        {"02", {"01"}, {"locked 0", "locked 0", "optional 110"}},
        {"02", {"09", "01"}, {"grey 80", "locked 0", "optional 110"}},
        {"03", {"09", "01"}, {"optional 80", "optional 100", "optional 110"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.kind + QStringLiteral(" ") + c.uses.join(u',')).toStdString());
        reset();
        load(c.kind, QString(), false);
        for (const QString& use : c.uses) layout->useChanged(use, c.kind);
        EXPECT_EQ(statesOf({"upfloornum", "unitnum", "floorhouesnum"}), c.states);
    }
}

} // namespace
} // namespace cr::test
