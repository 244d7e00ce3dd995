#include "frame/sqlca.h"
#include "maintenance/registry_backup.h"
#include "schema/schema.h"
#include "tools/admin/admin_command.h"
#include "tools/admin/admin_console.h"
#include "tools/admin/admin_database.h"
#include "tools/admin/command_line.h"
#include "tools/admin/registry_check.h"

#include <QDir>
#include <QFileInfo>

namespace cr::admin {
namespace {

// A SQLite backup must hold a registry this program can open.
bool checkSqliteBackup(const QString& file, QString* error)
{
    auto backup = AdminDatabase::open(file, AdminDatabase::Mode::MustExist, error);
    if (!backup) return false;
    const int version = registryVersion(backup->sqlca(), file, error);
    if (version == 0) return false;
    if (version > schema::currentVersion()) {
        *error = versionMismatch(version);
        return false;
    }
    return true;
}

} // namespace

int runRestore(const CommandLine& line, AdminConsole& console)
{
    const QString usage = findCommand(QStringLiteral("restore"))->usage;
    if (line.positional().size() != 2) return console.usage(QStringLiteral("需要数据库参数 DB 和备份文件 FILE"), usage);
    const QString file = line.positional().at(1);
    QString error;
    DbTarget target;
    if (!DbTarget::parse(line.positional().at(0), &target, &error)) return console.usage(error, usage);
    if (!QFileInfo(file).isFile()) return console.fail(QStringLiteral("备份文件不存在：%1").arg(file));
    if (maintenance::backupKind(file) == maintenance::BackupKind::Sqlite && !checkSqliteBackup(file, &error))
        return console.fail(QStringLiteral("备份文件不能用：%1").arg(error));

    const bool replaces = target.engine == Engine::Postgres || QFileInfo::exists(target.path);
    if (replaces && !line.has(QStringLiteral("yes"))) {
        console.out() << QStringLiteral("提示：恢复会用备份替换 %1 中的全部数据。").arg(target.display()) << Qt::endl;
        return console.fail(QStringLiteral("没有确认，什么都没有改变。确定要恢复请加上 --yes"));
    }
    if (target.engine == Engine::Sqlite && !QFileInfo(target.path).absoluteDir().exists())
        return console.fail(
            QStringLiteral("数据库文件所在的文件夹不存在：%1").arg(QFileInfo(target.path).absolutePath()));

    if (!maintenance::restoreRegistry(target, file, console.progress(QStringLiteral("恢复")), &error))
        return console.fail(QStringLiteral("恢复失败，%1 没有改变：%2").arg(target.display(), error));

    auto db = AdminDatabase::open(target.display(), AdminDatabase::Mode::MustExist, &error);
    const int version = db ? registryVersion(db->sqlca(), db->display(), &error) : 0;
    if (version == 0) return console.fail(QStringLiteral("已恢复，但恢复后的数据库无法读取：%1").arg(error));
    console.out() << QStringLiteral("已从 %1 恢复 %2（结构版本 %3）").arg(file, target.display()).arg(version) << Qt::endl;
    if (const QString mismatch = versionMismatch(version); !mismatch.isEmpty()) console.out() << mismatch << Qt::endl;
    return ExitOk;
}

} // namespace cr::admin
