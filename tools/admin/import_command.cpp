#include "exchange/import_plan.h"
#include "exchange/import_write.h"
#include "exchange/sheet_reader.h"
#include "tools/admin/admin_command.h"
#include "tools/admin/admin_console.h"
#include "tools/admin/command_line.h"
#include "tools/admin/registry_session.h"

namespace cr::admin {

// Persons, households or household-to-house links from an xlsx or CSV file,
// with the desktop import's checks and report. Nothing is written while a
// row has a problem; otherwise every row is written in one transaction.
int runImport(const CommandLine& line, AdminConsole& console)
{
    const QString usage = findCommand(QStringLiteral("import"))->usage;
    if (line.positional().size() != 2) return console.usage(QStringLiteral("需要数据库 DB 和文件 FILE 两个参数"), usage);
    const exchange::ImportKindDef* kind = exchange::importKindByName(line.value(QStringLiteral("kind")));
    if (!kind) return console.usage(QStringLiteral("需要用 --kind 指定 persons（人员）、households（户籍）或 links（户与房屋）"), usage);

    int exitCode = ExitOk;
    auto session = RegistrySession::open(line.positional()[0], console, &exitCode);
    if (!session) return exitCode;
    const exchange::ImportPlan plan =
        exchange::planImport(session->sqlca(), kind->kind, exchange::readSheet(line.positional()[1]));

    QTextStream& out = console.out();
    out << kind->title << QStringLiteral("导入：") << plan.summary() << '\n';
    if (!plan.ignoredHeadings.isEmpty())
        out << QStringLiteral("未读取的列：") << plan.ignoredHeadings.join(QStringLiteral("、")) << '\n';
    for (const exchange::ImportProblem& p : plan.problems) out << p.text() << '\n';
    out.flush();
    if (!plan.problems.isEmpty())
        return console.fail(QStringLiteral("有 %1 个问题，没有导入任何数据。请改正文件后重新导入。").arg(plan.problems.size()));
    if (line.has(QStringLiteral("dry-run"))) {
        out << QStringLiteral("只做了检查（--dry-run），没有写入。") << Qt::endl;
        return ExitOk;
    }
    if (plan.toAdd.isEmpty()) {
        out << QStringLiteral("没有需要导入的新数据。") << Qt::endl;
        return ExitOk;
    }
    const exchange::ImportWriteOutcome written = exchange::writeImport(session->sqlca(), plan);
    if (!written.ok()) return console.fail(written.error);
    out << QStringLiteral("已导入 %1 行").arg(written.added);
    if (written.skipped > 0) out << QStringLiteral("，%1 行在检查后已由他人登记（跳过）").arg(written.skipped);
    out << QStringLiteral("。") << Qt::endl;
    return ExitOk;
}

} // namespace cr::admin
