#include "exchange/import_template.h"

#include "exchange/list_writers.h"
#include "exchange/xlsx_book.h"

namespace cr::exchange {

QString templateFileName(ImportKind kind)
{
    return importKind(kind).title + QStringLiteral("导入模板.xlsx");
}

bool writeTemplate(ImportKind kind, const QString& path, QString* error)
{
    const ImportKindDef& def = importKind(kind);
    XlsxBook book(path, def.title);
    const XlsxBook::Style required = book.addStyle({.bold = true, .fill = 0xF4CCCC, .border = true});
    const XlsxBook::Style optional = book.addStyle({.bold = true, .fill = 0xDDE6F0, .border = true});
    const XlsxBook::Style text = book.addStyle({.numberFormat = QStringLiteral("@")});
    const XlsxBook::Style date = book.addStyle({.numberFormat = QStringLiteral("yyyy-mm-dd")});
    for (int c = 0; c < def.fields.size(); ++c) {
        const ImportField& f = def.fields[c];
        const int width = f.type == FieldType::IdCard ? 22 : f.maxLength > 50 ? 30 : 12;
        book.setColumnWidth(c, qMax(width, displayWidth(f.heading) + 4), f.type == FieldType::Date ? date : text);
        book.writeText(0, c, f.heading, f.required ? required : optional);
    }
    book.freezeHeading();
    if (!book.close()) {
        *error = book.error();
        return false;
    }
    return true;
}

} // namespace cr::exchange
