#include "frame/sqlca.h"
#include "schema/house_duplicates.h"
#include "schema/orphans.h"
#include "schema/schema.h"
#include "tools/admin/admin_command.h"
#include "tools/admin/admin_console.h"
#include "tools/admin/admin_database.h"
#include "tools/admin/command_line.h"
#include "tools/admin/registry_check.h"

namespace cr::admin {
namespace {

// Houses stored twice are listed, never deleted: which copy is right is for
// the office to decide. The unique index waits until they are resolved.
int reportDuplicateHouses(AdminConsole& console, Sqlca& sqlca, bool indexWaits)
{
    QString error;
    const auto duplicates = schema::duplicateHouses(sqlca, &error);
    if (!duplicates) return console.fail(QStringLiteral("无法检查重复的房屋：%1").arg(error));
    if (duplicates->isEmpty()) return ExitOk;
    console.out() << QStringLiteral("发现 %1 处重复登记的房屋（同一楼院、单元和房号），均未删除：").arg(duplicates->size())
                  << Qt::endl;
    for (const schema::DuplicateHouse& d : *duplicates) console.out() << QStringLiteral("  ") << d.describe() << Qt::endl;
    if (indexWaits)
        console.out() << QStringLiteral("房号唯一约束暂未建立：请在房屋登记中删除或改正重复的房屋后再运行 upgrade。")
                      << Qt::endl;
    return ExitOk;
}

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
    const QStringList waitedBefore = schema::waitingSteps(db->sqlca());
    if (!schema::upgrade(db->sqlca(), &error))
        return console.fail(QStringLiteral("升级 %1 失败：%2").arg(db->display(), error));
    if (from == current)
        console.out() << QStringLiteral("%1 已是最新的结构版本 %2，无需升级").arg(db->display()).arg(current) << Qt::endl;
    else
        console.out() << QStringLiteral("已把 %1 从结构版本 %2 升级到 %3")
                             .arg(db->display())
                             .arg(from)
                             .arg(schema::version(db->sqlca()))
                      << Qt::endl;
    const QStringList waiting = schema::waitingSteps(db->sqlca());
    for (const QString& step : waitedBefore)
        if (!waiting.contains(step)) console.out() << QStringLiteral("已补做：%1").arg(step) << Qt::endl;
    if (const int exit = reportDuplicateHouses(console, db->sqlca(), !waiting.isEmpty()); exit != ExitOk) return exit;
    return reportOrphans(db->sqlca(), console);
}

} // namespace cr::admin
