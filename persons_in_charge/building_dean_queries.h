#pragma once

#include <QString>
#include <QVariant>

namespace cr {
class Sqlca;
}

namespace cr::persons_in_charge {

// The statements of the building dean register. Counts answer 0 when the
// statement finds nothing or fails.
class BuildingDeanQueries {
public:
    explicit BuildingDeanQueries(Sqlca& sqlca);

    // The dean's range row in tc_ge_buildingmanage: how many there are,
    // the first one (issave "2"), a changed one. False when the statement
    // failed (the connection says why).
    qlonglong rangeRows(const QVariant& dean, const QVariant& building) const;
    bool insertRange(const QVariant& dean, const QVariant& building, const QVariant& name, const QVariant& code) const;
    bool updateRange(const QVariant& dean, const QVariant& building, const QVariant& name, const QVariant& code) const;

private:
    Sqlca& m_sqlca;
};

} // namespace cr::persons_in_charge
