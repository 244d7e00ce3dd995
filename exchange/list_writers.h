#pragma once

#include "exchange/list_export.h"

namespace cr::exchange {

class ListExtract;

struct WriteResult {
    ExportOutcome::Result result = ExportOutcome::Result::Failed;
    QString error;
};

// The two file writers behind exportList(); each writes the whole file at
// `path` (which the caller then puts in place).
WriteResult writeXlsx(const ListExtract& list, const QString& path, const ExportProgress& progress);
WriteResult writeCsv(const ListExtract& list, const QString& path, const ExportProgress& progress);

// Width of a text in spreadsheet columns: a Chinese character takes two.
int displayWidth(const QString& text);

} // namespace cr::exchange
