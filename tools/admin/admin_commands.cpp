#include "tools/admin/admin_command.h"

#include "tools/admin/admin_console.h"

#include <cr_version.h>

namespace cr::admin {

const QList<AdminCommand>& adminCommands()
{
    static const QList<AdminCommand> commands{
        {QStringLiteral("init"), QStringLiteral("init DB"),
         QStringLiteral("在新的或空的数据库中建立登记库结构和代码表"), {}, runInit},
        {QStringLiteral("demo"), QStringLiteral("demo DB --size small|large [--seed N]"),
         QStringLiteral("写入演示社区数据（需要时先建立结构；只写入没有登记数据的库）"),
         {QStringLiteral("size"), QStringLiteral("seed")}, runDemo},
        {QStringLiteral("upgrade"), QStringLiteral("upgrade DB"),
         QStringLiteral("把登记库结构升级到本程序的版本，不删除任何数据"), {}, runUpgrade},
        {QStringLiteral("info"), QStringLiteral("info DB"),
         QStringLiteral("显示结构版本、社区编号和各表的记录数"), {}, runInfo},
        {QStringLiteral("set-commno"), QStringLiteral("set-commno DB CODE [--name 社区名称]"),
         QStringLiteral("设置本社区的社区编号（新记录使用）和社区名称"), {QStringLiteral("name")}, runSetCommNo},
        {QStringLiteral("copy"), QStringLiteral("copy FROM TO"),
         QStringLiteral("把整个登记库复制到另一个（空的）登记库，如从本机文件搬到数据库服务器；全部成功或什么都不写"),
         {}, runCopy},
        {QStringLiteral("backup"), QStringLiteral("backup DB FILE [--yes]"),
         QStringLiteral("备份登记库（本机文件：在线备份，程序打开时也可；服务器：pg_dump）；--yes 覆盖已有的备份文件"),
         {}, runBackup, {QStringLiteral("yes")}},
        {QStringLiteral("restore"), QStringLiteral("restore DB FILE --yes"),
         QStringLiteral("用备份文件替换登记库中的全部数据（须加 --yes 确认；恢复到新文件时不必）"), {}, runRestore,
         {QStringLiteral("yes")}},
        {QStringLiteral("generate-houses"), QStringLiteral("generate-houses DB --building N"),
         QStringLiteral("按楼院的层数、单元数和每层户数批量生成房屋（只增加还没有的房号）"),
         {QStringLiteral("building")}, runGenerateHouses},
        {QStringLiteral("delete-houses"), QStringLiteral("delete-houses DB --building N --yes"),
         QStringLiteral("批量删除楼院的所有房屋（须加 --yes 确认）"), {QStringLiteral("building")}, runDeleteHouses,
         {QStringLiteral("yes")}},
        {QStringLiteral("export"), QStringLiteral("export DB VIEW --out FILE.xlsx|FILE.csv [--search TEXT]"),
         QStringLiteral("把列表（如 房屋、d_ge_building）按界面所示的列、顺序和合计导出为 Excel 或 CSV 文件"),
         {QStringLiteral("out"), QStringLiteral("search")}, runExport},
        {QStringLiteral("import"), QStringLiteral("import DB FILE --kind persons|households|links [--dry-run]"),
         QStringLiteral("从 Excel 或 CSV 文件导入人员、户籍或户与房屋的对应关系；有错误时列出并且不写入"),
         {QStringLiteral("kind")}, runImport, {QStringLiteral("dry-run")}},
        {QStringLiteral("coverage"), QStringLiteral("coverage DB [--houses]"),
         QStringLiteral("按责任区列出没有居民小组管辖和由多个居民小组管辖的房屋、户和人口（--houses 列出这些房屋）"), {},
         runCoverage, {QStringLiteral("houses")}},
    };
    return commands;
}

const AdminCommand* findCommand(const QString& name)
{
    for (const AdminCommand& c : adminCommands())
        if (c.name == name) return &c;
    return nullptr;
}

void printHelp(AdminConsole& console)
{
    QTextStream& out = console.out();
    out << QStringLiteral("community-admin %1 —— 社区居委会登记库管理工具\n\n").arg(QStringLiteral(CR_VERSION))
        << QStringLiteral("用法：community-admin 命令 DB [选项]\n\n命令：\n");
    for (const AdminCommand& c : adminCommands())
        out << QStringLiteral("  %1\n      %2\n").arg(c.usage, c.summary);
    out << QStringLiteral(
        "\nDB 是 SQLite 数据库文件的路径，或 PostgreSQL 地址 postgresql://用户@主机:端口/数据库名。\n"
        "PostgreSQL 的密码只从环境变量 PGPASSWORD 或 ~/.pgpass 读取，不能写在命令行或地址中。\n\n"
        "示例：\n"
        "  community-admin init registry.db\n"
        "  community-admin demo registry.db --size small --seed 7\n"
        "  community-admin info postgresql://clerk@db.example:5432/registry\n"
        "  community-admin copy registry.db postgresql://clerk@db.example:5432/registry\n"
        "  community-admin backup registry.db /media/backup/registry-2024-06-30.db\n\n"
        "退出码：0 成功，1 执行失败（如无法连接数据库），2 命令或参数错误。\n");
    out.flush();
}

} // namespace cr::admin
