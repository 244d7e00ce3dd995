#include "schema/demo/natural_keys.h"

#include "frame/sqlca.h"

#include <QSqlRecord>
#include <QStringList>

namespace cr::demo {

bool readNaturalKeys(Sqlca& sqlca, const QString& sql, QHash<QString, int>* keys, QString* error)
{
    auto q = sqlca.selectRaw(sql);
    if (!q) {
        if (error) *error = QStringLiteral("读取新记录的编号失败：%1").arg(sqlca.sqlErrText());
        return false;
    }
    const int columns = q->record().count();
    while (q->next()) {
        QStringList parts;
        for (int c = 1; c < columns; ++c) parts << q->value(c).toString();
        keys->insert(parts.join(QLatin1Char('/')), q->value(0).toInt());
    }
    return true;
}

} // namespace cr::demo
