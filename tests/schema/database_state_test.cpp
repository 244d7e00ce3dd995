// Telling an empty database, a registry and a database of something else
// apart before anything is written, and refusing to build the registry
// anywhere but in an empty one.
#include "schema/database_state.h"
#include "schema/schema.h"
#include "support/sqlite_file.h"
#include "support/test_db.h"

#include <QFile>

namespace cr::test {
namespace {

using Kind = schema::DatabaseState::Kind;

class DatabaseStateTest : public DbTest {
protected:
    bool wantsSchema() const override { return false; }

    QStringList tables()
    {
        QStringList names;
        auto q = db().selectRaw(db().dialect().listTables());
        while (q && q->next()) names << q->value(0).toString().toLower();
        return names;
    }
};

TEST_P(DatabaseStateTest, EmptyThenRegistry)
{
    EXPECT_EQ(schema::inspect(db()).kind, Kind::Empty);
    QString error;
    ASSERT_TRUE(schema::create(db(), &error)) << error.toStdString();
    const schema::DatabaseState state = schema::inspect(db());
    EXPECT_EQ(state.kind, Kind::Registry);
    EXPECT_EQ(state.version, schema::currentVersion());
    EXPECT_FALSE(db().inTransaction());
    // A registry is not built a second time.
    EXPECT_FALSE(schema::create(db(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("已有登记库结构"))) << error.toStdString();
}

// Another program's database, or one holding only a settings table of the
// wrong kind: refused, and left with exactly the tables it had.
TEST_P(DatabaseStateTest, AnotherProgramsDatabaseIsLeftAlone)
{
    const struct {
        const char* name;
        QStringList statements;
    } cases[] = {
        {"own tables", {QStringLiteral("CREATE TABLE invoices (no INTEGER, total NUMERIC(10,2))"),
                        QStringLiteral("CREATE VIEW open_invoices AS SELECT no FROM invoices")}},
        {"settings without a version", {QStringLiteral("CREATE TABLE cr_settings (name VARCHAR(40), value VARCHAR(200))")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QStringList previous = tables();
        for (auto t = previous.crbegin(); t != previous.crend(); ++t) {   // the view before its table
            const bool view = t->startsWith(QLatin1String("open_"));
            ASSERT_TRUE(db().executeRaw(QStringLiteral("DROP %1 %2").arg(view ? QLatin1String("VIEW") : QLatin1String("TABLE"), *t)));
        }
        for (const QString& sql : c.statements) ASSERT_TRUE(db().executeRaw(sql)) << sql.toStdString();
        ASSERT_TRUE(db().commit());
        const QStringList before = tables();

        const schema::DatabaseState state = schema::inspect(db());
        EXPECT_EQ(state.kind, Kind::Foreign);
        EXPECT_EQ(state.error.kind, DbError::Kind::NotARegistry);
        EXPECT_TRUE(state.error.detail.contains(before.first(), Qt::CaseInsensitive)) << state.error.detail.toStdString();
        QString error;
        EXPECT_FALSE(schema::create(db(), &error));
        EXPECT_TRUE(error.contains(QStringLiteral("不是社区登记库"))) << error.toStdString();
        EXPECT_EQ(tables(), before);
        EXPECT_FALSE(db().inTransaction());
    }
}

INSTANTIATE_ENGINES(DatabaseStateTest);

TEST(DatabaseStateFiles, UnreadableFilesSayWhyAndKeepTheirBytes)
{
    SqliteFile file;
    const QByteArray bytes = QByteArray("这不是数据库，是一封信。\n").repeated(200);
    {
        QFile f(file.path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    auto db = file.open();
    ASSERT_TRUE(db);
    QString error;
    const schema::DatabaseState state = schema::inspect(*db);
    EXPECT_EQ(state.kind, Kind::Unreadable);
    EXPECT_EQ(state.error.kind, DbError::Kind::NotADatabase);
    EXPECT_FALSE(schema::create(*db, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("不是数据库文件"))) << error.toStdString();
    db.reset();
    QFile f(file.path());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), bytes);
}

// A registry another program holds locked reads as busy, not as "no registry".
TEST(DatabaseStateFiles, ALockedRegistryIsBusy)
{
    SqliteFile file;
    auto holder = file.open();
    QString error;
    ASSERT_TRUE(holder && schema::create(*holder, &error)) << error.toStdString();
    ASSERT_TRUE(SqliteFile::hold(*holder));
    auto clerk = file.open(50);
    ASSERT_TRUE(clerk);
    const schema::DatabaseState state = schema::inspect(*clerk);
    EXPECT_EQ(state.kind, Kind::Unreadable);
    EXPECT_EQ(state.error.kind, DbError::Kind::Busy) << state.error.detail.toStdString();
    ASSERT_TRUE(SqliteFile::release(*holder));
    EXPECT_EQ(schema::inspect(*clerk).kind, Kind::Registry);
}

} // namespace
} // namespace cr::test
