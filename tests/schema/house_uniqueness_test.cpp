// A house number once per building and door, whoever stores it; databases
// that already hold duplicates keep them, listed, until the office resolves them.
#include "schema/house_duplicates.h"
#include "schema/schema.h"
#include "schema/schema_baseline.h"
#include "support/test_db.h"

namespace cr::test {
namespace {

class HouseUniquenessTest : public DbTest {
protected:
    bool wantsSchema() const override { return false; }

    bool insertHouse(const QVariant& building, const QVariant& door, const QVariant& number)
    {
        return db().execute(QStringLiteral("INSERT INTO tc_ge_houseinfo (commno, buildingno, unitno, housenumber) "
                                           "VALUES ('c', :b, :d, :n)"),
                            {{"b", building}, {"d", door}, {"n", number}});
    }
    // The buildings the houses belong to.
    bool insertBuildings(std::initializer_list<int> keys)
    {
        for (int key : keys)
            if (!db().execute(QStringLiteral("INSERT INTO tc_ge_building (commno, buildingno) VALUES ('c', :b)"),
                              {{"b", key}}))
                return false;
        return db().commit();
    }
    qlonglong houses() { return db().selectValue(QStringLiteral("SELECT COUNT(*) FROM tc_ge_houseinfo")).toLongLong(); }
};

TEST_P(HouseUniquenessTest, OneNumberPerBuildingAndDoor)
{
    QString error;
    ASSERT_TRUE(schema::create(db(), &error)) << error.toStdString();
    ASSERT_TRUE(insertBuildings({1, 2})) << db().sqlErrText().toStdString();
    const QVariant none;
    const struct {
        const char* name;
        QVariant building1, door1, number1, building2, door2, number2;
        bool secondStored;
    } cases[] = {
        {"same door and number", 1, 1, "101室", 1, 1, "101室", false},
        {"no door and door 0 are one door", 1, none, "3", 1, 0, "3", false},
        {"two houses without a door", 1, none, "3", 1, none, "3", false},
        {"another door", 1, 1, "101室", 1, 2, "101室", true},
        {"another building", 1, 1, "101室", 2, 1, "101室", true},
        {"another number", 1, 1, "101室", 1, 1, "102室", true},
        {"houses without a number yet", 1, 1, none, 1, 1, none, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(db().execute(QStringLiteral("DELETE FROM tc_ge_houseinfo")));
        ASSERT_TRUE(db().commit());
        ASSERT_TRUE(insertHouse(c.building1, c.door1, c.number1)) << db().sqlErrText().toStdString();
        ASSERT_TRUE(db().commit());
        EXPECT_EQ(insertHouse(c.building2, c.door2, c.number2), c.secondStored) << db().sqlErrText().toStdString();
        if (c.secondStored) ASSERT_TRUE(db().commit());
        else ASSERT_TRUE(db().rollback());
        EXPECT_EQ(houses(), c.secondStored ? 2 : 1);
    }
}

// A database of an older release that holds a house twice: the upgrade goes
// through, deletes nothing, lists the copies and adds the index once they
// are resolved.
TEST_P(HouseUniquenessTest, UpgradeKeepsDuplicatesListedAndAddsTheIndexLater)
{
    QString error;
    ASSERT_TRUE(db().begin());
    ASSERT_TRUE(schema::createBaseline(db(), &error)) << error.toStdString();
    ASSERT_TRUE(insertBuildings({7}));
    ASSERT_TRUE(insertHouse(7, QVariant(), QStringLiteral("1")));
    ASSERT_TRUE(insertHouse(7, 0, QStringLiteral("1")));
    ASSERT_TRUE(insertHouse(7, 1, QStringLiteral("101室")));
    ASSERT_TRUE(db().commit());

    ASSERT_TRUE(schema::upgrade(db(), &error)) << error.toStdString();
    EXPECT_EQ(schema::version(db()), schema::currentVersion());
    EXPECT_EQ(houses(), 3) << "nothing deleted";
    EXPECT_EQ(schema::waitingSteps(db()).size(), 1);
    auto found = schema::duplicateHouses(db(), &error);
    ASSERT_TRUE(found.has_value()) << error.toStdString();
    ASSERT_EQ(found->size(), 1);
    EXPECT_EQ(found->first().building, 7);
    EXPECT_EQ(found->first().door, 0);
    EXPECT_EQ(found->first().number, QStringLiteral("1"));
    EXPECT_EQ(found->first().keys.size(), 2);
    EXPECT_TRUE(found->first().describe().startsWith(QStringLiteral("楼院 7，单元 0，房号 1：房屋编号 ")));
    ASSERT_TRUE(insertHouse(7, 1, QStringLiteral("101室"))) << "no index yet";
    ASSERT_TRUE(db().commit());

    // The office removes the extra copies; the next upgrade completes the step.
    ASSERT_TRUE(db().execute(QStringLiteral("DELETE FROM tc_ge_houseinfo WHERE houseno NOT IN "
                                            "(SELECT MIN(houseno) FROM tc_ge_houseinfo GROUP BY coalesce(unitno, 0))")));
    ASSERT_TRUE(db().commit());
    ASSERT_TRUE(schema::upgrade(db(), &error)) << error.toStdString();
    EXPECT_TRUE(schema::waitingSteps(db()).isEmpty());
    EXPECT_TRUE(schema::duplicateHouses(db(), nullptr)->isEmpty());
    EXPECT_FALSE(insertHouse(7, 1, QStringLiteral("101室")));
    db().rollback();
    ASSERT_TRUE(schema::upgrade(db(), &error)) << "an upgrade with nothing to do: " << error.toStdString();
}

INSTANTIATE_ENGINES(HouseUniquenessTest);

} // namespace
} // namespace cr::test
