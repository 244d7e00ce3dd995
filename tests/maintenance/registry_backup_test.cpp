// Backups of the registry file: made with the engine's online backup while
// the application holds a write transaction, checked, private, never over a
// good backup by halves; restored all or nothing.
#include "frame/sqlca.h"
#include "maintenance/private_files.h"
#include "maintenance/registry_backup.h"
#include "schema/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace cr::test {
namespace {

using namespace maintenance;

constexpr QFile::Permissions kGroupOrOthers = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
                                             | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

DbTarget fileTarget(const QString& path)
{
    DbTarget t;
    t.path = path;
    return t;
}

std::unique_ptr<Sqlca> openFile(const QString& path)
{
    QString error;
    auto sqlca = Sqlca::connect(fileTarget(path), &error);
    EXPECT_TRUE(sqlca) << error.toStdString();
    return sqlca;
}

qint64 areas(Sqlca& db)
{
    return db.selectValue(QStringLiteral("SELECT COUNT(*) FROM tc_ge_regionalmanage")).toLongLong();
}

bool addArea(Sqlca& db, int key)
{
    return db.execute(QStringLiteral("INSERT INTO tc_ge_regionalmanage (commno, regionalno, regionalname, issave) "
                                     "VALUES ('1', :k, :name, '1')"),
                      {{QStringLiteral("k"), key}, {QStringLiteral("name"), QStringLiteral("第%1责任区").arg(key)}});
}

class RegistryBackupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_db = m_dir.filePath(QStringLiteral("registry.db"));
        m_app = openFile(m_db);
        ASSERT_TRUE(m_app);
        QString error;
        ASSERT_TRUE(schema::create(*m_app, &error)) << error.toStdString();
        for (int k = 1; k <= 3; ++k) ASSERT_TRUE(addArea(*m_app, k));
        ASSERT_TRUE(m_app->commit());
    }
    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir m_dir;
    QString m_db;
    std::unique_ptr<Sqlca> m_app;   // the application's connection
};

TEST_F(RegistryBackupTest, ABackupWhileTheApplicationIsWritingHoldsTheLastCommit)
{
    ASSERT_TRUE(addArea(*m_app, 4));   // a write transaction stays open
    ASSERT_TRUE(m_app->inTransaction());

    const QString backup = path("backup.db");
    int lastDone = -1, lastTotal = -1;
    QString error;
    ASSERT_TRUE(backupRegistry(fileTarget(m_db), backup, false, [&](int done, int total) {
        lastDone = done;
        lastTotal = total;
    }, &error)) << error.toStdString();
    EXPECT_EQ(lastDone, lastTotal);
    EXPECT_GT(lastTotal, 0);

    // The application goes on and commits as if nothing happened.
    EXPECT_TRUE(m_app->commit()) << m_app->sqlErrText().toStdString();
    EXPECT_EQ(areas(*m_app), 4);

    EXPECT_EQ(sqliteQuickCheck(backup), QStringLiteral("ok"));
    EXPECT_EQ(QFileInfo(backup).permissions() & kGroupOrOthers, QFile::Permissions());
    auto copy = openFile(backup);
    ASSERT_TRUE(copy);
    EXPECT_EQ(schema::version(*copy), schema::currentVersion());
    EXPECT_EQ(areas(*copy), 3) << "the uncommitted area is not in the backup";
    EXPECT_TRUE(QDir(m_dir.path()).entryList({QStringLiteral("*.part-*")}, QDir::Files).isEmpty());
}

TEST_F(RegistryBackupTest, RestoreBringsBackTheBackupAndNothingElse)
{
    const QString backup = path("backup.db");
    QString error;
    ASSERT_TRUE(backupRegistry(fileTarget(m_db), backup, false, {}, &error)) << error.toStdString();
    ASSERT_TRUE(m_app->execute(QStringLiteral("DELETE FROM tc_ge_regionalmanage WHERE regionalno > 1")));
    ASSERT_TRUE(addArea(*m_app, 9));
    ASSERT_TRUE(m_app->commit());

    ASSERT_TRUE(restoreRegistry(fileTarget(m_db), backup, {}, &error)) << error.toStdString();
    // The connection that stayed open sees the restored registry.
    EXPECT_EQ(areas(*m_app), 3);
    EXPECT_TRUE(m_app->selectValue(QStringLiteral("SELECT regionalname FROM tc_ge_regionalmanage WHERE regionalno = 9"))
                    .isNull());

    // Restoring into a new file makes a private one.
    const QString fresh = path("fresh.db");
    ASSERT_TRUE(restoreRegistry(fileTarget(fresh), backup, {}, &error)) << error.toStdString();
    EXPECT_EQ(QFileInfo(fresh).permissions() & kGroupOrOthers, QFile::Permissions());
    auto restored = openFile(fresh);
    ASSERT_TRUE(restored);
    EXPECT_EQ(areas(*restored), 3);
}

