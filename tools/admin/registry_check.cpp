#include "tools/admin/registry_check.h"

#include "frame/sqlca.h"
#include "schema/database_state.h"
#include "schema/schema.h"

namespace cr::admin {

int registryVersion(Sqlca& sqlca, const QString& display, QString* problem)
{
    const schema::DatabaseState state = schema::inspect(sqlca);
    switch (state.kind) {
    case schema::DatabaseState::Kind::Registry:
        return state.version;
    case schema::DatabaseState::Kind::Empty:
        *problem = QStringLiteral("%1 中没有登记库结构，请先运行 community-admin init").arg(display);
        break;
    case schema::DatabaseState::Kind::Foreign:
        *problem = QStringLiteral("%1 不是登记库：%2").arg(display, state.error.fullText());
        break;
    case schema::DatabaseState::Kind::Unreadable:
        *problem = QStringLiteral("无法读取 %1：%2").arg(display, state.error.fullText());
        break;
    }
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
