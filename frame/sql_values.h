#pragma once

#include "frame/sqlca.h"

namespace cr {

// The first column of the first row as a whole number: 0 when there is no
// row, the value is empty or the statement failed. The windows' counting
// checks read their counts so (a count that cannot be read finds nothing).
qlonglong numberOrZero(Sqlca& sqlca, const QString& sql, const SqlParams& params = {});

} // namespace cr
