// Database failures as clerks read them: each error an engine can produce
// here, provoked on that engine, gives its Chinese sentence with the
// engine's own text kept as the detail.
#include "frame/db_error.h"
#include "support/sqlite_file.h"
#include "support/test_db.h"

#include <QFile>

namespace cr::test {
namespace {

using Kind = DbError::Kind;

class DbErrorTest : public DbTest {
protected:
    bool wantsSchema() const override { return false; }

    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        const QString text5 = db().dialect().textType(5);
        ASSERT_TRUE(db().executeRaw(QStringLiteral("CREATE TABLE t_parent (pk INTEGER PRIMARY KEY)")));
        ASSERT_TRUE(db().executeRaw(
            QStringLiteral("CREATE TABLE t_child (k INTEGER PRIMARY KEY, name %1 NOT NULL UNIQUE, "
                           "parent INTEGER REFERENCES t_parent (pk), n INTEGER CHECK (n >= 0), amount NUMERIC(5,2))")
                .arg(text5)));
        ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO t_parent (pk) VALUES (1)")));
        ASSERT_TRUE(db().execute(QStringLiteral("INSERT INTO t_child (k, name, parent, n) VALUES (1, 'a', 1, 0)")));
        ASSERT_TRUE(db().commit());
    }
};

// Each statement breaks one rule of t_child; `engines` says where the engine
// enforces it (SQLite keeps text longer than its column and numbers beyond
// their precision).
TEST_P(DbErrorTest, ConstraintViolationsReadAsSentencesWithTheEngineTextApart)
{
    const struct {
        const char* name;
        const char* sql;
        Kind kind;
        bool onSqlite;
        const char* postgresSentence = nullptr;   // the server says which way a link broke
    } cases[] = {
        {"duplicate key", "INSERT INTO t_child (k, name) VALUES (1, 'b')", Kind::Unique, true},
        {"duplicate unique name", "INSERT INTO t_child (k, name) VALUES (2, 'a')", Kind::Unique, true},
        {"missing required value", "INSERT INTO t_child (k, name) VALUES (2, NULL)", Kind::NotNull, true},
        {"parent that does not exist", "INSERT INTO t_child (k, name, parent) VALUES (2, 'b', 9)", Kind::ForeignKey, true,
         "所引用的记录不存在（可能已被删除），不能保存。请重新选择后再保存。"},
        {"parent still referenced", "DELETE FROM t_parent WHERE pk = 1", Kind::ForeignKey, true,
         "有其他记录引用此记录，不能删除。请先删除或改正引用它的记录。"},
        {"check refused", "UPDATE t_child SET n = -1 WHERE k = 1", Kind::Check, true},
        {"text longer than its column", "UPDATE t_child SET name = 'abcdefgh' WHERE k = 1", Kind::TooLong, false},
        {"number beyond its column", "UPDATE t_child SET amount = 123456 WHERE k = 1", Kind::OutOfRange, false},
    };
    const Engine engine = GetParam();
    for (const auto& c : cases) {
        if (engine == Engine::Sqlite && !c.onSqlite) continue;
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(db().execute(QString::fromLatin1(c.sql)));
        const DbError e = db().sqlError();
        EXPECT_EQ(e.kind, c.kind) << e.detail.toStdString();
        const bool specific = engine == Engine::Postgres && c.postgresSentence;
        EXPECT_EQ(e.message, specific ? QString::fromUtf8(c.postgresSentence) : DbError::sentence(c.kind, engine));
        EXPECT_TRUE(e.detail.contains(db().sqlErrText())) << e.detail.toStdString();
        EXPECT_FALSE(e.message.contains(QLatin1String("constraint"), Qt::CaseInsensitive));
        db().rollback();
        EXPECT_FALSE(db().sqlError().failed());   // a success clears it
    }
}

// A row another clerk is changing: the statement gives up after the lock
// wait with the message instead of freezing the window.
TEST_P(DbErrorTest, ARowHeldByAnotherSessionEndsAsBusy)
{
    if (GetParam() != Engine::Postgres) GTEST_SKIP() << "SQLite locks the whole file: see the file lock test";
    DbTarget target = db().target();
    target.lockWaitMs = 200;
    QString error;
    auto other = Sqlca::connect(target, &error);
    ASSERT_TRUE(other) << error.toStdString();

    ASSERT_TRUE(db().execute(QStringLiteral("UPDATE t_child SET n = 1 WHERE k = 1")));   // holds the row
    EXPECT_FALSE(other->execute(QStringLiteral("UPDATE t_child SET n = 2 WHERE k = 1")));
    EXPECT_EQ(other->sqlError().kind, Kind::Busy) << other->sqlErrText().toStdString();
    EXPECT_EQ(other->sqlError().message, QStringLiteral("数据正被其他人使用，请稍后再试。"));
    other->rollback();

    // A table locked as a whole: even reading waits, then gives up the same way.
    ASSERT_TRUE(db().executeRaw(QStringLiteral("LOCK TABLE t_parent IN ACCESS EXCLUSIVE MODE")));
    EXPECT_TRUE(other->selectValue(QStringLiteral("SELECT COUNT(*) FROM t_parent")).isNull());
    EXPECT_EQ(other->sqlError().kind, Kind::Busy);
    other->rollback();
    ASSERT_TRUE(db().rollback());

    // Once the other session let go, the same change goes through.
    EXPECT_TRUE(other->execute(QStringLiteral("UPDATE t_child SET n = 2 WHERE k = 1")))
        << other->sqlErrText().toStdString();
    EXPECT_TRUE(other->commit());
}

INSTANTIATE_ENGINES(DbErrorTest);

// SQLite files: a file another program holds, a full disk, a file that is no
// database.
TEST(DbErrorSqliteFiles, ALockedFileIsBusyNotUnknown)
{
    SqliteFile file;
    auto holder = file.open();
    ASSERT_TRUE(holder);
    ASSERT_TRUE(holder->executeRaw(QStringLiteral("CREATE TABLE t (k INTEGER)")));
    ASSERT_TRUE(holder->commit());
    ASSERT_TRUE(SqliteFile::hold(*holder));

    auto clerk = file.open(50);
    ASSERT_TRUE(clerk);
    EXPECT_TRUE(clerk->selectValue(QStringLiteral("SELECT COUNT(*) FROM t")).isNull());
    const DbError e = clerk->sqlError();
    EXPECT_EQ(e.kind, Kind::Busy) << clerk->sqlErrText().toStdString();
    EXPECT_EQ(e.message, QStringLiteral("数据库正忙，其他程序正在使用它，请稍后再试。"));
    EXPECT_TRUE(e.detail.contains(QLatin1String("locked"))) << e.detail.toStdString();
    ASSERT_TRUE(SqliteFile::release(*holder));
    EXPECT_EQ(clerk->selectValue(QStringLiteral("SELECT COUNT(*) FROM t")).toInt(), 0);
}

TEST(DbErrorSqliteFiles, AFullDiskIsSaidSo)
{
    DbTarget target;
    target.path = QStringLiteral(":memory:");
    QString error;
    auto db = Sqlca::connect(target, &error);
    ASSERT_TRUE(db) << error.toStdString();
    // A database that may not grow past a few pages stands for a full disk.
    ASSERT_TRUE(db->executeRaw(QStringLiteral("CREATE TABLE t (v TEXT)")));
    ASSERT_TRUE(db->commit());
    ASSERT_TRUE(db->selectRaw(QStringLiteral("PRAGMA max_page_count = 3")));
    bool full = false;
    for (int i = 0; i < 50 && !full; ++i)
        full = !db->execute(QStringLiteral("INSERT INTO t (v) VALUES (:v)"),
                            {{QStringLiteral("v"), QString(2000, QLatin1Char('x'))}});
    ASSERT_TRUE(full);
    EXPECT_EQ(db->sqlError().kind, Kind::DiskFull) << db->sqlErrText().toStdString();
    db->rollback();
}

TEST(DbErrorSqliteFiles, AFileThatIsNoDatabaseIsSaidSo)
{
    SqliteFile file;
    QFile f(file.path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    auto db = file.open();
    ASSERT_TRUE(db);   // SQLite reads the file on the first statement
    EXPECT_FALSE(db->selectRaw(QStringLiteral("SELECT name FROM sqlite_master")));
    EXPECT_EQ(db->sqlError().kind, Kind::NotADatabase) << db->sqlErrText().toStdString();
}

// Servers that cannot be reached or refuse the login. A wrong password needs a
// server that asks for one; the test server trusts its user, so that case is
// read from libpq's words below.
TEST(DbErrorServers, ConnectionFailuresNameTheirCause)
{
    const QString uri = qEnvironmentVariable("CR_TEST_PG");
    if (uri.isEmpty()) GTEST_SKIP() << "CR_TEST_PG not set: no PostgreSQL server for tests";
    DbTarget server;
    QString error;
    ASSERT_TRUE(DbTarget::parse(uri, &server, &error));
    DbTarget closedPort = server;
    closedPort.port = 1;
    DbTarget noDatabase = server;
    noDatabase.database = QStringLiteral("no_such_registry");
    DbTarget noUser = server;
    noUser.user = QStringLiteral("no_such_clerk");
    const struct {
        const char* name;
        DbTarget target;
        Kind kind;
    } cases[] = {
        {"nothing listens", closedPort, Kind::CannotConnect},
        {"no such database", noDatabase, Kind::NoSuchDatabase},
        {"no such user", noUser, Kind::WrongPassword},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DbError failure;
        EXPECT_FALSE(Sqlca::connect(c.target, &error, &failure));
        EXPECT_EQ(failure.kind, c.kind) << failure.detail.toStdString();
        EXPECT_FALSE(failure.detail.isEmpty());
        EXPECT_TRUE(error.startsWith(QStringLiteral("无法连接数据库"))) << error.toStdString();
        EXPECT_TRUE(error.contains(failure.message) && error.contains(QStringLiteral("详细信息："))) << error.toStdString();
    }
}

// What libpq and the drivers say where no error code comes with the text:
// while connecting, and when a transaction cannot begin or end.
TEST(DbErrorWords, TextsWithoutACodeAreRecognised)
{
    const struct {
        const char* name;
        Engine engine;
        const char* code;
        const char* text;
        Kind kind;
    } cases[] = {
        {"wrong password", Engine::Postgres, "", "connection to server at \"10.0.0.5\", port 5432 failed: FATAL:  "
                                                 "password authentication failed for user \"clerk\"", Kind::WrongPassword},
        {"password not given", Engine::Postgres, "", "fe_sendauth: no password supplied", Kind::PasswordMissing},
        {"unknown host", Engine::Postgres, "", "could not translate host name \"dbserver\" to address", Kind::CannotConnect},
        {"server without encryption", Engine::Postgres, "", "server does not support SSL, but SSL was required",
         Kind::CannotConnect},
        {"server went away", Engine::Postgres, "", "server closed the connection unexpectedly", Kind::ConnectionLost},
        {"disk full on the server", Engine::Postgres, "53100", "could not extend file: No space left on device",
         Kind::DiskFull},
        {"deadlock", Engine::Postgres, "40P01", "deadlock detected", Kind::Busy},
        {"commit of a locked file", Engine::Sqlite, "", "database is locked", Kind::Busy},
        {"read-only file", Engine::Sqlite, "8", "attempt to write a readonly database", Kind::ReadOnly},
        {"anything else", Engine::Sqlite, "1", "near \"SELEC\": syntax error", Kind::Other},
    };
    for (const auto& c : cases) {
        const DbError e = DbError::fromEngine(c.engine, QString::fromLatin1(c.code), QString::fromUtf8(c.text));
        EXPECT_EQ(e.kind, c.kind) << c.name;
        EXPECT_FALSE(e.message.isEmpty()) << c.name;
        EXPECT_TRUE(e.detail.startsWith(QString::fromUtf8(c.text))) << c.name;
    }
}

} // namespace
} // namespace cr::test
