#pragma once

#include <QHash>
#include <QString>

namespace cr {
class Sqlca;
}

namespace cr::demo {

// Reads back the keys the database gave new rows: the statement selects the
// key first and the natural key in the remaining columns, which are joined
// by "/" ("12/1/302室"). False with a message in `error` when it fails.
bool readNaturalKeys(Sqlca& sqlca, const QString& sql, QHash<QString, int>* keys, QString* error);

} // namespace cr::demo
