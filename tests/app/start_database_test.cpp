// Which registry the application opens at start, and what it keeps about
// it: the registry used last opens again, a server's password is never
// written, a gone file is not quietly made anew, new registries are private,
// and a demo says that it is one.
#include "app/connect_dialog.h"
#include "app/database_caption.h"
#include "app/database_setup.h"
#include "app/last_database.h"
#include "app/start_database.h"
#include "schema/registry_settings.h"
#include "schema/schema.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace cr::app {
namespace {

constexpr QFile::Permissions kGroupOrOthers = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
                                             | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

// Settings and the user's data folder inside a scratch folder for one test.
class ScratchHome {
public:
    ScratchHome()
    {
        m_oldData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.filePath(QStringLiteral("config")));
    }
    ~ScratchHome()
    {
        qputenv("XDG_DATA_HOME", m_oldData);
        if (m_oldData.isEmpty()) qunsetenv("XDG_DATA_HOME");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    // Every byte the settings files hold.
    QByteArray settingsBytes() const
    {
        QByteArray all;
        QDirIterator it(m_dir.filePath(QStringLiteral("config")), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (f.open(QIODevice::ReadOnly)) all += f.readAll();
        }
        return all;
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldData;
};

DbTarget fileTarget(const QString& path)
{
    DbTarget t;
    t.path = path;
    return t;
}

TEST(StartDatabaseTest, WhatOpensAtStart)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("office.db"));
    QFile(existing).open(QIODevice::WriteOnly);
    const QString gone = dir.filePath(QStringLiteral("gone.db"));
    DbTarget server;
    server.engine = Engine::Postgres;
    server.host = QStringLiteral("db.example");
    server.database = QStringLiteral("registry");
    const QString defaultThere = existing;
    const QString defaultMissing = dir.filePath(QStringLiteral("default.db"));

    using Kind = StartPlan::Kind;
    struct Case {
        const char* name;
        QString argument;
        std::optional<DbTarget> remembered;
        QString defaultPath;
        Kind kind;
        QString target;   // path or server display
        bool notice;
    };
    const Case cases[] = {
        {"the command line wins", QStringLiteral("/tmp/other.db"), fileTarget(existing), defaultThere, Kind::Argument, {}, false},
        {"the file used last", {}, fileTarget(existing), defaultMissing, Kind::Remembered, existing, false},
        {"the server used last, even with a default file", {}, server, defaultThere, Kind::Remembered, server.display(), false},
        {"the file used last is gone: ask, do not make it anew", {}, fileTarget(gone), defaultThere, Kind::FirstStart, {}, true},
        {"an earlier version's file in the data folder", {}, std::nullopt, defaultThere, Kind::Default, defaultThere, false},
        {"nothing yet: the first start", {}, std::nullopt, defaultMissing, Kind::FirstStart, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const StartPlan plan = planStart(c.argument, c.remembered, c.defaultPath);
        EXPECT_EQ(plan.kind, c.kind);
        if (!c.target.isEmpty()) EXPECT_EQ(plan.target.display(), c.target);
        EXPECT_EQ(!plan.notice.isEmpty(), c.notice) << plan.notice.toStdString();
    }
}

TEST(StartDatabaseTest, TheRegistryUsedLastOpensAgain)
{
    ScratchHome home;
    const QString office = home.path(QStringLiteral("office.db"));
    QString error;
    ASSERT_TRUE(createCommunityRegistry(office, QStringLiteral("110105009009"), QStringLiteral("和平里社区"), &error))
        << error.toStdString();
    {
        QSettings settings;
        rememberDatabase(settings, fileTarget(office));
    }
    QSettings settings;   // as at the next start
    auto sqlca = openAtStart(QString(), true, settings);
    ASSERT_TRUE(sqlca);
    EXPECT_EQ(QFileInfo(sqlca->target().path).absoluteFilePath(), QFileInfo(office).absoluteFilePath());
    EXPECT_EQ(sqlca->commNo(), QStringLiteral("110105009009"));
    EXPECT_FALSE(QFile::exists(defaultDatabasePath())) << "no demo file made on the way";
}

TEST(StartDatabaseTest, AServerIsRememberedWithoutItsPassword)
{
    ScratchHome home;
    const QString password = QStringLiteral("s3cret-Typed-In");
    ConnectDialog dialog(nullptr);
    dialog.setPostgres(QStringLiteral("db.example"), 5433, QStringLiteral("clerk"), QStringLiteral("registry"));
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>())
        if (edit->echoMode() == QLineEdit::Password) edit->setText(password);
    ASSERT_EQ(dialog.password(), password);
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("连接")) b->click();   // stores the fields it remembers
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    {
        QSettings settings;
        rememberDatabase(settings, dialog.target());
    }
    QSettings settings;
    const std::optional<DbTarget> back = rememberedDatabase(settings);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->engine, Engine::Postgres);
    EXPECT_EQ(back->display(), QStringLiteral("postgresql://clerk@db.example:5433/registry"));

    const QByteArray written = home.settingsBytes();
    EXPECT_TRUE(written.contains("db.example")) << "the settings file was found";
    EXPECT_FALSE(written.contains(password.toUtf8())) << written.toStdString();
    EXPECT_FALSE(written.toLower().contains("password")) << written.toStdString();
}

