#pragma once

#include "persons_in_charge/floor_layout.h"

#include <QList>
#include <QString>
#include <optional>

namespace cr::persons_in_charge {

// One element of a dean's range code (docs/persons_in_charge.md):
//   B12           the whole building 12
//   B12U1         door 1, every floor             B7N"东门"   the gate 东门
//   B12U1F3       door 1, floor 3                 B12U1F1~6   floors 1 to 6
//   B12U2F-2~-1   door 2, basement floors 2 and 1
//   B7U0F1        floor 1, whichever door (a building without doors)
struct RangeElement {
    qlonglong building = 0;
    std::optional<Door> door;              // none: every door; the block (U0) too
    std::optional<QPair<int, int>> floors; // none: every floor; else first and last as written

    bool operator==(const RangeElement&) const = default;
};

// Where and why a code could not be read; position counts characters from 1.
struct RangeCodeError {
    int position = 0;
    QString reason;

    QString text() const { return QStringLiteral("第%1个字符处%2").arg(position).arg(reason); }
};

// The range code: the form of a dean's range that programs read. It is
// stored in tc_ge_buildingmanage.scopecode beside the readable text.
class RangeCode {
public:
    // The elements of a code, in order ("" has none); nullopt when the code
    // is malformed, with where and why in `error`.
    static std::optional<QList<RangeElement>> parse(const QString& code, RangeCodeError* error = nullptr);

    // The shortest code of the ticked cells of the building: "B12" for all
    // of it, "B12U2" for a whole door, else one element per run of
    // consecutive floors of a door (a run never crosses from basement to
    // ground). Cells outside the building are left out.
    static QString print(const FloorLayout& layout, const Cells& cells);
    static QString elementText(const RangeElement& element);

    // The building's cells the elements name. Elements that name another
    // building, a door it lacks or floors beyond its own are added to
    // `outside` (their cells inside the building still count).
    static Cells cells(const FloorLayout& layout, const QList<RangeElement>& elements,
                       QList<RangeElement>* outside = nullptr);
};

} // namespace cr::persons_in_charge
