#include "exchange/csv_format.h"
#include "exchange/list_extract.h"
#include "exchange/list_writers.h"

#include <QFile>

namespace cr::exchange {

// CSV as spreadsheet programs in Chinese offices open it: UTF-8 with a byte
// order mark, fields separated by commas, lines ended by CR LF, the shown
// texts of the list.
WriteResult writeCsv(const ListExtract& list, const QString& path, const ExportProgress& progress)
{
    WriteResult result;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        result.error = QStringLiteral("无法写入文件：%1").arg(file.errorString());
        return result;
    }
    QByteArray chunk("\xEF\xBB\xBF");
    QStringList cells;
    for (const ExtractColumn& c : list.columns()) cells << c.heading;
    chunk += csvLine(cells);
    const int rows = list.rowCount();
    for (int r = 0; r < rows; ++r) {
        cells.clear();
        for (int c = 0; c < list.columnCount(); ++c) cells << list.text(r, c);
        chunk += csvLine(cells);
        if ((r + 1) % kProgressStep == 0) {
            if (file.write(chunk) != chunk.size()) {
                result.error = QStringLiteral("写入文件失败：%1").arg(file.errorString());
                return result;
            }
            chunk.clear();
            if (progress && !progress(r + 1, rows)) {
                result.result = ExportOutcome::Result::Cancelled;
                return result;
            }
        }
    }
    if (list.hasSummary()) chunk += csvLine(list.summary());
    if (file.write(chunk) != chunk.size() || !file.flush()) {
        result.error = QStringLiteral("写入文件失败：%1").arg(file.errorString());
        return result;
    }
    if (progress) progress(rows, rows);
    result.result = ExportOutcome::Result::Written;
    return result;
}

} // namespace cr::exchange
