#include "frame/text_length.h"

#include "frame/dataview.h"

namespace cr {

int textLength(const QString& text)
{
    int surrogates = 0;
    for (const QChar c : text)
        if (c.isHighSurrogate()) ++surrogates;
    return int(text.size()) - surrogates;
}

bool fitsColumn(const ColumnDef& column, const QString& text)
{
    return column.maxLength <= 0 || column.kind != ColumnKind::Text || textLength(text) <= column.maxLength;
}

QString tooLongMessage(const QString& label, int maxLength, int length)
{
    return QStringLiteral("“%1”最多只能填写%2个字，现在是%3个字，请改短！").arg(label).arg(maxLength).arg(length);
}

const ColumnDef* firstTooLong(const DataView& view, int row)
{
    for (const ColumnDef& c : view.definition().columns) {
        if (c.dbName.isEmpty() || c.maxLength <= 0 || c.kind != ColumnKind::Text) continue;
        if (!fitsColumn(c, view.getItemString(row, c.name))) return &c;
    }
    return nullptr;
}

} // namespace cr
