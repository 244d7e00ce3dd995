#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace cr {
class Sqlca;
}

namespace cr::houses {

// The houses of one building other records still refer to (households
// living there, rental registrations, tenants, sanctions): the batch
// deletion is refused while there are any.
struct HousesInUse {
    int houses = 0;        // houses with at least one such record
    QStringList records;   // "15 条住户居住登记", one per kind

    bool any() const { return houses > 0; }
    // "该楼院有 3 套房屋还在使用（15 条住户居住登记、1 条出租登记），不能批量删除。..."
    QString refusal() const;
};

// nullopt when the counts could not be read (error set).
std::optional<HousesInUse> housesInUse(Sqlca& sqlca, const QVariant& buildingNo, QString* error);

} // namespace cr::houses
