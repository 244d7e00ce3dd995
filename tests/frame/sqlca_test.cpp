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

INSTANTIATE_ENGINES(SqlcaTest);

} // namespace
} // namespace cr::test
