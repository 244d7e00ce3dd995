#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace cr {

// One "object.path=value" of a modify expression: object is a column name or
// "datawindow", both lower case, as is the property path ("background.color",
// "dddw.name"); value is the text as set, quotes and escapes removed.
struct PropertySetting {
    QString object;
    QString path;
    QString value;

    bool operator==(const PropertySetting&) const = default;
};

// The property language of describe and modify: names case-insensitive,
// values in single or double quotes (doubled quotes and ~ escapes inside) or
// bare up to the next blank, blanks allowed around "=", several settings
// separated by blanks.
class PropertyExpr {
public:
    // False with a message when the text is not a list of settings.
    static bool parseModify(const QString& text, QList<PropertySetting>* settings, QString* error);

    // The items of a describe expression, split at blanks outside quotes and
    // parentheses: "a.tag b.tag" gives two items.
    static QStringList splitDescribe(const QString& text);
    // "note.Background.Color" -> ("note", "background.color"); false when the
    // item is not a property reference.
    static bool parseReference(const QString& item, QString* object, QString* path);
    // "Evaluate('expression', row)" -> its parts; false for anything else.
    static bool parseEvaluate(const QString& item, QString* expression, int* row);
};

} // namespace cr
