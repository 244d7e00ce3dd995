#include "tools/admin/registry_check.h"

#include "frame/sqlca.h"
#include "schema/schema.h"

namespace cr::admin {

int registryVersion(Sqlca& sqlca, const QString& display, QString* problem)
{
    const int version = schema::version(sqlca);
    if (version > 0) return version;
    if (sqlca.sqlCode() == Sqlca::Failure)
        *problem = QStringLiteral("%1 不是登记库，或无法读取（%2）。新库请先运行 community-admin init")
                       .arg(display, sqlca.sqlErrText());
    else
        *problem = QStringLiteral("%1 中没有登记库结构，请先运行 community-admin init").arg(display);
    return 0;
}

QString versionMismatch(int version)
{
    const int current = schema::currentVersion();
    if (version < current)
        return QStringLiteral("登记库结构版本 %1 比本程序的版本 %2 旧，请先运行 community-admin upgrade")
            .arg(version).arg(current);
    if (version > current)
        return QStringLiteral("登记库结构版本 %1 比本程序的版本 %2 新，请使用新版程序").arg(version).arg(current);
    return {};
}

} // namespace cr::admin
