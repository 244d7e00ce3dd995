#pragma once

#include "persons_in_charge/floor_layout.h"

#include <QList>
#include <QString>
#include <optional>

namespace cr {
class Sqlca;
}

namespace cr::persons_in_charge {

// A building as the coverage page offers it.
struct BuildingEntry {
    qlonglong buildingNo = 0;
    QString name;
    QString address;
    QString kind;   // roomtype
};

// A living dean of a building with the range stored for him or her.
struct DeanRange {
    qlonglong deanNo = 0;   // buildingmanagerno
    QString person;
    QString duty;           // the duty's text
    QString readable;       // scopename
    QString code;           // scopecode
};

// What the floor dialog and the coverage page read about buildings and
// their deans.
class FloorQueries {
public:
    explicit FloorQueries(Sqlca& sqlca);

    // The doors and floors of a building; nullopt when there is no such
    // building (or it cannot be read). With `byGates` (a bungalow compound)
    // the doors are the gates its houses name and there is at least one
    // floor; otherwise the doors are numbered 1 .. unitnum. A building with
    // neither is one block.
    std::optional<FloorLayout> layout(qlonglong building, bool byGates) const;
    std::optional<QString> kind(qlonglong building) const;

    QList<BuildingEntry> buildings() const;              // in the order they were registered
    QList<DeanRange> deanRanges(qlonglong building) const;  // deceased persons left out

private:
    QStringList gates(qlonglong building) const;

    Sqlca& m_sqlca;
};

} // namespace cr::persons_in_charge
