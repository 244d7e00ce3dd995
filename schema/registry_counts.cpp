#include "schema/registry_counts.h"

#include "frame/sql_values.h"

namespace cr::schema {

QList<RegistryCount> registryCounts(Sqlca& sqlca)
{
    struct Figure {
        const char* label;
        const char* unit;
        const char* table;
    };
    static const Figure figures[] = {
        {"责任区", "个", "tc_ge_regionalmanage"}, {"楼院", "座", "tc_ge_building"},
        {"房屋", "套", "tc_ge_houseinfo"},        {"户籍", "户", "tc_ge_rpr"},
        {"人员", "人", "tc_ge_personinfo"},       {"居民小组", "个", "tc_og_inhabitantteam"},
        {"出租房屋", "套", "tc_ge_renthousereg"},
    };
    QList<RegistryCount> counts;
    for (const Figure& f : figures)
        counts << RegistryCount{QString::fromUtf8(f.label), QString::fromUtf8(f.unit),
                                numberOrZero(sqlca, QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(f.table)))};
    return counts;
}

} // namespace cr::schema
