#include "schema/upgrade_steps.h"

#include "schema/house_duplicates.h"

namespace cr::schema {
namespace {

// Version 2: the person-selection dialog searches persons by name and by
// ID number.
QStringList personSearchIndexes(const Dialect&)
{
    return {QStringLiteral("CREATE INDEX ix_personinfo_name ON tc_ge_personinfo (personname)"),
            QStringLiteral("CREATE INDEX ix_personinfo_idcard ON tc_ge_personinfo (idcard)")};
}

// Version 3: a house number once per building and door, whoever stores it
// (two clerks generating one building at the same time stored every house
// twice). Waits while stored duplicates exist: `upgrade` lists them.
QStringList uniqueHouseNumbers(const Dialect&)
{
    return {uniqueHouseIndex()};
}

bool houseDuplicatesRemain(Sqlca& sqlca)
{
    const auto found = duplicateHouses(sqlca, nullptr);
    return !found || !found->isEmpty();
}

} // namespace

const QList<UpgradeStep>& upgradeSteps()
{
    static const QList<UpgradeStep> steps{
        {2, "indexes for the person search by name and ID number", &personSearchIndexes},
        {3, "house numbers unique per building and door", &uniqueHouseNumbers, &houseDuplicatesRemain},
    };
    return steps;
}

} // namespace cr::schema
