#include "frame/sqlca.h"
#include "schema/database_state.h"
#include "schema/schema.h"
#include "tools/admin/admin_command.h"
#include "tools/admin/admin_console.h"
#include "tools/admin/admin_database.h"
#include "tools/admin/command_line.h"

namespace cr::admin {

int runInit(const CommandLine& line, AdminConsole& console)
{
    const QString usage = findCommand(QStringLiteral("init"))->usage;
    if (line.positional().size() != 1) return console.usage(QStringLiteral("需要且只需要一个数据库参数 DB"), usage);
    QString error;
    auto db = AdminDatabase::open(line.positional().first(), AdminDatabase::Mode::MayCreate, &error);
    if (!db) return console.fail(error);
    const schema::DatabaseState state = schema::inspect(db->sqlca());
    if (state.isRegistry())
        return console.fail(
            QStringLiteral("%1 已有登记库结构（版本 %2），不再重复建立").arg(db->display()).arg(state.version));
    if (!state.isEmpty()) {
        // Unreadable or holding another program's tables: left as it is.
        db->discardIfNew();
        return console.fail(QStringLiteral("不能在 %1 建立登记库结构：%2").arg(db->display(), state.error.fullText()));
    }
    if (!schema::create(db->sqlca(), &error)) {
        db->discardIfNew();
        return console.fail(QStringLiteral("在 %1 建立登记库结构失败：%2").arg(db->display(), error));
    }
    console.out() << QStringLiteral("已在 %1 建立登记库结构（版本 %2），社区编号 %3")
                         .arg(db->display())
                         .arg(schema::version(db->sqlca()))
                         .arg(schema::setting(db->sqlca(), QStringLiteral("commno")))
                  << Qt::endl;
    return ExitOk;
}

} // namespace cr::admin
