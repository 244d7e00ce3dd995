#include "schema/schema.h"
#include "schema/schema_baseline.h"
#include "schema/schema_catalog.h"
#include "support/test_db.h"

namespace cr::test {
namespace {

class SchemaCreateTest : public DbTest {};

class EmptyDatabaseTest : public DbTest {
protected:
    bool wantsSchema() const override { return false; }
};

int count(Sqlca& db, const QString& sql)
{
    const QVariant v = db.selectValue(sql);
    return db.sqlCode() == Sqlca::Success ? v.toInt() : -1;
}

TEST_P(SchemaCreateTest, EveryTableAndViewIsThereAndEmpty)
{
    for (const schema::TableDecl& t : schema::registryTables())
        EXPECT_EQ(count(db(), QStringLiteral("SELECT COUNT(*) FROM %1").arg(t.name)), 0) << t.name.toStdString();
    for (const schema::ViewDecl& v : schema::baselineViews())
        EXPECT_EQ(count(db(), QStringLiteral("SELECT COUNT(*) FROM %1").arg(v.name)), 0) << v.name.toStdString();
    EXPECT_EQ(schema::version(db()), schema::currentVersion());
    EXPECT_EQ(schema::setting(db(), QStringLiteral("commno")), schema::defaultCommNo());
    EXPECT_EQ(db().commNo(), schema::defaultCommNo());
    EXPECT_FALSE(db().inTransaction());
}

TEST_P(SchemaCreateTest, MixedCaseAndLowerCaseNamesMeanTheSameObjects)
{
    ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO TC_GE_Building (CommNo, BuildingName, RoomType, UpFloorNum) "
                                            "VALUES (:c, :n, '01', 6)"),
                             {{QStringLiteral("c"), db().commNo()}, {QStringLiteral("n"), QStringLiteral("3号楼")}}))
        << db().sqlErrText().toStdString();
    EXPECT_EQ(db().selectValue(QStringLiteral("select buildingname from tc_ge_building where upfloornum = 6")).toString(),
              QStringLiteral("3号楼"));
    EXPECT_EQ(db().selectValue(QStringLiteral("SELECT Count(*) FROM TC_GE_Building WHERE BuildingName = :name"),
                               {{QStringLiteral("name"), QStringLiteral("3号楼")}}).toInt(),
              1);
    EXPECT_EQ(count(db(), QStringLiteral("SELECT COUNT(*) FROM V_TC_GE_PersonInfo")), 0);
    db().rollback();
}

TEST_P(SchemaCreateTest, SecondCreateFailsCleanlyAndLeavesTheFirstIntact)
{
    ASSERT_TRUE(schema::setSetting(db(), QStringLiteral("commno"), QStringLiteral("110105002003")));
    ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_regionalmanage (commno, regionalname) VALUES ('x', '第一责任区')")));
    ASSERT_TRUE(db().commit());
    const int codes = count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_codelist"));

    QString error;
    EXPECT_FALSE(schema::create(db(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(db().inTransaction());

    EXPECT_EQ(count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_codelist")), codes);
    EXPECT_EQ(count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_regionalmanage")), 1);
    EXPECT_EQ(schema::setting(db(), QStringLiteral("commno")), QStringLiteral("110105002003"));
    EXPECT_EQ(schema::version(db()), schema::currentVersion());
}

TEST_P(EmptyDatabaseTest, CreateThatFailsHalfwayLeavesNothingBehind)
{
    // Something no table list shows makes creation fail late: on PostgreSQL a
    // type holding the name of the last registry table, on SQLite a file
    // that may not grow past a few pages.
    if (GetParam() == Engine::Postgres)
        ASSERT_TRUE(db().executeRaw(QStringLiteral("CREATE TYPE tc_ge_punishrecord AS (x INTEGER)")));
    else
        ASSERT_TRUE(db().selectRaw(QStringLiteral("PRAGMA max_page_count = 20")));
    ASSERT_TRUE(db().commit());

    QString error;
    EXPECT_FALSE(schema::create(db(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("未做任何修改"))) << error.toStdString();

    EXPECT_EQ(count(db(), QStringLiteral("SELECT COUNT(*) FROM cr_settings")), -1);
    EXPECT_EQ(count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_ge_building")), -1);
    EXPECT_EQ(count(db(), QStringLiteral("SELECT COUNT(*) FROM tc_codelist")), -1);
    EXPECT_EQ(schema::version(db()), 0);
}

// A table with a registry name but no registry around it belongs to
// something else: refused before anything is written, and kept as it was.
TEST_P(EmptyDatabaseTest, AStrayTableWithARegistryNameIsRefusedUpFront)
{
    ASSERT_TRUE(db().execute(QStringLiteral("CREATE TABLE tc_ge_punishrecord (x INTEGER)")));
    ASSERT_TRUE(db().commit());
    QString error;
    EXPECT_FALSE(schema::create(db(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("不是社区登记库"))) << error.toStdString();
    EXPECT_EQ(count(db(), QStringLiteral("SELECT COUNT(*) FROM cr_settings")), -1);
    EXPECT_EQ(count(db(), QStringLiteral("SELECT COUNT(x) FROM tc_ge_punishrecord")), 0);
}

TEST_P(EmptyDatabaseTest, CreateRefusesToRunInsideAPendingUnitOfWork)
{
    ASSERT_TRUE(db().execute(QStringLiteral("CREATE TABLE scratch (x INTEGER)")));
    QString error;
    EXPECT_FALSE(schema::create(db(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(db().inTransaction());   // the caller's work is not rolled back behind its back
    db().rollback();
}

INSTANTIATE_ENGINES(SchemaCreateTest);
INSTANTIATE_ENGINES(EmptyDatabaseTest);

} // namespace
} // namespace cr::test
