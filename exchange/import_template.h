#pragma once

#include "exchange/import_kinds.h"

#include <QString>

namespace cr::exchange {

// An empty import table: the headings of the kind (required ones marked),
// its identity card, telephone and household number columns kept as text
// so that a spreadsheet program does not turn long numbers into numbers.
bool writeTemplate(ImportKind kind, const QString& path, QString* error);

// "人员导入模板.xlsx"
QString templateFileName(ImportKind kind);

} // namespace cr::exchange
