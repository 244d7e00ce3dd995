#include "schema/registry_settings.h"

#include "schema/schema.h"

#include <QRegularExpression>

namespace cr::schema {

bool isValidCommNo(const QString& code)
{
    static const QRegularExpression valid(QStringLiteral("^[0-9A-Za-z]{1,20}$"));
    return valid.match(code).hasMatch();
}

QString communityName(Sqlca& sqlca)
{
    return setting(sqlca, settings::kCommName);
}

bool isDemo(Sqlca& sqlca)
{
    return !setting(sqlca, settings::kDemo).isEmpty();
}

bool setCommunity(Sqlca& sqlca, const QString& commNo, const QString& name)
{
    if (!setSetting(sqlca, settings::kCommNo, commNo)) return false;
    return name.isEmpty() || setSetting(sqlca, settings::kCommName, name);
}

} // namespace cr::schema
