#include "frame/sqlca.h"
#include "schema/schema.h"
#include "tools/admin/admin_command.h"
#include "tools/admin/admin_console.h"
#include "tools/admin/admin_database.h"
#include "tools/admin/command_line.h"
#include "tools/admin/registry_check.h"

namespace cr::admin {

int runUpgrade(const CommandLine& line, AdminConsole& console)
{
    const QString usage = findCommand(QStringLiteral("upgrade"))->usage;
    if (line.positional().size() != 1) return console.usage(QStringLiteral("需要且只需要一个数据库参数 DB"), usage);
    QString error;
    auto db = AdminDatabase::open(line.positional().first(), AdminDatabase::Mode::MustExist, &error);
    if (!db) return console.fail(error);
    const int from = registryVersion(db->sqlca(), db->display(), &error);
    if (from == 0) return console.fail(error);
    const int current = schema::currentVersion();
    if (from > current) return console.fail(versionMismatch(from));
    if (from == current) {
        console.out() << QStringLiteral("%1 已是最新的结构版本 %2，无需升级").arg(db->display()).arg(current) << Qt::endl;
        return ExitOk;
    }
    if (!schema::upgrade(db->sqlca(), &error))
        return console.fail(QStringLiteral("升级 %1 失败：%2").arg(db->display(), error));
    console.out() << QStringLiteral("已把 %1 从结构版本 %2 升级到 %3")
                         .arg(db->display())
                         .arg(from)
                         .arg(schema::version(db->sqlca()))
                  << Qt::endl;
    return ExitOk;
}

} // namespace cr::admin
