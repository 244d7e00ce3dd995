#include "app/database_setup.h"

#include "schema/schema.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace cr::app {

QString defaultDatabasePath()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dir);
    return dir + QStringLiteral("/registry.db");
}

std::unique_ptr<Sqlca> openOrCreate(const QString& dbArgument, QString* error)
{
    const QString text = dbArgument.isEmpty() ? defaultDatabasePath() : dbArgument;
    DbTarget target;
    if (!DbTarget::parse(text, &target, error)) return nullptr;
    const bool fresh = target.engine == Engine::Sqlite && !QFile::exists(target.path);
    auto sqlca = Sqlca::connect(target, error);
    if (!sqlca) return nullptr;
    if (schema::version(*sqlca) == 0) {
        if (!schema::create(*sqlca, error)) {
            sqlca.reset();
            if (fresh) QFile::remove(target.path);   // never leave a half-created file
            return nullptr;
        }
    } else if (schema::version(*sqlca) < schema::currentVersion()) {
        if (!schema::upgrade(*sqlca, error)) return nullptr;
    }
    sqlca->setCommNo(schema::setting(*sqlca, QStringLiteral("commno")));
    return sqlca;
}

} // namespace cr::app
