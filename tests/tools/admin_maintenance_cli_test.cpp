// community-admin's commands for keeping a registry: copy, backup, restore,
// the files it makes, and its version.
#include "tools/admin_process.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cr_version.h>

namespace cr::test {
namespace {

constexpr QFile::Permissions kGroupOrOthers = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
                                             | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

QString line(const QString& text, const QString& start)
{
    for (const QString& l : text.split(QLatin1Char('\n')))
        if (l.startsWith(start)) return l.simplified();
    return {};
}

class AdminMaintenanceCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        const Outcome o = admin({QStringLiteral("demo"), path("demo.db"), QStringLiteral("--size=small")});
        ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    }
    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir m_dir;
};

TEST_F(AdminMaintenanceCli, VersionAndWrongCommandLines)
{
    const Outcome version = admin({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.trimmed(), QStringLiteral("community-admin " CR_VERSION));
    EXPECT_TRUE(admin({QStringLiteral("--help")}).out.contains(QStringLiteral(CR_VERSION)));

    const QString demo = path("demo.db");
    struct Case {
        QStringList args;
        const char* message;
    };
    const Case cases[] = {
        {{QStringLiteral("copy"), demo}, "FROM"},
        {{QStringLiteral("copy"), demo, demo}, "同一个数据库"},
        {{QStringLiteral("copy"), demo, m_dir.path() + QStringLiteral("/./demo.db")}, "同一个数据库"},
        {{QStringLiteral("copy"), demo, QStringLiteral("postgresql://u:pw@localhost/x")}, "密码"},
        {{QStringLiteral("backup"), demo}, "FILE"},
        {{QStringLiteral("restore"), demo}, "FILE"},
        {{QStringLiteral("restore"), demo, path("b.db"), QStringLiteral("--force")}, "未知的选项"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        EXPECT_TRUE(failsWith(admin(c.args), 2, QString::fromUtf8(c.message)));
    }
}

TEST_F(AdminMaintenanceCli, NewDatabaseFilesAreForTheirOwnerOnly)
{
    EXPECT_EQ(admin({QStringLiteral("init"), path("init.db")}).exitCode, 0);
    for (const char* file : {"demo.db", "init.db"}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(QFileInfo(path(file)).permissions() & kGroupOrOthers, QFile::Permissions());
    }
}

TEST_F(AdminMaintenanceCli, CopyIntoANewFileThenRefuseToCopyOverData)
{
    const Outcome o = admin({QStringLiteral("copy"), path("demo.db"), path("copy.db")});
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_TRUE(o.out.contains(QStringLiteral("各表记录数已核对一致"))) << o.out.toStdString();
    EXPECT_EQ(QFileInfo(path("copy.db")).permissions() & kGroupOrOthers, QFile::Permissions());

    const Outcome original = admin({QStringLiteral("info"), path("demo.db")});
    const Outcome copied = admin({QStringLiteral("info"), path("copy.db")});
    for (const char* table : {"tc_ge_personinfo", "tc_ge_houseinfo", "tc_ge_rentregistry", "cr_settings"}) {
        SCOPED_TRACE(table);
        EXPECT_FALSE(line(original.out, QStringLiteral("  ") + QLatin1String(table)).isEmpty());
        EXPECT_EQ(line(copied.out, QStringLiteral("  ") + QLatin1String(table)),
                  line(original.out, QStringLiteral("  ") + QLatin1String(table)));
    }
    EXPECT_TRUE(copied.out.contains(QStringLiteral("演示数据：是"))) << copied.out.toStdString();

    EXPECT_TRUE(failsWith(admin({QStringLiteral("copy"), path("demo.db"), path("copy.db")}), 1,
                          QStringLiteral("已有登记数据")));
    EXPECT_TRUE(failsWith(admin({QStringLiteral("copy"), path("absent.db"), path("other.db")}), 1,
                          QStringLiteral("数据库文件不存在")));
    EXPECT_FALSE(QFile::exists(path("other.db")));
}

TEST_F(AdminMaintenanceCli, BackupAndRestoreAFile)
{
    const QString db = path("demo.db");
    const QString backup = path("backup.db");
    Outcome o = admin({QStringLiteral("backup"), db, backup});
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_EQ(QFileInfo(backup).permissions() & kGroupOrOthers, QFile::Permissions());
    EXPECT_TRUE(failsWith(admin({QStringLiteral("backup"), db, backup}), 1, QStringLiteral("--yes")));
    EXPECT_EQ(admin({QStringLiteral("backup"), db, backup, QStringLiteral("--yes")}).exitCode, 0);

    // Replacing a registry wants --yes; a new file does not.
    EXPECT_TRUE(failsWith(admin({QStringLiteral("restore"), db, backup}), 1, QStringLiteral("--yes")));
    o = admin({QStringLiteral("restore"), db, backup, QStringLiteral("--yes")});
    EXPECT_EQ(o.exitCode, 0) << o.err.toStdString();
    o = admin({QStringLiteral("restore"), path("restored.db"), backup});
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_EQ(line(admin({QStringLiteral("info"), path("restored.db")}).out, QStringLiteral("  tc_ge_houseinfo")),
              line(admin({QStringLiteral("info"), db}).out, QStringLiteral("  tc_ge_houseinfo")));

    // A SQLite file that is no registry is no backup of one.
    ASSERT_EQ(admin({QStringLiteral("init"), path("empty.db")}).exitCode, 0);
    {
        auto plain = Sqlca::connect(DbTarget{Engine::Sqlite, path("plain.db")}, nullptr);
        ASSERT_TRUE(plain && plain->executeRaw(QStringLiteral("CREATE TABLE notes (t TEXT)")) && plain->commit());
    }
    EXPECT_TRUE(failsWith(admin({QStringLiteral("restore"), path("other.db"), path("plain.db")}), 1,
                          QStringLiteral("不能用")));
    EXPECT_FALSE(QFile::exists(path("other.db")));
}

TEST(AdminMaintenanceCliOnServer, BackupAndRestoreWithTheServersTools)
{
    ServerDatabase server(QStringLiteral("backup"));
    if (server.null()) GTEST_SKIP() << "CR_TEST_PG not set: no PostgreSQL server for tests";
    if (QStandardPaths::findExecutable(QStringLiteral("pg_dump")).isEmpty()) GTEST_SKIP() << "pg_dump not installed";
    QTemporaryDir dir;
    const QString dump = dir.filePath(QStringLiteral("registry.dump"));
    const QString db = server.uri();
    ASSERT_EQ(admin({QStringLiteral("demo"), db, QStringLiteral("--size=small")}).exitCode, 0);
    const QString houses = line(admin({QStringLiteral("info"), db}).out, QStringLiteral("  tc_ge_houseinfo"));

    Outcome o = admin({QStringLiteral("backup"), db, dump});
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_EQ(QFileInfo(dump).permissions() & kGroupOrOthers, QFile::Permissions());

    // Lose houses, then get them back.
    {
        DbTarget target;
        QString error;
        ASSERT_TRUE(DbTarget::parse(db, &target, &error));
        auto sqlca = Sqlca::connect(target, &error);
        ASSERT_TRUE(sqlca);
        // What refers to the houses goes first: the database refuses the rest.
        for (const char* table : {"tc_ge_punishrecord", "tc_ge_rentregistry", "tc_ge_renthousereg", "tc_ge_rprownhouse",
                                  "tc_ge_houseinfo"})
            ASSERT_TRUE(sqlca->execute(QStringLiteral("DELETE FROM %1").arg(QLatin1String(table))))
                << sqlca->sqlErrText().toStdString();
        ASSERT_TRUE(sqlca->commit());
    }
    EXPECT_NE(line(admin({QStringLiteral("info"), db}).out, QStringLiteral("  tc_ge_houseinfo")), houses);
    o = admin({QStringLiteral("restore"), db, dump, QStringLiteral("--yes")});
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_EQ(line(admin({QStringLiteral("info"), db}).out, QStringLiteral("  tc_ge_houseinfo")), houses);

    // A server backup does not go into a file, nor a file's backup onto the server.
    EXPECT_TRUE(failsWith(admin({QStringLiteral("restore"), dir.filePath(QStringLiteral("x.db")), dump}), 1,
                          QStringLiteral("PostgreSQL 的备份")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("x.db"))));
}

} // namespace
} // namespace cr::test
