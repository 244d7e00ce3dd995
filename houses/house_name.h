#pragma once

#include <QString>

namespace cr {
class Sqlca;
}

namespace cr::houses {

// gf_gethousename: the text shown for one scope element.
//   "B12"   -> the building's name
//   "B12U3" -> door name + "(" + building name + ")"
//   "H457"  -> house number + "(" + building name + door name + ")"
//   "R0042" -> the household head's name (the number stays text)
//   anything else (also "", "b12", "X12", "12") -> ""
// Only reads; a row that is not found leaves its part as it was (empty), and
// a database error counts as a row not found. An empty column counts as empty
// text, so a bungalow house (no door word) still gets its name.
QString gf_gethousename(Sqlca& sqlca, const QString& as_housecode);

} // namespace cr::houses
