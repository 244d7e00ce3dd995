#include "frame/sqlca.h"
#include "schema/demo/demo_generator.h"
#include "schema/schema.h"
#include "tools/admin/admin_command.h"
#include "tools/admin/admin_console.h"
#include "tools/admin/admin_database.h"
#include "tools/admin/command_line.h"
#include "tools/admin/registry_check.h"

#include <QElapsedTimer>

namespace cr::admin {
namespace {

bool readOptions(const CommandLine& line, demo::DemoOptions* options, QString* error)
{
    if (!line.has(QStringLiteral("size"))) {
        *error = QStringLiteral("缺少选项 --size small|large");
        return false;
    }
    if (!demo::parseDemoSize(line.value(QStringLiteral("size")), &options->size)) {
        *error = QStringLiteral("--size 只能是 small 或 large");
        return false;
    }
    if (line.has(QStringLiteral("seed"))) {
        bool ok = false;
        options->seed = line.value(QStringLiteral("seed")).toULongLong(&ok);
        if (!ok) {
            *error = QStringLiteral("--seed 必须是非负整数");
            return false;
        }
    }
    return true;
}

void printSummary(AdminConsole& console, const QString& display, const demo::DemoOptions& options,
                  const demo::DemoResult& result, double seconds)
{
    QTextStream& out = console.out();
    out << QStringLiteral("已向 %1 写入演示数据（%2，种子 %3），用时 %4 秒：\n")
               .arg(display,
                    options.size == demo::DemoSize::Small ? QStringLiteral("small") : QStringLiteral("large"))
               .arg(options.seed)
               .arg(seconds, 0, 'f', 1);
    for (const demo::TableLoad& t : result.tables)
        out << QStringLiteral("  %1 %2\n").arg(t.table, -24).arg(t.rows, 9);
    out << QStringLiteral("  %1 %2\n").arg(QStringLiteral("合计"), -22).arg(result.totalRows(), 9);
    out.flush();
}

} // namespace

int runDemo(const CommandLine& line, AdminConsole& console)
{
    const QString usage = findCommand(QStringLiteral("demo"))->usage;
    if (line.positional().size() != 1) return console.usage(QStringLiteral("需要且只需要一个数据库参数 DB"), usage);
    demo::DemoOptions options;
    QString error;
    if (!readOptions(line, &options, &error)) return console.usage(error, usage);

    auto db = AdminDatabase::open(line.positional().first(), AdminDatabase::Mode::MayCreate, &error);
    if (!db) return console.fail(error);
    const int version = schema::version(db->sqlca());
    if (version == 0) {
        if (!schema::create(db->sqlca(), &error)) {
            db->discardIfNew();
            return console.fail(QStringLiteral("在 %1 建立登记库结构失败：%2").arg(db->display(), error));
        }
    } else if (const QString mismatch = versionMismatch(version); !mismatch.isEmpty()) {
        return console.fail(mismatch);
    }

    QElapsedTimer timer;
    timer.start();
    demo::DemoGenerator generator(db->sqlca(), options);
    int shown = -1;
    generator.setProgress([&](int percent, const QString& step) {
        if (percent / 10 == shown / 10 && percent != 100) return;
        shown = percent;
        console.out() << QStringLiteral("[%1%] %2").arg(percent, 3).arg(step) << Qt::endl;
    });
    demo::DemoResult result;
    if (!generator.run(&result, &error)) {
        db->discardIfNew();
        return console.fail(QStringLiteral("写入演示数据失败：%1").arg(error));
    }
    printSummary(console, db->display(), options, result, double(timer.elapsed()) / 1000.0);
    return ExitOk;
}

} // namespace cr::admin
