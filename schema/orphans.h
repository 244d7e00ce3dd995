#pragma once

#include "frame/record_references.h"

#include <QList>
#include <QString>
#include <optional>

namespace cr {
class Sqlca;
}

namespace cr::schema {

// Rows whose link names a record that no longer exists (a household link to
// a deleted house), for one declared reference.
struct Orphans {
    RecordReference reference;
    qlonglong rows = 0;

    // "tc_ge_rprownhouse.houseno：15 行指向不存在的 tc_ge_houseinfo.houseno"
    QString describe() const;
};

// Every declared reference with orphan rows (none: an empty list); nullopt
// when the database could not be read (error set). Reads only.
std::optional<QList<Orphans>> findOrphans(Sqlca& sqlca, QString* error);

} // namespace cr::schema