TEST(StartDatabaseTest, NewRegistriesAreForTheirOwnerOnlyAndADemoSaysSo)
{
    ScratchHome home;
    // An earlier version's data folder, open to everyone, is closed.
    ASSERT_TRUE(QDir().mkpath(home.path(QStringLiteral("data/community-registry"))));
    QFile::setPermissions(home.path(QStringLiteral("data/community-registry")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    const QString path = defaultDatabasePath();
    EXPECT_TRUE(path.startsWith(home.path(QStringLiteral("data/community-registry/")))) << path.toStdString();
    const QFileInfo folder(home.path(QStringLiteral("data/community-registry")));
    EXPECT_TRUE(folder.isDir());
    EXPECT_EQ(folder.permissions() & kGroupOrOthers, QFile::Permissions());

    // The first start's demo, in the data folder.
    QString error;
    auto demo = openOrCreate(QString(), &error);
    ASSERT_TRUE(demo) << error.toStdString();
    EXPECT_EQ(QFileInfo(path).permissions() & kGroupOrOthers, QFile::Permissions());
    EXPECT_TRUE(schema::isDemo(*demo));
    DatabaseCaption caption = describeDatabase(*demo);
    EXPECT_TRUE(caption.demo);
    EXPECT_TRUE(caption.title.contains(QStringLiteral("演示数据"))) << caption.title.toStdString();
    EXPECT_TRUE(caption.database.contains(path)) << caption.database.toStdString();

    // The office's own registry: its number and name, no demo.
    const QString own = home.path(QStringLiteral("own.db"));
    auto registry = createCommunityRegistry(own, QStringLiteral("110105001007"), QStringLiteral("和平里社区"), &error);
    ASSERT_TRUE(registry) << error.toStdString();
    EXPECT_EQ(QFileInfo(own).permissions() & kGroupOrOthers, QFile::Permissions());
    caption = describeDatabase(*registry);
    EXPECT_FALSE(caption.demo);
    EXPECT_EQ(caption.title, QStringLiteral("和平里社区 - own.db"));
    EXPECT_EQ(caption.community, QStringLiteral("社区：和平里社区（110105001007）"));
    EXPECT_FALSE(createCommunityRegistry(own, QStringLiteral("1"), QStringLiteral("x"), &error))
        << "never over an existing file";

    // Any other new file chosen in the connect dialog.
    const QString chosen = home.path(QStringLiteral("chosen.db"));
    ASSERT_TRUE(openRegistry(fileTarget(chosen), QString(), &error)) << error.toStdString();
    EXPECT_EQ(QFileInfo(chosen).permissions() & kGroupOrOthers, QFile::Permissions());
}

} // namespace
} // namespace cr::app
