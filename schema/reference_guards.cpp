#include "schema/reference_guards.h"

#include "frame/dialect.h"
#include "schema/references.h"

#include <QRegularExpression>

namespace cr::schema {

QString guardName(const RecordReference& r)
{
    static const QRegularExpression prefix(QStringLiteral("^tc_(ge|og)_"));
    QString table = r.table.toLower();
    QString master = r.masterTable.toLower();
    return QStringLiteral("fk_%1_%2_%3").arg(table.remove(prefix), r.column.toLower(), master.remove(prefix));
}

QStringList referenceGuards(const Dialect& dialect)
{
    QStringList statements;
    for (const RecordReference& r : recordReferences()) statements << dialect.referenceGuard(r, guardName(r));
    return statements;
}

} // namespace cr::schema
