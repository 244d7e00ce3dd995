#include "exchange/sheet_reader.h"
#include "exchange/workbook_libraries.h"

#include <QDate>
#include <QFile>
#include <QHash>
#include <QXmlStreamReader>

// A small reader for xlsx files: the zip container is read by minizip, the
// XML parts by Qt's stream reader. It reads what tables of persons and
// households hold: the first sheet's values (shared strings, inline strings,
// numbers, booleans, cached formula results) and which numbers are dates.
namespace cr::exchange {
namespace {

// No part of a sensible table comes near this; a larger one is refused
// rather than unpacked into memory.
constexpr qint64 kLargestPart = 256 * 1024 * 1024;

class ZipParts {
public:
    ZipParts(const UnzipCalls& unz, const QString& path)
        : m_unz(unz), m_zip(unz.open64(QFile::encodeName(path).constData()))
    {
    }
    ~ZipParts()
    {
        if (m_zip) m_unz.close(m_zip);
    }
    bool isOpen() const { return m_zip != nullptr; }

    // The named part; nullopt-like empty + false when missing or too large.
    bool read(const QString& name, QByteArray* data, QString* error)
    {
        if (m_unz.locateFile(m_zip, name.toUtf8().constData(), 2) != UNZ_OK) return false;
        unz_file_info64 info{};
        if (m_unz.currentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) return false;
        if (qint64(info.uncompressed_size) > kLargestPart) {
            *error = QStringLiteral("文件中的表格太大，无法读取。");
            return false;
        }
        if (m_unz.openCurrentFile(m_zip) != UNZ_OK) return false;
        data->resize(qsizetype(info.uncompressed_size));
        qint64 done = 0;
        while (done < data->size()) {
            const int n = m_unz.readCurrentFile(m_zip, data->data() + done, unsigned(qMin<qint64>(data->size() - done, 1 << 20)));
            if (n <= 0) break;
            done += n;
        }
        const bool complete = m_unz.closeCurrentFile(m_zip) == UNZ_OK && done == data->size();
        if (!complete) *error = QStringLiteral("文件已损坏，无法读取。");
        return complete;
    }

private:
    const UnzipCalls& m_unz;
    unzFile m_zip;
};

// Text of an element with rich-text runs (<si><r><t>..</t></r>...</si>).
QString elementText(QXmlStreamReader& xml)
{
    QString text;
    const QString endName = xml.name().toString();
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("t")) text += xml.readElementText();
        else if (xml.isStartElement() && (xml.name() == QLatin1String("rPh"))) xml.skipCurrentElement();
        else if (xml.isEndElement() && xml.name() == endName) break;
    }
    return text;
}

QStringList sharedStrings(const QByteArray& data)
{
    QStringList strings;
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("si")) strings << elementText(xml);
    }
    return strings;
}

bool isDateFormat(int id, const QString& code)
{
    if ((id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58))
        return true;
    if (code.isEmpty()) return false;
    // A custom format is a date when it has date letters outside quotes and
    // brackets ("yyyy-mm-dd", "yyyy\"年\"m\"月\"d\"日\"").
    QString bare;
    bool quoted = false, bracket = false;
    for (QChar c : code) {
        if (c == QLatin1Char('"')) quoted = !quoted;
        else if (!quoted && c == QLatin1Char('[')) bracket = true;
        else if (!quoted && c == QLatin1Char(']')) bracket = false;
        else if (!quoted && !bracket) bare += c.toLower();
    }
    return bare.contains(QLatin1Char('y')) || bare.contains(QLatin1Char('d'));
}

// Which cell styles (by index) show a number as a date.
QList<bool> dateStyles(const QByteArray& data)
{
    QHash<int, QString> customFormats;
    QList<bool> dates;
    QXmlStreamReader xml(data);
    bool inCellXfs = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("numFmt"))
                customFormats.insert(xml.attributes().value(QLatin1String("numFmtId")).toInt(),
                                     xml.attributes().value(QLatin1String("formatCode")).toString());
            else if (xml.name() == QLatin1String("cellXfs")) inCellXfs = true;
            else if (inCellXfs && xml.name() == QLatin1String("xf")) {
                const int id = xml.attributes().value(QLatin1String("numFmtId")).toInt();
                dates << isDateFormat(id, customFormats.value(id));
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("cellXfs")) {
            inCellXfs = false;
        }
    }
    return dates;
}

