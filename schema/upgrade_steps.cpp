#include "schema/upgrade_steps.h"

#include "schema/ddl_builder.h"

namespace cr::schema {
namespace {

// Version 2: the person-selection dialog searches persons by name and by
// ID number.
QStringList personSearchIndexes(const Dialect& dialect)
{
    const DdlBuilder ddl(dialect);
    return {ddl.createIndex({QStringLiteral("ix_personinfo_name"), QStringLiteral("tc_ge_personinfo"),
                             {QStringLiteral("personname")}}),
            ddl.createIndex({QStringLiteral("ix_personinfo_idcard"), QStringLiteral("tc_ge_personinfo"),
                             {QStringLiteral("idcard")}})};
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
