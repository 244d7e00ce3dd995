#pragma once

#include <QString>
#include <optional>

namespace cr::houses {

struct BatchBuilding;

// Why a building's counts cannot be generated at all: a negative count, a
// count beyond what the building form allows, or more houses than one
// building may hold. Checked before a single row is made, so a wild count
// can neither report "0 houses generated" nor eat the machine's memory.
// Empty and zero counts are left to the generation's own messages.
std::optional<QString> batchCountsRefusal(const BatchBuilding& building);

} // namespace cr::houses
