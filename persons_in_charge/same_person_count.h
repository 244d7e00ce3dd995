#pragma once

#include <QString>
#include <QVariant>
#include <optional>

namespace cr {
class Sqlca;
}

namespace cr::persons_in_charge {

// What both registers check before a validated save: how many records of
// `table` give this person the same master (building or area), over the
// whole table, the stored record `except` (by its key) left out. 0 when the
// count cannot be read.
struct SamePerson {
    QString table;          // TC_GE_BuildingDean
    QString masterColumn;   // BuildingNo
    QString keyColumn;      // BuildingmanagerNo
};
qlonglong samePersonCount(Sqlca& sqlca, const SamePerson& where, const QVariant& master, const QString& person,
                          std::optional<QVariant> except);

} // namespace cr::persons_in_charge
