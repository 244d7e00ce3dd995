#include "exchange/sheet_reader.h"

#include "exchange/csv_format.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace cr::exchange {

QDate dateFromSerial(double serial)
{
    return QDate(1899, 12, 30).addDays(qint64(serial));
}

SheetRead readCsv(const QByteArray& bytes)
{
    SheetRead read;
    const QString text = decodeCsvBytes(bytes);
    for (const QStringList& record : parseCsv(text, guessSeparator(text))) {
        QVariantList row;
        for (const QString& cell : record) row << (cell.isEmpty() ? QVariant() : QVariant(cell));
        read.rows << row;
    }
    read.ok = true;
    return read;
}

SheetRead readSheet(const QString& path)
{
    SheetRead read;
    const QFileInfo info(path);
    if (!info.exists()) {
        read.error = QStringLiteral("文件“%1”不存在。").arg(QDir::toNativeSeparators(path));
        return read;
    }
    if (info.isDir()) {
        read.error = QStringLiteral("“%1”是文件夹，请选择一个文件。").arg(QDir::toNativeSeparators(path));
        return read;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        read.error = QStringLiteral("无法打开文件：%1").arg(file.errorString());
        return read;
    }
    const QByteArray head = file.peek(8);
    if (head.startsWith("PK\x03\x04")) {
        file.close();
        return readXlsx(path);
    }
    if (head.startsWith("\xD0\xCF\x11\xE0")) {
        read.error = QStringLiteral("这是旧版Excel文件（.xls），请在表格程序中另存为“Excel工作簿（.xlsx）”或CSV后再导入。");
        return read;
    }
    constexpr qint64 kLargestCsv = 200 * 1024 * 1024;
    if (file.size() > kLargestCsv) {
        read.error = QStringLiteral("文件太大（超过200MB），不像是人员或户籍表格。");
        return read;
    }
    const QByteArray bytes = file.readAll();
    // Text files hold no zero bytes (UTF-16 files start with their mark).
    if (bytes.contains('\0') && !bytes.startsWith("\xFF\xFE") && !bytes.startsWith("\xFE\xFF")) {
        read.error = QStringLiteral("文件不是表格：请选择Excel工作簿（.xlsx）或CSV文件。");
        return read;
    }
    return readCsv(bytes);
}

} // namespace cr::exchange
