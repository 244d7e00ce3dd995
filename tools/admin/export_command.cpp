#include "exchange/list_export.h"
#include "exchange/list_extract.h"
#include "exchange/list_lookup.h"
#include "exchange/list_search.h"
#include "frame/dataview.h"
#include "tools/admin/admin_command.h"
#include "tools/admin/admin_console.h"
#include "tools/admin/command_line.h"
#include "tools/admin/registry_session.h"

#include <QDir>

namespace cr::admin {

// A list as the desktop shows it, written to xlsx or CSV: the same columns,
// headings, lookup texts, formats and order, narrowed by --search as the
// list page's search box narrows it.
int runExport(const CommandLine& line, AdminConsole& console)
{
    const QString usage = findCommand(QStringLiteral("export"))->usage;
    if (line.positional().size() != 2) return console.usage(QStringLiteral("需要数据库 DB 和列表名 VIEW 两个参数"), usage);
    const QString out = line.value(QStringLiteral("out"));
    exchange::ExportFormat format;
    if (out.isEmpty() || !exchange::formatForPath(out, &format))
        return console.usage(QStringLiteral("需要用 --out 指定以 .xlsx 或 .csv 结尾的文件名"), usage);

    int exitCode = ExitOk;
    auto session = RegistrySession::open(line.positional()[0], console, &exitCode);
    if (!session) return exitCode;
    const exchange::ListChoice list =
        exchange::findList(session->catalog(), session->windows(), line.positional()[1]);
    if (!list.view)
        return console.usage(QStringLiteral("没有名为“%1”的列表。可用的列表：%2")
                                 .arg(line.positional()[1],
                                      exchange::listNames(session->windows()).join(QStringLiteral("、"))),
                             usage);

    DataView view(*list.view);
    view.setTransObject(&session->sqlca());
    view.setCatalog(&session->catalog());
    if (view.retrieve() < 0) return console.fail(QStringLiteral("读取列表失败：%1").arg(view.lastError()));
    const exchange::ListSearch search(line.value(QStringLiteral("search")));
    const exchange::ListExtract extract(view, search.rows(view, exchange::listColumns(view)), list.title);
    const exchange::ExportOutcome outcome = exchange::exportList(extract, out, format);
    if (!outcome.ok()) return console.fail(outcome.error);
    console.out() << QStringLiteral("已导出 %1 条记录（共 %2 条）到 %3")
                         .arg(outcome.rows)
                         .arg(view.rowCount())
                         .arg(QDir::toNativeSeparators(out))
                  << Qt::endl;
    return ExitOk;
}

} // namespace cr::admin
