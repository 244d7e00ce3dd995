#pragma once

#include <QString>
#include <QVariant>
#include <optional>

namespace cr {
class Sqlca;
}

namespace cr::persons_in_charge {

// Managers of the area who are this person, over the whole table (the
// manager `except` left out when given); 0 when the count cannot be read.
qlonglong sameManagerCount(Sqlca& sqlca, const QVariant& area, const QString& person, std::optional<QVariant> except);

} // namespace cr::persons_in_charge
