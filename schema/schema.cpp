#include "schema/schema.h"

#include "frame/sqlca.h"

namespace cr::schema {

int currentVersion() { return 1; }

bool create(Sqlca& sqlca, QString* error)
{
    const bool ok = sqlca.executeRaw(QStringLiteral("CREATE TABLE cr_settings (name VARCHAR(40) PRIMARY KEY, value VARCHAR(200))"))
                    && sqlca.executeRaw(QStringLiteral("INSERT INTO cr_settings (name, value) VALUES ('schema_version', '1')"))
                    && sqlca.commit();
    if (!ok) {
        if (error) *error = sqlca.sqlErrText();
        sqlca.rollback();
    }
    return ok;
}

int version(Sqlca& sqlca) { return setting(sqlca, QStringLiteral("schema_version")).toInt(); }

bool upgrade(Sqlca&, QString*) { return true; }

QString setting(Sqlca& sqlca, const QString& name)
{
    return sqlca.selectValue(QStringLiteral("SELECT value FROM cr_settings WHERE name = :name"),
                             {{QStringLiteral("name"), name}}).toString();
}

bool setSetting(Sqlca& sqlca, const QString& name, const QString& value)
{
    return sqlca.execute(QStringLiteral("UPDATE cr_settings SET value = :value WHERE name = :name"),
                         {{QStringLiteral("value"), value}, {QStringLiteral("name"), name}});
}

} // namespace cr::schema
