#include "exchange/csv_format.h"

#include <QStringDecoder>

namespace cr::exchange {

QByteArray csvLine(const QStringList& cells)
{
    QByteArray line;
    for (int i = 0; i < cells.size(); ++i) {
        if (i > 0) line += ',';
        const QString& cell = cells[i];
        const bool quote = cell.contains(QLatin1Char(',')) || cell.contains(QLatin1Char('"'))
                           || cell.contains(QLatin1Char('\n')) || cell.contains(QLatin1Char('\r'))
                           || (!cell.isEmpty() && (cell.front().isSpace() || cell.back().isSpace()));
        if (!quote) {
            line += cell.toUtf8();
            continue;
        }
        QString escaped = cell;
        escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
        line += '"' + escaped.toUtf8() + '"';
    }
    line += "\r\n";
    return line;
}

QList<QStringList> parseCsv(const QString& text, QChar separator)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;        // inside a quoted field
    bool fieldStarted = false;  // the record has a field so far
    const int n = int(text.size());
    for (int i = 0; i < n; ++i) {
        const QChar ch = text[i];
        if (quoted) {
            if (ch == QLatin1Char('"')) {
                if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                    field += ch;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += ch;
            }
            continue;
        }
        if (ch == QLatin1Char('"') && field.isEmpty()) {
            quoted = true;
            fieldStarted = true;
        } else if (ch == separator) {
            record << field;
            field.clear();
            fieldStarted = true;
        } else if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            if (ch == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) ++i;
            if (fieldStarted || !field.isEmpty()) record << field;
            records << record;
            record.clear();
            field.clear();
            fieldStarted = false;
        } else {
            field += ch;
            fieldStarted = true;
        }
    }
    if (fieldStarted || !field.isEmpty()) {
        record << field;
        records << record;
    }
    return records;
}

QChar guessSeparator(const QString& text)
{
    const QString first = text.section(QLatin1Char('\n'), 0, 0);
    const auto commas = first.count(QLatin1Char(','));
    const auto tabs = first.count(QLatin1Char('\t'));
    const auto semicolons = first.count(QLatin1Char(';'));
    if (tabs > commas && tabs >= semicolons) return QLatin1Char('\t');
    if (semicolons > commas) return QLatin1Char(';');
    return QLatin1Char(',');
}

QString decodeCsvBytes(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE")) return QStringDecoder(QStringDecoder::Utf16LE)(bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF")) return QStringDecoder(QStringDecoder::Utf16BE)(bytes.mid(2));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError()) return text;
    QStringDecoder gb("GB18030");
    if (gb.isValid()) return gb(bytes);
    return text;
}

} // namespace cr::exchange
