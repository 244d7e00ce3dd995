#pragma once

#include "frame/record_references.h"

#include <QStringList>

namespace cr {
class Dialect;
}

namespace cr::schema {

// The guard's name in the database: fk_houseinfo_buildingno_building.
QString guardName(const RecordReference& reference);

// The statements that guard every declared link (schema/references.cpp) in
// the engine's way; rows stored before are left as they are.
QStringList referenceGuards(const Dialect& dialect);

} // namespace cr::schema
