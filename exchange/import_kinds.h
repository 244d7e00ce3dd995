#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace cr::exchange {

// What a spreadsheet to import holds.
enum class ImportKind { Persons, Households, Links };

enum class FieldType {
    Text,     // free text, at most maxLength characters
    Code,     // a code of a lookup list, written as its Chinese name or its code
    Date,     // a calendar date (a date cell, 1985-03-02, 1985/3/2, 19850302, 1985年3月2日)
    IdCard,   // a resident identity card number of 18 characters with its check character
};

// One column of an import table: its heading (and other headings clerks
// use for it), where the value goes and what it must look like.
struct ImportField {
    QString column;          // column of the target table (links: building, door, housenumber too)
    QString heading;
    QStringList aliases;
    FieldType type = FieldType::Text;
    QString codeList;        // dddw_... for Code
    bool required = false;
    int maxLength = 0;       // 0 = no limit
};

struct ImportKindDef {
    ImportKind kind;
    QString name;            // persons, households, links (the command line's --kind)
    QString title;           // 人员, 户籍, 户与房屋
    QString table;           // tc_ge_personinfo ...
    QList<ImportField> fields;

    const ImportField* field(const QString& column) const;
};

const ImportKindDef& importKind(ImportKind kind);
const QList<ImportKindDef>& importKinds();
const ImportKindDef* importKindByName(const QString& name);

// A heading as clerks write it, made comparable: blanks, "*" marks and
// bracketed remarks dropped, full-width brackets as half-width.
QString normalHeading(const QString& heading);

} // namespace cr::exchange
