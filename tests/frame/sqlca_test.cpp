#include "frame/bulk_load_settings.h"
#include "frame/dialect.h"
#include "support/test_db.h"

namespace cr::test {
namespace {

class SqlcaTest : public DbTest {
protected:
    bool wantsSchema() const override { return false; }
};

TEST_P(SqlcaTest, ResultCodesFollowEachStatement)
{
    ASSERT_TRUE(db().execute(QStringLiteral("CREATE TABLE t (k INTEGER, v VARCHAR(10))"))) << db().sqlErrText().toStdString();
    ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO t (k, v) VALUES (:k, :v)"),
                             {{QStringLiteral("k"), 1}, {QStringLiteral("v"), QStringLiteral("一")}}));
    EXPECT_EQ(db().sqlCode(), Sqlca::Success);
    EXPECT_EQ(db().selectValue(QStringLiteral("SELECT v FROM T WHERE K = :k"), {{QStringLiteral("k"), 1}}).toString(),
              QStringLiteral("一"));
    EXPECT_TRUE(db().selectValue(QStringLiteral("SELECT v FROM t WHERE k = :k"), {{QStringLiteral("k"), 2}}).isNull());
    EXPECT_EQ(db().sqlCode(), Sqlca::NotFound);
    EXPECT_FALSE(db().execute(QStringLiteral("INSERT INTO missing_table (k) VALUES (1)")));
    EXPECT_EQ(db().sqlCode(), Sqlca::Failure);
    EXPECT_FALSE(db().sqlErrText().isEmpty());
    db().rollback();
}

TEST_P(SqlcaTest, RollbackUndoesTheUnitOfWork)
{
    ASSERT_TRUE(db().execute(QStringLiteral("CREATE TABLE t (k INTEGER)")));
    ASSERT_TRUE(db().commit());
    ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO t (k) VALUES (:k)"), {{QStringLiteral("k"), 7}}));
    EXPECT_TRUE(db().inTransaction());
    ASSERT_TRUE(db().rollback());
    EXPECT_EQ(db().selectValue(QStringLiteral("SELECT count(*) FROM t")).toInt(), 0);
}

// The load's settings hold while it runs and go with it; they start no unit
// of work of their own, and rows written under them commit as usual.
TEST_P(SqlcaTest, BulkLoadSettingsLastForTheLoadOnly)
{
    const bool pageCache = db().dialect().engine() == Engine::Sqlite;
    auto cache = [&]() -> qlonglong {
        auto q = db().selectRaw(QStringLiteral("PRAGMA cache_size"));
        return q && q->next() ? q->value(0).toLongLong() : 0;
    };
    const qlonglong before = pageCache ? cache() : 0;
    ASSERT_TRUE(db().execute(QStringLiteral("CREATE TABLE t (k INTEGER)")));
    ASSERT_TRUE(db().commit());
    {
        const BulkLoadSettings bulk(db());
        EXPECT_FALSE(db().inTransaction());
        if (pageCache) EXPECT_LT(cache(), before) << "a larger cache is a more negative size in KiB";
        ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO t (k) VALUES (:k)"), {{QStringLiteral("k"), 1}}));
        ASSERT_TRUE(db().commit());
    }
    EXPECT_FALSE(db().inTransaction());
    if (pageCache) EXPECT_EQ(cache(), before);
    EXPECT_EQ(db().selectValue(QStringLiteral("SELECT count(*) FROM t")).toInt(), 1);
}

INSTANTIATE_ENGINES(SqlcaTest);

} // namespace
} // namespace cr::test
