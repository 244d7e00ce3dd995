#include "schema/upgrade_steps.h"

namespace cr::schema {
namespace {

// Version 2: the person-selection dialog searches persons by name and by
// ID number.
QStringList personSearchIndexes(const Dialect&)
{
    return {QStringLiteral("CREATE INDEX ix_personinfo_name ON tc_ge_personinfo (personname)"),
            QStringLiteral("CREATE INDEX ix_personinfo_idcard ON tc_ge_personinfo (idcard)")};
}

} // namespace

const QList<UpgradeStep>& upgradeSteps()
{
    static const QList<UpgradeStep> steps{
        {2, "indexes for the person search by name and ID number", &personSearchIndexes},
    };
    return steps;
}

} // namespace cr::schema
