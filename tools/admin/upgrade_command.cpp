#include "frame/sqlca.h"
#include "schema/orphans.h"
#include "schema/schema.h"
#include "tools/admin/admin_command.h"
#include "tools/admin/admin_console.h"
#include "tools/admin/admin_database.h"
#include "tools/admin/command_line.h"
#include "tools/admin/registry_check.h"

namespace cr::admin {

namespace {

// Rows left pointing at records that no longer exist (written by earlier
// versions or by hand) are listed for the office to mend; never deleted.
int reportOrphans(Sqlca& sqlca, AdminConsole& console)
{
    QString error;
    const auto orphans = schema::findOrphans(sqlca, &error);
    if (!orphans) return console.fail(QStringLiteral("检查悬空记录失败：%1").arg(error));
    if (orphans->isEmpty()) {
        console.out() << QStringLiteral("没有发现指向不存在记录的数据。") << Qt::endl;
        return ExitOk;
    }
    console.out() << QStringLiteral("发现指向不存在记录的数据（未做任何删除，请核对后改正）：") << Qt::endl;
    for (const schema::Orphans& o : *orphans) console.out() << QStringLiteral("  ") << o.describe() << Qt::endl;
    return ExitOk;
}

} // namespace

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
        return reportOrphans(db->sqlca(), console);
    }
    if (!schema::upgrade(db->sqlca(), &error))
        return console.fail(QStringLiteral("升级 %1 失败：%2").arg(db->display(), error));
    console.out() << QStringLiteral("已把 %1 从结构版本 %2 升级到 %3")
                         .arg(db->display())
                         .arg(from)
                         .arg(schema::version(db->sqlca()))
                  << Qt::endl;
    return reportOrphans(db->sqlca(), console);
}

} // namespace cr::admin
