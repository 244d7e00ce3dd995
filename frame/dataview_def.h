#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace cr {

enum class ColumnKind { Text, Integer, Decimal, Date, DateTime };

// How a column is edited in a form (and shown in a list).
enum class EditStyle {
    Edit,          // one-line text or number
    MultiLine,     // several lines of text
    DropDown,      // a lookup list (dddw): shows one column, stores another
    CodeList,      // a fixed list of (display, data) values
    RadioButtons,  // fixed (display, data) values as radio buttons
    CheckBox,
    Date,
};

struct CodeValue {
    QString display;
    QString data;
};

// Drop-down settings of a column edited through a lookup list.
struct DropDownDef {
    QString name;            // dddw_... lookup list
    QString displayColumn;   // e.g. tname
    QString dataColumn;      // e.g. tcode
    int lines = 0;           // visible lines; 0 = toolkit default
    int limit = 0;
    bool allowEdit = false;
    bool vscrollBar = true;
};

struct ColumnDef {
    QString name;            // lower case; how windows and expressions name it
    ColumnKind kind = ColumnKind::Text;
    QString dbName;          // column of the updatable table; empty = not written
    int maxLength = 0;       // characters the stored text column holds; 0 = no limit known
    QString compute;         // expression of a computed column (e.g. "getrow()")

    // What a list or a form shows.
    QString heading;         // list heading
    QString label;           // form label
    EditStyle edit = EditStyle::Edit;
    DropDownDef dropDown;
    QList<CodeValue> values; // CodeList / RadioButtons
    QString format;          // display format, e.g. "##,###,##0.00"
    int tabOrder = 0;        // initial tab sequence; 0 = not reachable
    QString tag;             // "1" = required at the validated save
    QString background;      // colour number as text; empty = default
    QString group;           // form group heading this field stands under
    QString suffix;          // text after the field, e.g. "（平方米）"
    int width = 0;           // characters; 0 = toolkit default
    bool inList = true;      // shown as a list column
    bool inForm = true;      // shown as a form field
    bool readOnly = false;   // shown, never typed into
};

struct SummaryDef {
    QString column;          // column under which the value stands
    QString expression;      // e.g. "sum(housearea for all)"
    QString format;
};

// One data view: a SQL query with its columns and everything a list or a form
// shows. Definitions are plain data, kept one place per view.
struct DataViewDef {
    QString name;                 // d_ge_building, dddw_ge_roomtype ...
    QString title;
    QString sql;                  // module dialect; retrieval arguments as :name
    QStringList arguments;        // retrieval argument names, in order
    QVariantList defaultArguments; // bound when retrieve() gets none (lookup lists)
    QString updateTable;          // empty = read-only view
    QString keyColumn;            // key of the updatable table (column name)
    bool keyAssignedByDatabase = true;
    QList<ColumnDef> columns;     // in query order; computed columns anywhere
    QList<SummaryDef> summaries;
    QString summaryLabel = QStringLiteral("合计：");
    QString sort;                 // initial sort, e.g. "unitno asc, floorno asc"

    const ColumnDef* column(const QString& name) const;   // case-insensitive
    int columnIndex(const QString& name) const;           // -1 when unknown
};

} // namespace cr
