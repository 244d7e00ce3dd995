#pragma once

#include "persons_in_charge/floor_layout.h"
#include "persons_in_charge/range_code.h"

#include <QString>
#include <QStringList>

namespace cr::persons_in_charge {

// The readable range: the form of a dean's range that clerks read, stored in
// tc_ge_buildingmanage.scopename and shown in the lists
// (docs/persons_in_charge.md):
//   全部                          the whole building
//   1单元1-6层，2单元全部         door 1 floors 1 to 6, all of door 2
//   1单元地下1-2层、3层、5层       basement floors 1 and 2, floors 3 and 5
//   东门，西门1层                 gates of a bungalow compound
//   1-3层                         a building without doors
class RangeText {
public:
    static QString print(const FloorLayout& layout, const Cells& cells);

    // Reads a readable range back into the building's cells: what print()
    // writes, and what the first version of the floor dialog wrote. Parts it
    // cannot read, or that name a door or floor the building lacks, go to
    // `unread` and tick nothing.
    static Cells parse(const FloorLayout& layout, const QString& text, QStringList* unread = nullptr);

    // One element of a code in words, for notes ("3单元1-9层", "东门").
    static QString describe(const FloorLayout& layout, const RangeElement& element);

    static QString everything() { return QStringLiteral("全部"); }
};

} // namespace cr::persons_in_charge
