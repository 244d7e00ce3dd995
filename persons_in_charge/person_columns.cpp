#include "persons_in_charge/person_columns.h"

#include "frame/colors.h"
#include "frame/record_codes.h"
#include "schema/table_columns.h"

namespace cr::persons_in_charge {

using schema::TableColumns;

namespace {
const QString kPersonTable = QStringLiteral("tc_ge_personinfo");
}

DropDownDef codeLookup(const char* name)
{
    return DropDownDef{.name = name, .displayColumn = "tname", .dataColumn = "tcode"};
}

ColumnDef personNameColumn(int tabOrder, const QString& group)
{
    return TableColumns(kPersonTable).joined("personname", {.heading = "姓名", .label = "姓名:", .tabOrder = tabOrder,
                                                            .background = colors::text(colors::required),
                                                            .group = group});
}

ColumnDef personColumn(const char* column, const char* heading, const char* label, const QString& group,
                       const char* lookup)
{
    // Only whether the person volunteers is kept apart from the person.
    const QString table =
        QLatin1String(column) == QLatin1String("isvolunteer") ? QStringLiteral("tc_ge_personotherinfo") : kPersonTable;
    ColumnDef look{.heading = heading, .label = label, .background = colors::text(colors::context), .group = group,
                   .readOnly = true};
    if (lookup) {
        look.edit = EditStyle::DropDown;
        look.dropDown = codeLookup(lookup);
    }
    if (QLatin1String(column) == QLatin1String("birthdate")) look.format = QStringLiteral("yyyy-mm-dd");
    return TableColumns(table).joined(column, look);
}

ColumnDef ageColumn(const QString& group)
{
    return ColumnDef{.name = "age", .kind = ColumnKind::Integer, .compute = "f_getpersonage(today(), birthdate)",
                     .heading = "年龄", .label = "年龄:", .background = colors::text(colors::context),
                     .group = group, .readOnly = true};
}

ColumnDef lineNumberColumn()
{
    return ColumnDef{.name = "rownumber", .kind = ColumnKind::Integer, .compute = "getrow()", .heading = "序号",
                     .inForm = false};
}

ColumnDef noteColumn(const QString& table, int tabOrder, const QString& group)
{
    return TableColumns(table).field("note", {.heading = "备注", .label = "备注:", .edit = EditStyle::MultiLine,
                                              .tabOrder = tabOrder, .background = colors::text(colors::optional),
                                              .group = group, .width = 40});
}

QList<ColumnDef> listed(const QList<ColumnDef>& columns, const QStringList& names)
{
    QList<ColumnDef> ordered;
    for (const QString& name : names)
        for (const ColumnDef& c : columns)
            if (c.name == name) ordered << c;
    for (ColumnDef c : columns) {
        if (names.contains(c.name)) continue;
        c.inList = false;
        ordered << c;
    }
    return ordered;
}

QString livingPersonCondition()
{
    return QStringLiteral("(tc_ge_personinfo.isdeath IS NULL OR tc_ge_personinfo.isdeath <> '%1')")
        .arg(codes::yesno::yes);
}

} // namespace cr::persons_in_charge
