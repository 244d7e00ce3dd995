#include "app/database_setup.h"

#include "schema/demo/demo_generator.h"
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

} // namespace

QString defaultDatabasePath()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dir);
    return dir + QStringLiteral("/registry.db");
}

std::unique_ptr<Sqlca> openRegistry(const DbTarget& target, const QString& password, QString* error,
                                    const SetupProgress& progress)
{
    const bool newFile = target.engine == Engine::Sqlite && target.path != QLatin1String(":memory:")
                         && !QFile::exists(target.path);
    std::unique_ptr<Sqlca> sqlca;
    {
        const ScopedPgPassword pgPassword(target.engine == Engine::Postgres ? password : QString());
        sqlca = Sqlca::connect(target, error);
    }
    if (!sqlca) return nullptr;

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
        if (newFile && isDefaultDatabase(target) && !fillDemo(*sqlca, progress, &why))
            return giveUp(QStringLiteral("无法生成示例数据：%1").arg(why));
    } else if (version > schema::currentVersion()) {
        return giveUp(QStringLiteral("数据库版本（%1）比本程序新，请升级本程序。").arg(version));
    } else if (version < schema::currentVersion() && !schema::upgrade(*sqlca, &why)) {
        return giveUp(QStringLiteral("数据库升级失败：%1").arg(why));
    }
    sqlca->setCommNo(schema::setting(*sqlca, QStringLiteral("commno")));
    return sqlca;
}

std::unique_ptr<Sqlca> openOrCreate(const QString& dbArgument, QString* error, const SetupProgress& progress)
{
    DbTarget target;
    if (!DbTarget::parse(dbArgument.isEmpty() ? defaultDatabasePath() : dbArgument, &target, error)) return nullptr;
    return openRegistry(target, QString(), error, progress);
}

} // namespace cr::app
