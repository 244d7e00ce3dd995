#include "frame/sqlca.h"
#include "maintenance/registry_copy.h"
#include "schema/schema.h"
#include "tools/admin/admin_command.h"
#include "tools/admin/admin_console.h"
#include "tools/admin/admin_database.h"
#include "tools/admin/command_line.h"
#include "tools/admin/registry_check.h"

#include <QFileInfo>

namespace cr::admin {
namespace {

// Two arguments that name the same database (a file by two paths, a server
// by the same host, port and name).
bool sameDatabase(const DbTarget& a, const DbTarget& b)
{
    if (a.engine != b.engine) return false;
    if (a.engine == Engine::Sqlite) {
        const QFileInfo fa(a.path);
        const QFileInfo fb(b.path);
        return fa.exists() && fb.exists() ? fa.canonicalFilePath() == fb.canonicalFilePath()
                                          : fa.absoluteFilePath() == fb.absoluteFilePath();
    }
    return a.host == b.host && a.port == b.port && a.database == b.database && a.schema == b.schema;
}

void printCounts(AdminConsole& console, const QList<maintenance::CopiedTable>& tables)
{
    qint64 total = 0;
    for (const maintenance::CopiedTable& t : tables) {
        console.out() << QStringLiteral("  %1 %2\n").arg(t.table, -24).arg(t.rows, 9);
        total += t.rows;
    }
    console.out() << QStringLiteral("  %1 %2\n").arg(QStringLiteral("合计"), -22).arg(total, 9);
}

} // namespace

int runCopy(const CommandLine& line, AdminConsole& console)
{
    const QString usage = findCommand(QStringLiteral("copy"))->usage;
    if (line.positional().size() != 2) return console.usage(QStringLiteral("需要源数据库 FROM 和目标数据库 TO"), usage);
    QString error;
    DbTarget fromTarget;
    DbTarget toTarget;
    if (!DbTarget::parse(line.positional().at(0), &fromTarget, &error)) return console.usage(error, usage);
    if (!DbTarget::parse(line.positional().at(1), &toTarget, &error)) return console.usage(error, usage);
    if (sameDatabase(fromTarget, toTarget))
        return console.usage(QStringLiteral("源数据库和目标数据库是同一个数据库"), usage);

    auto from = AdminDatabase::open(line.positional().at(0), AdminDatabase::Mode::MustExist, &error);
    if (!from) return console.fail(error);
    const int version = registryVersion(from->sqlca(), from->display(), &error);
    if (version == 0) return console.fail(error);
    if (const QString mismatch = versionMismatch(version); !mismatch.isEmpty())
        return console.fail(QStringLiteral("源库：%1").arg(mismatch));

    auto to = AdminDatabase::open(line.positional().at(1), AdminDatabase::Mode::MayCreate, &error);
    if (!to) return console.fail(error);
    const int toVersion = schema::version(to->sqlca());
    bool builtHere = false;
    if (toVersion == 0) {
        if (!schema::create(to->sqlca(), &error)) {
            to->discardIfNew();
            return console.fail(QStringLiteral("在 %1 建立登记库结构失败：%2").arg(to->display(), error));
        }
        builtHere = true;
    } else if (const QString mismatch = versionMismatch(toVersion); !mismatch.isEmpty()) {
        return console.fail(QStringLiteral("目标库：%1").arg(mismatch));
    }

    maintenance::RegistryCopy copy(from->sqlca(), to->sqlca());
    copy.setProgress([&](int percent, const QString& step) {
        console.out() << QStringLiteral("[%1%] %2").arg(percent, 3).arg(step) << Qt::endl;
    });
    QList<maintenance::CopiedTable> copied;
    if (!copy.run(&copied, &error)) {
        to->discardIfNew();
        if (builtHere && to->target().engine == Engine::Postgres)
            error += QStringLiteral("（目标库中已建立的登记库结构保留，其中没有数据）");
        return console.fail(QStringLiteral("复制失败，目标库没有写入任何数据：%1").arg(error));
    }
    console.out() << QStringLiteral("已把 %1 复制到 %2，各表记录数已核对一致：\n").arg(from->display(), to->display());
    printCounts(console, copied);
    console.out().flush();
    return ExitOk;
}

} // namespace cr::admin
