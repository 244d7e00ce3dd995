#pragma once

#include <QDate>
#include <QString>
#include <functional>

namespace cr::exchange {

class ListExtract;

enum class ExportFormat { Xlsx, Csv };

// Told how far the writing is; answers false to cancel.
using ExportProgress = std::function<bool(int done, int total)>;

struct ExportOutcome {
    enum class Result { Written, Cancelled, Failed } result = Result::Failed;
    int rows = 0;
    QString error;   // Chinese, for Failed
    bool ok() const { return result == Result::Written; }
};

// The format a file name asks for (by its ending); false when it names none.
bool formatForPath(const QString& path, ExportFormat* format);
QString formatSuffix(ExportFormat format);   // "xlsx", "csv"

// The file name proposed for an export: the list's title, the date and the
// number of rows, e.g. "房屋信息_2026-03-05_120条.xlsx". Characters a file
// name cannot hold become "_".
QString proposedFileName(const QString& title, const QDate& date, int rows, ExportFormat format);

// Writes the list to the file: xlsx (heading row frozen, widths that fit,
// numbers as numbers, dates as dates, the summary line in bold) or CSV
// (UTF-8 with BOM). The file appears whole or not at all: the work goes to a
// temporary file beside it that replaces the target only at the end; a
// cancelled or failed export leaves an existing file as it was.
ExportOutcome exportList(const ListExtract& list, const QString& path, ExportFormat format,
                         const ExportProgress& progress = {});

// How often the writers report: every this many rows.
constexpr int kProgressStep = 500;

} // namespace cr::exchange