// "xl/worksheets/sheet1.xml": the part of the workbook's first sheet.
QString firstSheetPart(ZipParts& zip, QString* error)
{
    QByteArray workbook, rels;
    if (!zip.read(QStringLiteral("xl/workbook.xml"), &workbook, error)) return {};
    QString relId;
    QXmlStreamReader book(workbook);
    while (!book.atEnd() && relId.isEmpty()) {
        book.readNext();
        if (book.isStartElement() && book.name() == QLatin1String("sheet")) {
            for (const QXmlStreamAttribute& a : book.attributes())
                if (a.name() == QLatin1String("id")) relId = a.value().toString();
        }
    }
    if (!zip.read(QStringLiteral("xl/_rels/workbook.xml.rels"), &rels, error))
        return QStringLiteral("xl/worksheets/sheet1.xml");
    QXmlStreamReader xml(rels);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("Relationship")
            && xml.attributes().value(QLatin1String("Id")) == relId) {
            QString target = xml.attributes().value(QLatin1String("Target")).toString();
            if (target.startsWith(QLatin1Char('/'))) return target.mid(1);
            return QStringLiteral("xl/") + target;
        }
    }
    return QStringLiteral("xl/worksheets/sheet1.xml");
}

// Column of a cell reference: "C12" -> 2.
int columnOf(QStringView reference)
{
    int column = 0;
    for (QChar c : reference) {
        if (c < QLatin1Char('A') || c > QLatin1Char('Z')) break;
        column = column * 26 + (c.unicode() - 'A' + 1);
    }
    return column - 1;
}

int rowOf(QStringView reference)
{
    int i = 0;
    while (i < reference.size() && reference[i] >= QLatin1Char('A') && reference[i] <= QLatin1Char('Z')) ++i;
    return reference.mid(i).toInt() - 1;
}

} // namespace

SheetRead readXlsx(const QString& path)
{
    SheetRead read;
    const QString notASheet = QStringLiteral("文件不是有效的Excel工作簿（.xlsx）。");
    const UnzipCalls* unz = unzip(&read.error);
    if (!unz) return read;
    ZipParts zip(*unz, path);
    if (!zip.isOpen()) {
        read.error = notASheet;
        return read;
    }
    QString error;
    const QString sheetPart = firstSheetPart(zip, &error);
    QByteArray sheet, strings, styles;
    if (sheetPart.isEmpty() || !zip.read(sheetPart, &sheet, &error)) {
        read.error = error.isEmpty() ? notASheet : error;
        return read;
    }
    const QStringList shared = zip.read(QStringLiteral("xl/sharedStrings.xml"), &strings, &error)
                                   ? sharedStrings(strings) : QStringList();
    const QList<bool> dates = zip.read(QStringLiteral("xl/styles.xml"), &styles, &error)
                                  ? dateStyles(styles) : QList<bool>();
    if (!error.isEmpty()) {
        read.error = error;
        return read;
    }

    constexpr int kMostColumns = 16384;
    QXmlStreamReader xml(sheet);
    int rowIndex = -1;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("row")) {
            const QStringView r = xml.attributes().value(QLatin1String("r"));
            rowIndex = r.isEmpty() ? rowIndex + 1 : r.toInt() - 1;
            if (rowIndex < 0 || rowIndex > 1048575) break;
            while (read.rows.size() <= rowIndex) read.rows << QVariantList();
            continue;
        }
        if (xml.name() != QLatin1String("c") || rowIndex < 0) continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        const QString reference = attributes.value(QLatin1String("r")).toString();
        const QString type = attributes.value(QLatin1String("t")).toString();
        const int style = attributes.value(QLatin1String("s")).toInt();
        if (!reference.isEmpty() && rowOf(reference) != rowIndex) continue;
        QVariantList& row = read.rows[rowIndex];
        const int column = reference.isEmpty() ? int(row.size()) : columnOf(reference);
        if (column < 0 || column >= kMostColumns) continue;

        QString raw;
        bool inlineText = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("v")) raw = xml.readElementText();
            else if (xml.isStartElement() && xml.name() == QLatin1String("is")) {
                raw = elementText(xml);
                inlineText = true;
            } else if (xml.isEndElement() && xml.name() == QLatin1String("c")) break;
        }
        QVariant value;
        if (inlineText || type == QLatin1String("inlineStr") || type == QLatin1String("str")) value = raw;
        else if (type == QLatin1String("s")) value = shared.value(raw.toInt());
        else if (type == QLatin1String("b")) value = raw == QLatin1String("1") ? QStringLiteral("是") : QStringLiteral("否");
        else if (type == QLatin1String("e")) value = QVariant();
        else if (type == QLatin1String("d")) value = QDate::fromString(raw.left(10), Qt::ISODate);
        else if (!raw.isEmpty()) {
            bool ok = false;
            const double number = raw.toDouble(&ok);
            if (!ok) value = raw;
            else if (dates.value(style, false)) value = dateFromSerial(number);
            else value = number;
        }
        if (value.typeId() == QMetaType::QString && value.toString().isEmpty()) value = QVariant();
        while (row.size() <= column) row << QVariant();
        row[column] = value;
    }
    if (xml.hasError()) {
        read.rows.clear();
        read.error = QStringLiteral("文件已损坏，无法读取（%1）。").arg(xml.errorString());
        return read;
    }
    read.ok = true;
    return read;
}

} // namespace cr::exchange
