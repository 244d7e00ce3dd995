#include "frame/sqlca.h"
#include "schema/registry_settings.h"
#include "schema/schema.h"
#include "schema/schema_catalog.h"
#include "tools/admin/admin_command.h"
#include "tools/admin/admin_console.h"
#include "tools/admin/admin_database.h"
#include "tools/admin/command_line.h"
#include "tools/admin/registry_check.h"

namespace cr::admin {

int runInfo(const CommandLine& line, AdminConsole& console)
{
    const QString usage = findCommand(QStringLiteral("info"))->usage;
    if (line.positional().size() != 1) return console.usage(QStringLiteral("需要且只需要一个数据库参数 DB"), usage);
    QString error;
    auto db = AdminDatabase::open(line.positional().first(), AdminDatabase::Mode::MustExist, &error);
    if (!db) return console.fail(error);
    Sqlca& sqlca = db->sqlca();
    const int version = registryVersion(sqlca, db->display(), &error);
    if (version == 0) return console.fail(error);

    QTextStream& out = console.out();
    out << QStringLiteral("数据库：%1（%2）\n").arg(db->display(), sqlca.dialect().displayName())
        << QStringLiteral("结构版本：%1（本程序：%2）\n").arg(version).arg(schema::currentVersion())
        << QStringLiteral("社区编号：%1\n").arg(schema::setting(sqlca, schema::settings::kCommNo));
    if (const QString name = schema::communityName(sqlca); !name.isEmpty())
        out << QStringLiteral("社区名称：%1\n").arg(name);
    if (schema::isDemo(sqlca))
        out << QStringLiteral("演示数据：是（%1），不能用于实际登记\n").arg(schema::setting(sqlca, schema::settings::kDemo));
    out << QStringLiteral("各表记录数：\n");
    bool allRead = true;
    for (const schema::TableDecl& declared : schema::allTables()) {
        // Table names come from the schema's own declarations.
        const QString& table = declared.name;
        const QVariant n = sqlca.selectValue(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table));
        const QString count = sqlca.sqlCode() == Sqlca::Success ? QString::number(n.toLongLong())
                                                                : QStringLiteral("（无法读取）");
        allRead = allRead && sqlca.sqlCode() == Sqlca::Success;
        out << QStringLiteral("  %1 %2\n").arg(table, -24).arg(count, 9);
    }
    out.flush();
    return allRead ? ExitOk : console.fail(QStringLiteral("有的表无法读取，登记库可能不完整"));
}

} // namespace cr::admin
