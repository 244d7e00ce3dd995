#include "frame/bulk_load_settings.h"
#include "frame/dialect.h"
#include "frame/row_cursor.h"
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

// One prepared statement run again and again (the bulk writer) writes each
// run's own values: texts short and long, Chinese, empty, dates and times
// given as texts, and empty cells, never a text of an earlier run.
TEST_P(SqlcaTest, APreparedStatementRunAgainWritesEachRunsOwnValues)
{
    ASSERT_TRUE(db().execute(QStringLiteral("CREATE TABLE t (k INTEGER, a VARCHAR(200), b VARCHAR(200))")));
    ASSERT_TRUE(db().commit());
    auto insert = db().prepare(QStringLiteral("INSERT INTO t (k, a, b) VALUES (?, ?, ?)"));
    ASSERT_TRUE(insert) << db().sqlErrText().toStdString();
    const QList<QVariantList> rows = {
        {1, QStringLiteral("一"), QStringLiteral("和平里社区居民委员会第一网格")},
        {2, QStringLiteral("和平里社区居民委员会第二网格"), QString()},
        {3, QVariant(), QStringLiteral("")},
        {4, QStringLiteral("2024-06-30"), QStringLiteral("b4")},
        {5, QString(300, QLatin1Char('x')).left(200), QStringLiteral("短")},
    };
    for (const QVariantList& r : rows) ASSERT_TRUE(db().runPrepared(*insert, r, true)) << db().sqlErrText().toStdString();
    ASSERT_TRUE(db().commit());
    auto q = db().selectRaw(QStringLiteral("SELECT k, a, b FROM t ORDER BY k"));
    ASSERT_TRUE(q);
    for (const QVariantList& r : rows) {
        ASSERT_TRUE(q->next());
        SCOPED_TRACE(r[0].toInt());
        EXPECT_EQ(q->value(0).toInt(), r[0].toInt());
        for (int c = 1; c <= 2; ++c) {
            const QVariant stored = q->value(c);
            if (!r[c].isValid()) EXPECT_TRUE(stored.isNull()) << c;
            else EXPECT_EQ(stored.toString(), r[c].toString()) << c;
        }
    }
    EXPECT_FALSE(q->next());
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
