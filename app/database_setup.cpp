#include "app/database_setup.h"

#include "maintenance/private_files.h"
#include "schema/demo/demo_generator.h"
#include "schema/registry_settings.h"
#include "schema/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace cr::app {
namespace {

// libpq reads PGPASSWORD while it connects; the variable holds a password
// typed for this session only during that call and is restored afterwards.
class ScopedPgPassword {
public:
    explicit ScopedPgPassword(const QString& password) : m_active(!password.isEmpty())
    {
        if (!m_active) return;
        m_hadOld = qEnvironmentVariableIsSet("PGPASSWORD");
        m_old = qgetenv("PGPASSWORD");
        qputenv("PGPASSWORD", password.toUtf8());
    }
    ~ScopedPgPassword()
    {
        if (!m_active) return;
        if (m_hadOld) qputenv("PGPASSWORD", m_old);
        else qunsetenv("PGPASSWORD");
    }
    ScopedPgPassword(const ScopedPgPassword&) = delete;
    ScopedPgPassword& operator=(const ScopedPgPassword&) = delete;

private:
    bool m_active;
    bool m_hadOld = false;
    QByteArray m_old;
};

bool isDefaultDatabase(const DbTarget& target)
{
    return target.engine == Engine::Sqlite
        && QFileInfo(target.path).absoluteFilePath() == QFileInfo(defaultDatabasePath()).absoluteFilePath();
}

bool fillDemo(Sqlca& sqlca, const SetupProgress& progress, QString* error)
{
    demo::DemoGenerator generator(sqlca, demo::DemoOptions{});
    if (progress) generator.setProgress(progress);
    demo::DemoResult result;
    return generator.run(&result, error);
}

// A new database file is made before the engine opens it, readable by its
// owner only (the engine gives its journal the same mode).
bool createFile(const QString& path, QString* error)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists()) {
        if (error) *error = QStringLiteral("数据库文件所在的文件夹不存在：%1").arg(info.absolutePath());
        return false;
    }
    return maintenance::createPrivateFile(path, error);
}

std::unique_ptr<Sqlca> open(const DbTarget& target, const QString& password, QString* error,
                            const SetupProgress& progress, bool demoIfNew)
{
    const bool newFile = target.engine == Engine::Sqlite && target.path != QLatin1String(":memory:")
                         && !QFile::exists(target.path);
    if (newFile && !createFile(target.path, error)) return nullptr;
    std::unique_ptr<Sqlca> sqlca;
    {
        const ScopedPgPassword pgPassword(target.engine == Engine::Postgres ? password : QString());
        sqlca = Sqlca::connect(target, error);
    }
    if (!sqlca) {
        if (newFile) QFile::remove(target.path);
        return nullptr;
    }

    auto giveUp = [&](const QString& why) -> std::unique_ptr<Sqlca> {
        if (error) *error = why;
        sqlca.reset();
        if (newFile) QFile::remove(target.path);   // never leave a half-made file behind
        return nullptr;
    };

    QString why;
    const int version = schema::version(*sqlca);
    if (version == 0) {
        // Not a registry yet. A file that holds other tables is refused by
        // create() (its tables clash) rather than mixed with ours.
        if (!schema::create(*sqlca, &why)) return giveUp(QStringLiteral("无法建立数据库：%1").arg(why));
        if (newFile && demoIfNew && !fillDemo(*sqlca, progress, &why))
            return giveUp(QStringLiteral("无法生成示例数据：%1").arg(why));
    } else if (version > schema::currentVersion()) {
        return giveUp(QStringLiteral("数据库版本（%1）比本程序新，请升级本程序。").arg(version));
    } else if (version < schema::currentVersion() && !schema::upgrade(*sqlca, &why)) {
        return giveUp(QStringLiteral("数据库升级失败：%1").arg(why));
    }
    sqlca->setCommNo(schema::setting(*sqlca, schema::settings::kCommNo));
    return sqlca;
}

} // namespace

QString defaultDatabasePath()
{
    // The same folder whatever the organisation's name in the settings.
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                        + QStringLiteral("/community-registry");
    maintenance::makePrivateFolder(dir, nullptr);
    // The folder is this program's alone: closing it also guards a registry
    // that an earlier version left readable by everyone.
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return dir + QStringLiteral("/registry.db");
}

std::unique_ptr<Sqlca> openRegistry(const DbTarget& target, const QString& password, QString* error,
                                    const SetupProgress& progress)
{
    return open(target, password, error, progress, isDefaultDatabase(target));
}

std::unique_ptr<Sqlca> createCommunityRegistry(const QString& path, const QString& commNo, const QString& name,
                                               QString* error)
{
    if (QFileInfo::exists(path)) {
        if (error) *error = QStringLiteral("文件已存在：%1").arg(path);
        return nullptr;
    }
    DbTarget target;
    target.path = path;
    auto sqlca = open(target, QString(), error, {}, false);
    if (!sqlca) return nullptr;
    if (!schema::setCommunity(*sqlca, commNo, name) || !sqlca->commit()) {
        if (error) *error = QStringLiteral("无法保存社区编号：%1").arg(sqlca->sqlErrText());
        sqlca.reset();
        QFile::remove(path);
        return nullptr;
    }
    sqlca->setCommNo(commNo);
    return sqlca;
}

std::unique_ptr<Sqlca> openOrCreate(const QString& dbArgument, QString* error, const SetupProgress& progress)
{
    DbTarget target;
    if (!DbTarget::parse(dbArgument.isEmpty() ? defaultDatabasePath() : dbArgument, &target, error)) return nullptr;
    return openRegistry(target, QString(), error, progress);
}

} // namespace cr::app
