#pragma once

#include <QString>

namespace cr::resident_teams {

// How much of a scope the team's scope row keeps: the code and the readable
// scope are cut to this many characters (Unicode characters, as the
// database's text columns count them; a character outside the BMP is one
// character and is never cut in half). The test and the cut use the same
// measure.
constexpr int kScopeLimit = 4000;

int characterCount(const QString& text);
// The text itself when it has at most `limit` characters, else its first `limit`.
QString firstCharacters(const QString& text, int limit);

// The readable scope as the team stores it: one element a line ("," becomes "\r\n").
QString scopeLines(const QString& names);

} // namespace cr::resident_teams
