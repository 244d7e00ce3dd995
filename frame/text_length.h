#pragma once

#include <QString>

namespace cr {

class DataView;
struct ColumnDef;

// Text is measured in characters as both databases count them (a character
// outside the basic plane is one, not two), so a name refused here is the
// same on SQLite — which would store it whole — and on PostgreSQL — which
// would refuse it with an English error.
int textLength(const QString& text);

// Whether `text` fits the column; a column of no known length takes anything.
bool fitsColumn(const ColumnDef& column, const QString& text);

// "“楼院俗称”最多只能填写30个字，现在是35个字，请改短！"
QString tooLongMessage(const QString& label, int maxLength, int length);

// The first column written to the view's table whose value in `row` is longer
// than the column holds; nullptr when all fit.
const ColumnDef* firstTooLong(const DataView& view, int row);

} // namespace cr
