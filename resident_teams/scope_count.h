#pragma once

#include <QString>

namespace cr {
class Sqlca;
}

namespace cr::resident_teams {

// gf_scope2rprnum: the households and persons a scope code covers.
// Both counts are set to 0 first; an empty code runs no statement. Per
// element:
//   B<building>        households linked to the building's houses, and their living persons
//   B<building>U<door> the same for the houses of one door
//   H<house>           the same for one house
//   R<rprno>           1 household, not looked up, and every person row of it
// Nothing is de-duplicated: an element that overlaps another is counted
// again, and a household linked to several houses of an element once per
// link (stored counts were always made so). Ignored elements (empty,
// lower-case or unknown kind) count nothing; a number part that is not a
// number reads as 0 and so finds nothing. A statement that fails adds
// nothing. Always returns 0.
int gf_scope2rprnum(Sqlca& sqlca, const QString& as_scopecode, qlonglong& al_rprnum, qlonglong& al_personnum);

} // namespace cr::resident_teams
