#include "frame/sqlca.h"
#include "schema/registry_settings.h"
#include "schema/schema.h"
#include "tools/admin/admin_command.h"
#include "tools/admin/admin_console.h"
#include "tools/admin/admin_database.h"
#include "tools/admin/command_line.h"
#include "tools/admin/registry_check.h"

namespace cr::admin {

int runSetCommNo(const CommandLine& line, AdminConsole& console)
{
    const QString usage = findCommand(QStringLiteral("set-commno"))->usage;
    if (line.positional().size() != 2) return console.usage(QStringLiteral("需要数据库参数 DB 和社区编号 CODE"), usage);
    const QString code = line.positional().at(1).trimmed();
    if (!schema::isValidCommNo(code))
        return console.usage(QStringLiteral("社区编号只能由 1 到 20 个数字或字母组成"), usage);
    const QString name = line.value(QStringLiteral("name")).trimmed();
    if (line.has(QStringLiteral("name")) && (name.isEmpty() || name.size() > 50))
        return console.usage(QStringLiteral("社区名称不能为空，最多 50 个字"), usage);

    QString error;
    auto db = AdminDatabase::open(line.positional().first(), AdminDatabase::Mode::MustExist, &error);
    if (!db) return console.fail(error);
    Sqlca& sqlca = db->sqlca();
    const int version = registryVersion(sqlca, db->display(), &error);
    if (version == 0) return console.fail(error);
    if (const QString mismatch = versionMismatch(version); !mismatch.isEmpty()) return console.fail(mismatch);

    // A missing setting row (a damaged database) is added again.
    const bool ok = schema::setCommunity(sqlca, code, name) && sqlca.commit()
                    && schema::setting(sqlca, schema::settings::kCommNo) == code;
    if (!ok) {
        const QString reason = sqlca.sqlErrText();
        sqlca.rollback();
        return console.fail(QStringLiteral("设置社区编号失败：%1").arg(reason));
    }
    console.out() << QStringLiteral("%1 的社区编号已设为 %2").arg(db->display(), code);
    if (!name.isEmpty()) console.out() << QStringLiteral("，社区名称为 %1").arg(name);
    console.out() << QStringLiteral("（已有记录的社区编号不变）") << Qt::endl;
    return ExitOk;
}

} // namespace cr::admin
