#pragma once

#include "exchange/import_plan.h"

#include <QSet>

namespace cr::exchange {

// The checks of one kind of import that need the whole file and the
// database: the same person, household or link twice in the file, records
// already registered (skipped), households and houses that must exist,
// birth date and sex against the identity card number. Moves the records
// into plan.toAdd or plan.present, problems into plan.problems. False with
// *error when the database could not be read.
bool checkRecords(Sqlca& sqlca, ImportKind kind, QList<ImportRecord>& records, ImportPlan& plan, QString* error);

// What identifies a record of the kind: the identity card number, the
// household number, or household and house.
QString recordKey(ImportKind kind, const ImportRecord& record);

// The keys of the given records that the database already holds.
bool registeredKeys(Sqlca& sqlca, ImportKind kind, const QList<ImportRecord>& records, QSet<QString>* keys,
                    QString* error);

} // namespace cr::exchange
