#include "app/last_database.h"

#include <QFileInfo>
#include <QSettings>

namespace cr::app {
namespace {

const QString kGroup = QStringLiteral("lastdatabase");

} // namespace

void rememberDatabase(QSettings& settings, const DbTarget& target)
{
    if (target.engine == Engine::Sqlite && target.path == QLatin1String(":memory:")) return;
    settings.remove(kGroup);
    settings.beginGroup(kGroup);
    if (target.engine == Engine::Sqlite) {
        settings.setValue(QStringLiteral("engine"), QStringLiteral("sqlite"));
        // A relative path would mean another file when started elsewhere.
        settings.setValue(QStringLiteral("file"), QFileInfo(target.path).absoluteFilePath());
    } else {
        settings.setValue(QStringLiteral("engine"), QStringLiteral("postgresql"));
        settings.setValue(QStringLiteral("host"), target.host);
        settings.setValue(QStringLiteral("port"), target.port);
        settings.setValue(QStringLiteral("user"), target.user);
        settings.setValue(QStringLiteral("database"), target.database);
    }
    settings.endGroup();
    settings.sync();
}

std::optional<DbTarget> rememberedDatabase(QSettings& settings)
{
    settings.beginGroup(kGroup);
    const QString engine = settings.value(QStringLiteral("engine")).toString();
    DbTarget t;
    if (engine == QLatin1String("sqlite")) {
        t.engine = Engine::Sqlite;
        t.path = settings.value(QStringLiteral("file")).toString();
    } else if (engine == QLatin1String("postgresql")) {
        t.engine = Engine::Postgres;
        t.host = settings.value(QStringLiteral("host")).toString();
        t.port = settings.value(QStringLiteral("port"), 5432).toInt();
        t.user = settings.value(QStringLiteral("user")).toString();
        t.database = settings.value(QStringLiteral("database")).toString();
    }
    settings.endGroup();
    const bool usable = t.engine == Engine::Sqlite ? !t.path.isEmpty() : !t.host.isEmpty() && !t.database.isEmpty();
    if (engine.isEmpty() || !usable) return std::nullopt;
    return t;
}

} // namespace cr::app
