#include "frame/dataview.h"
#include "houses/house_batch.h"
#include "tools/admin/admin_command.h"
#include "tools/admin/admin_console.h"
#include "tools/admin/command_line.h"
#include "tools/admin/house_batch_target.h"

namespace cr::admin {

// The batch window's generation for one building: the same rules, the same
// messages, non-zero exit where the window refuses or the save fails.
int runGenerateHouses(const CommandLine& line, AdminConsole& console)
{
    int exitCode = ExitOk;
    auto target = HouseBatchTarget::load(line, findCommand(QStringLiteral("generate-houses"))->usage, console,
                                         &exitCode, HouseBatchTarget::Grid::ForGeneration);
    if (!target) return exitCode;
    console.out() << target->buildingLabel() << QStringLiteral("：")
                  << houses::HouseBatch::countLine(target->houses().rowCount()) << Qt::endl;
    // The target read the grid under the building's lock: it is not read again.
    houses::HouseBatch batch(target->sqlca(), target->houses());
    const houses::BatchOutcome o = batch.generate(target->building(), houses::HouseBatch::GridRead::UnderLock);
    printOutcome(console, o);
    if (o.result != houses::BatchOutcome::Result::Done) return ExitFailed;
    console.out() << houses::HouseBatch::countLine(target->houses().rowCount()) << Qt::endl;
    return ExitOk;
}

} // namespace cr::admin
