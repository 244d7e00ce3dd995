#pragma once

#include <QString>

namespace cr::colors {

// Colour numbers as the forms store them: red + 256 * green + 65536 * blue.
constexpr long rgb(int r, int g, int b) { return r + 256L * g + 65536L * b; }

// Reference looks of the register forms. The windows read them back from the
// form (describe) rather than from here; the forms are defined with them.
constexpr long required = rgb(255, 250, 205);    // a field that must be filled
constexpr long optional = rgb(255, 255, 255);    // a field that may stay empty
constexpr long context = rgb(236, 240, 245);     // shown for context, edited elsewhere
constexpr long lockedGrey = rgb(220, 220, 220);  // locked: not reachable
constexpr long fixedByMaster = rgb(255, 245, 190);

inline QString text(long colour) { return QString::number(colour); }

} // namespace cr::colors
