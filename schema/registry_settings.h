#pragma once

#include <QString>

namespace cr {
class Sqlca;
}

namespace cr::schema {

// Named values a registry keeps about itself in cr_settings, next to the
// structure version.
namespace settings {
inline const QString kCommNo = QStringLiteral("commno");       // the office's community number
inline const QString kCommName = QStringLiteral("commname");   // the community's name, shown in the title
inline const QString kDemo = QStringLiteral("demo");           // "small"/"large" in a demo registry, else absent
} // namespace settings

// A community number: 1 to 20 digits or letters (the commno column of every
// table is 20 wide).
bool isValidCommNo(const QString& code);

// The community's name; empty when none was given.
QString communityName(Sqlca& sqlca);

// True for a registry filled by the demo generator (and copies of one):
// made-up people that must never be mistaken for the office's own.
bool isDemo(Sqlca& sqlca);

// Stores the community number and, when not empty, the name, inside the
// connection's unit of work (commit it).
bool setCommunity(Sqlca& sqlca, const QString& commNo, const QString& name);

} // namespace cr::schema
