#include "exchange/list_export.h"

#include "exchange/list_extract.h"
#include "exchange/list_writers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

namespace cr::exchange {

bool formatForPath(const QString& path, ExportFormat* format)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("xlsx")) *format = ExportFormat::Xlsx;
    else if (suffix == QLatin1String("csv")) *format = ExportFormat::Csv;
    else return false;
    return true;
}

QString formatSuffix(ExportFormat format)
{
    return format == ExportFormat::Xlsx ? QStringLiteral("xlsx") : QStringLiteral("csv");
}

QString proposedFileName(const QString& title, const QDate& date, int rows, ExportFormat format)
{
    static const QRegularExpression unsafe(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f]+)"));
    QString name = title.trimmed();
    name.replace(unsafe, QStringLiteral("_"));
    if (name.isEmpty()) name = QStringLiteral("列表");
    return QStringLiteral("%1_%2_%3条.%4")
        .arg(name, date.toString(QStringLiteral("yyyy-MM-dd")))
        .arg(rows)
        .arg(formatSuffix(format));
}

ExportOutcome exportList(const ListExtract& list, const QString& path, ExportFormat format,
                         const ExportProgress& progress)
{
    ExportOutcome outcome;
    const QFileInfo target(path);
    if (!target.absoluteDir().exists()) {
        outcome.error = QStringLiteral("文件夹“%1”不存在。").arg(QDir::toNativeSeparators(target.absolutePath()));
        return outcome;
    }
    // A name of our own beside the target; the writer creates the file itself.
    QString temporary;
    {
        QTemporaryFile probe(target.absoluteDir().filePath(QStringLiteral(".export-XXXXXX.") + target.suffix()));
        if (!probe.open()) {
            outcome.error = QStringLiteral("不能在文件夹“%1”中写入文件：%2")
                                .arg(QDir::toNativeSeparators(target.absolutePath()), probe.errorString());
            return outcome;
        }
        temporary = probe.fileName();
    }
    const WriteResult written = format == ExportFormat::Xlsx ? writeXlsx(list, temporary, progress)
                                                              : writeCsv(list, temporary, progress);
    if (written.result != ExportOutcome::Result::Written) {
        QFile::remove(temporary);
        outcome.result = written.result;
        outcome.error = written.error;
        return outcome;
    }
    if (QFile::exists(path) && !QFile::remove(path)) {
        QFile::remove(temporary);
        outcome.error = QStringLiteral("文件“%1”无法覆盖（可能正被其他程序打开）。").arg(QDir::toNativeSeparators(path));
        return outcome;
    }
    if (!QFile::rename(temporary, path)) {
        QFile::remove(temporary);
        outcome.error = QStringLiteral("文件“%1”无法写入。").arg(QDir::toNativeSeparators(path));
        return outcome;
    }
    outcome.result = ExportOutcome::Result::Written;
    outcome.rows = list.rowCount();
    return outcome;
}

} // namespace cr::exchange
