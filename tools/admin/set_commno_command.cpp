#include "frame/sqlca.h"
#include "schema/schema.h"
#include "tools/admin/admin_command.h"
#include "tools/admin/admin_console.h"
#include "tools/admin/admin_database.h"
#include "tools/admin/command_line.h"
#include "tools/admin/registry_check.h"

#include <QRegularExpression>

namespace cr::admin {

int runSetCommNo(const CommandLine& line, AdminConsole& console)
{
    const QString usage = findCommand(QStringLiteral("set-commno"))->usage;
    if (line.positional().size() != 2) return console.usage(QStringLiteral("需要数据库参数 DB 和社区编号 CODE"), usage);
    const QString code = line.positional().at(1).trimmed();
    // Community numbers are codes of digits (and at most letters), short
    // enough for the commno column of every table.
    static const QRegularExpression valid(QStringLiteral("^[0-9A-Za-z]{1,20}$"));
    if (!valid.match(code).hasMatch())
        return console.usage(QStringLiteral("社区编号只能由 1 到 20 个数字或字母组成"), usage);

    QString error;
    auto db = AdminDatabase::open(line.positional().first(), AdminDatabase::Mode::MustExist, &error);
    if (!db) return console.fail(error);
    Sqlca& sqlca = db->sqlca();
    const int version = registryVersion(sqlca, db->display(), &error);
    if (version == 0) return console.fail(error);
    if (const QString mismatch = versionMismatch(version); !mismatch.isEmpty()) return console.fail(mismatch);

    const QString name = QStringLiteral("commno");
    bool ok = schema::setSetting(sqlca, name, code);
    // The setting row may be missing in a damaged database: add it.
    if (ok && sqlca.sqlNRows() == 0)
        ok = sqlca.execute(QStringLiteral("INSERT INTO cr_settings (name, value) VALUES (:name, :value)"),
                           {{QStringLiteral("name"), name}, {QStringLiteral("value"), code}});
    ok = ok && sqlca.commit() && schema::setting(sqlca, name) == code;
    if (!ok) {
        const QString reason = sqlca.sqlErrText();
        sqlca.rollback();
        return console.fail(QStringLiteral("设置社区编号失败：%1").arg(reason));
    }
    console.out() << QStringLiteral("%1 的社区编号已设为 %2（已有记录的社区编号不变）").arg(db->display(), code)
                  << Qt::endl;
    return ExitOk;
}

} // namespace cr::admin
