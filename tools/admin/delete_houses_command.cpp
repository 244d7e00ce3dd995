#include "frame/dataview.h"
#include "houses/house_batch.h"
#include "tools/admin/admin_command.h"
#include "tools/admin/admin_console.h"
#include "tools/admin/command_line.h"
#include "tools/admin/house_batch_target.h"

namespace cr::admin {

// The batch window's deletion of all houses of one building. The window asks
// first (default No); here --yes is the answer, and without it nothing is
// deleted.
int runDeleteHouses(const CommandLine& line, AdminConsole& console)
{
    int exitCode = ExitOk;
    auto target = HouseBatchTarget::load(line, findCommand(QStringLiteral("delete-houses"))->usage, console,
                                         &exitCode);
    if (!target) return exitCode;
    const int total = target->houses().rowCount();
    console.out() << target->buildingLabel() << QStringLiteral("：") << houses::HouseBatch::countLine(total)
                  << Qt::endl;
    if (total < 1) return ExitOk;   // nothing to delete: the window does nothing either
    houses::HouseBatch batch(target->sqlca(), target->houses());
    const houses::BatchOutcome refused = batch.refuseWhileInUse(target->building());
    if (refused.hasMessage()) {
        printOutcome(console, refused);
        return ExitFailed;
    }
    if (!line.has(QStringLiteral("yes"))) {
        console.out() << QStringLiteral("提示：") << houses::HouseBatch::deleteQuestion(target->building().name, total)
                      << Qt::endl;
        return console.fail(QStringLiteral("没有确认，未删除任何房屋。确定要删除请加上 --yes"));
    }
    const houses::BatchOutcome o = batch.removeAll();
    printOutcome(console, o);
    if (o.result != houses::BatchOutcome::Result::Done) return ExitFailed;
    console.out() << QStringLiteral("已删除%1套房屋。").arg(o.count)
                  << houses::HouseBatch::countLine(target->houses().rowCount(), true) << Qt::endl;
    return ExitOk;
}

} // namespace cr::admin
