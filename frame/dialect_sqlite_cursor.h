#pragma once

#include "frame/row_cursor.h"

#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <memory>

namespace cr {

// A SELECT run through the SQLite library itself on the connection's handle:
// rows are stepped one by one and values read in their stored form (UTF-8
// text stays UTF-8), which is what makes a list of 100,000 houses cheap to
// read. Named values (:name) are bound as the Qt driver binds them. nullptr
// and *error when the statement cannot be prepared.
std::unique_ptr<RowCursor> openSqliteCursor(const QSqlDatabase& db, const QString& sql,
                                            const QList<QPair<QString, QVariant>>& params, QString* error);

// A statement of the SQLite library to run again and again with new
// positional values, bound as the driver binds them.
std::unique_ptr<PreparedStatement> prepareSqliteStatement(const QSqlDatabase& db, const QString& sql, QString* error);

} // namespace cr
