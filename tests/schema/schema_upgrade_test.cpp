#include "schema/schema.h"
#include "schema/schema_baseline.h"
#include "schema/upgrade_steps.h"
#include "support/test_db.h"

namespace cr::test {
namespace {

// Databases as an earlier release left them: the version-1 layout with rows.
class SchemaUpgradeTest : public DbTest {
protected:
    bool wantsSchema() const override { return false; }

    void createVersion1WithRows()
    {
        QString error;
        ASSERT_TRUE(db().begin());
        ASSERT_TRUE(schema::createBaseline(db(), &error)) << error.toStdString();
        ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_regionalmanage (commno, regionalname) VALUES ('c', '第一责任区')")));
        ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_building (commno, buildingname, roomtype) VALUES ('c', '3号楼', '01')")));
        ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_personinfo (personno, personname, idcard) "
                                                "VALUES ('P1', '李四', '110105198001010013')")));
        ASSERT_TRUE(db().commit());
        ASSERT_EQ(schema::version(db()), 1);
    }

    void expectRowsSurvived()
    {
        EXPECT_EQ(db().selectValue(QStringLiteral("SELECT regionalname FROM tc_ge_regionalmanage")).toString(),
                  QStringLiteral("第一责任区"));
        EXPECT_EQ(db().selectValue(QStringLiteral("SELECT buildingname FROM tc_ge_building")).toString(), QStringLiteral("3号楼"));
        EXPECT_EQ(db().selectValue(QStringLiteral("SELECT personname FROM tc_ge_personinfo WHERE idcard = :id"),
                                   {{QStringLiteral("id"), QStringLiteral("110105198001010013")}}).toString(),
                  QStringLiteral("李四"));
    }
};

TEST_P(SchemaUpgradeTest, StepsBringAVersion1DatabaseUpToDateKeepingItsRows)
{
    ASSERT_GT(schema::currentVersion(), 1) << "the upgrade path needs at least one step to be exercised";
    createVersion1WithRows();
    QString error;
    ASSERT_TRUE(schema::upgrade(db(), &error)) << error.toStdString();
    EXPECT_EQ(schema::version(db()), schema::currentVersion());
    EXPECT_FALSE(db().inTransaction());
    expectRowsSurvived();
    // The step's index is there: making it again is refused.
    EXPECT_FALSE(db().execute(QStringLiteral("CREATE INDEX ix_personinfo_name ON tc_ge_personinfo (personname)")));
    db().rollback();
}

// A building's houses in the batch grid's order come straight from the door
// index, on a new registry and on an upgraded one alike: no sorting step.
TEST_P(SchemaUpgradeTest, ABuildingsHousesAreReadInGridOrderWithoutSorting)
{
    if (db().dialect().engine() != Engine::Sqlite) GTEST_SKIP() << "the plan is read the way SQLite shows it";
    auto sortsTheRows = [&] {
        auto plan = db().selectRaw(QStringLiteral("EXPLAIN QUERY PLAN SELECT houseno, housearea FROM tc_ge_houseinfo "
                                                  "WHERE buildingno = 1 ORDER BY unitno, floorno, housenumber"));
        QStringList steps;
        while (plan && plan->next()) steps << plan->value(3).toString();
        EXPECT_FALSE(steps.isEmpty());
        return steps.join(QLatin1Char('\n')).contains(QStringLiteral("TEMP B-TREE"));
    };
    createVersion1WithRows();
    EXPECT_TRUE(sortsTheRows()) << "version 1 sorted them";
    QString error;
    ASSERT_TRUE(schema::upgrade(db(), &error)) << error.toStdString();
    EXPECT_FALSE(sortsTheRows());
}

TEST_P(SchemaUpgradeTest, UpgradingACurrentDatabaseChangesNothing)
{
    QString error;
    ASSERT_TRUE(schema::create(db(), &error)) << error.toStdString();
    const int codes = db().selectValue(QStringLiteral("SELECT COUNT(*) FROM tc_codelist")).toInt();
    ASSERT_TRUE(schema::upgrade(db(), &error)) << error.toStdString();
    ASSERT_TRUE(schema::upgrade(db(), &error)) << error.toStdString();
    EXPECT_EQ(schema::version(db()), schema::currentVersion());
    EXPECT_EQ(db().selectValue(QStringLiteral("SELECT COUNT(*) FROM tc_codelist")).toInt(), codes);
}

TEST_P(SchemaUpgradeTest, AFailingStepLeavesTheDatabaseAtItsLastGoodVersion)
{
    createVersion1WithRows();
    // The table the step indexes is not where it expects it.
    ASSERT_TRUE(db().executeRaw(QStringLiteral("ALTER TABLE tc_ge_personinfo RENAME TO personinfo_aside")));
    ASSERT_TRUE(db().commit());
    QString error;
    EXPECT_FALSE(schema::upgrade(db(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("升级到版本 2 失败"))) << error.toStdString();
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(schema::version(db()), 1);
    ASSERT_TRUE(db().executeRaw(QStringLiteral("ALTER TABLE personinfo_aside RENAME TO tc_ge_personinfo")));
    ASSERT_TRUE(db().commit());
    expectRowsSurvived();
}

// A version recorded behind the real structure (a database restored by hand,
// a settings row copied from an older one): the steps meet their changes
// already made and pass over them.
TEST_P(SchemaUpgradeTest, AVersionBehindTheStructureIsBroughtUpToDate)
{
    QString error;
    ASSERT_TRUE(schema::create(db(), &error)) << error.toStdString();
    ASSERT_TRUE(schema::setSetting(db(), QStringLiteral("schema_version"), QStringLiteral("1")));
    ASSERT_TRUE(db().commit());
    ASSERT_TRUE(schema::upgrade(db(), &error)) << error.toStdString();
    EXPECT_EQ(schema::version(db()), schema::currentVersion());
    EXPECT_FALSE(db().inTransaction());
}

TEST_P(SchemaUpgradeTest, RefusesDatabasesItCannotUpgrade)
{
    QString error;
    EXPECT_FALSE(schema::upgrade(db(), &error));    // no registry layout at all
    EXPECT_FALSE(error.isEmpty());

    ASSERT_TRUE(schema::create(db(), &error)) << error.toStdString();
    ASSERT_TRUE(schema::setSetting(db(), QStringLiteral("schema_version"), QString::number(schema::currentVersion() + 1)));
    ASSERT_TRUE(db().commit());
    error.clear();
    EXPECT_FALSE(schema::upgrade(db(), &error));    // written by a newer program
    EXPECT_TRUE(error.contains(QString::number(schema::currentVersion() + 1))) << error.toStdString();
}

TEST(SchemaUpgradeSteps, AreNumberedInOrderFromVersion2)
{
    int expected = 2;
    for (const schema::UpgradeStep& step : schema::upgradeSteps()) EXPECT_EQ(step.version, expected++);
    EXPECT_EQ(schema::currentVersion(), expected - 1);
}

INSTANTIATE_ENGINES(SchemaUpgradeTest);

} // namespace
} // namespace cr::test
