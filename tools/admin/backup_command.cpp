#include "maintenance/registry_backup.h"
#include "tools/admin/admin_command.h"
#include "tools/admin/admin_console.h"
#include "tools/admin/admin_database.h"
#include "tools/admin/command_line.h"
#include "tools/admin/registry_check.h"

#include <QFileInfo>
#include <QLocale>

namespace cr::admin {

int runBackup(const CommandLine& line, AdminConsole& console)
{
    const QString usage = findCommand(QStringLiteral("backup"))->usage;
    if (line.positional().size() != 2) return console.usage(QStringLiteral("需要数据库参数 DB 和备份文件 FILE"), usage);
    const QString file = line.positional().at(1);
    QString error;
    DbTarget target;
    {
        // Only to see that it is a registry; the backup reads on a connection of its own.
        auto db = AdminDatabase::open(line.positional().at(0), AdminDatabase::Mode::MustExist, &error);
        if (!db) return console.fail(error);
        if (registryVersion(db->sqlca(), db->display(), &error) == 0) return console.fail(error);
        target = db->target();
    }
    if (QFileInfo::exists(file) && !line.has(QStringLiteral("yes")))
        return console.fail(QStringLiteral("备份文件 %1 已存在。要覆盖它请加上 --yes").arg(file));

    const bool overwrite = line.has(QStringLiteral("yes"));
    if (!maintenance::backupRegistry(target, file, overwrite, console.progress(QStringLiteral("备份")), &error))
        return console.fail(QStringLiteral("备份失败：%1").arg(error));
    console.out() << QStringLiteral("已把 %1 备份到 %2（%3）")
                         .arg(target.display(), file, QLocale::system().formattedDataSize(QFileInfo(file).size()));
    if (target.engine == Engine::Postgres) console.out() << QStringLiteral("，pg_dump 自定义格式");
    console.out() << Qt::endl;
    return ExitOk;
}

} // namespace cr::admin