TEST_F(RegistryBackupTest, RefusalsLeaveEveryFileAsItWas)
{
    const QByteArray letter = QByteArrayLiteral("这不是数据库，是一封信。\n");
    const QString letterFile = path("letter.db");
    {
        QFile f(letterFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(letter);
    }
    const QString oldBackup = path("old-backup.db");
    QString error;
    ASSERT_TRUE(backupRegistry(fileTarget(m_db), oldBackup, false, {}, &error)) << error.toStdString();
    const QByteArray oldBytes = [&] {
        QFile f(oldBackup);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    const qint64 dbSize = QFileInfo(m_db).size();

    struct Case {
        const char* name;
        std::function<bool(QString*)> attempt;
        const char* message;
    };
    const Case cases[] = {
        {"backup onto an existing backup without leave",
         [&](QString* e) { return backupRegistry(fileTarget(m_db), oldBackup, false, {}, e); }, "已存在"},
        {"backup onto the database itself",
         [&](QString* e) { return backupRegistry(fileTarget(m_db), m_db, true, {}, e); }, "数据库文件本身"},
        {"backup of a file that is no database",
         [&](QString* e) { return backupRegistry(fileTarget(letterFile), oldBackup, true, {}, e); }, "不是 SQLite"},
        {"backup into a missing folder",
         [&](QString* e) { return backupRegistry(fileTarget(m_db), path("no/such/backup.db"), false, {}, e); },
         "文件夹不存在"},
        {"restore from a file that is no backup",
         [&](QString* e) { return restoreRegistry(fileTarget(m_db), letterFile, {}, e); }, "不是本程序的备份文件"},
        {"restore from a missing file",
         [&](QString* e) { return restoreRegistry(fileTarget(m_db), path("absent.db"), {}, e); }, "不存在"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString message;
        EXPECT_FALSE(c.attempt(&message));
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.message))) << message.toStdString();
    }
    QFile f(oldBackup);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), oldBytes) << "a failed backup never touches the backup it would replace";
    EXPECT_EQ(QFileInfo(m_db).size(), dbSize);
    EXPECT_EQ(areas(*m_app), 3);
    QFile l(letterFile);
    ASSERT_TRUE(l.open(QIODevice::ReadOnly));
    EXPECT_EQ(l.readAll(), letter);
    EXPECT_FALSE(QDir(path("no")).exists());
    EXPECT_TRUE(QDir(m_dir.path()).entryList({QStringLiteral("*.part-*")}, QDir::Files).isEmpty());
}

TEST(PrivateFilesTest, WhatThisProgramMakesIsForItsOwnerOnly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                          | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    const QFile::Permissions before = QFileInfo(dir.path()).permissions();
    QString error;
    const QString nested = dir.filePath(QStringLiteral("a/b/c"));
    ASSERT_TRUE(makePrivateFolder(nested, &error)) << error.toStdString();
    for (const char* folder : {"a", "a/b", "a/b/c"}) {
        SCOPED_TRACE(folder);
        const QFileInfo info(dir.filePath(QString::fromUtf8(folder)));
        EXPECT_TRUE(info.isDir());
        EXPECT_EQ(info.permissions() & kGroupOrOthers, QFile::Permissions());
    }
    EXPECT_EQ(QFileInfo(dir.path()).permissions(), before) << "an existing folder keeps its mode";
    EXPECT_TRUE(makePrivateFolder(nested, &error)) << "an existing folder is fine";

    const QString file = dir.filePath(QStringLiteral("a/registry.db"));
    ASSERT_TRUE(createPrivateFile(file, &error)) << error.toStdString();
    EXPECT_EQ(QFileInfo(file).permissions() & kGroupOrOthers, QFile::Permissions());
    EXPECT_FALSE(createPrivateFile(file, &error)) << "never over an existing file";
    EXPECT_TRUE(error.contains(QStringLiteral("已存在")));

    const QString notAFolder = dir.filePath(QStringLiteral("a/registry.db/x"));
    EXPECT_FALSE(makePrivateFolder(notAFolder, &error));
}

} // namespace
} // namespace cr::test
