#include "demo_windows.h"

#include "frame/colors.h"
#include "frame/dataview_def.h"
#include "frame/view_catalog.h"

namespace cr::scenario::demo {
namespace {

ColumnDef stored(const char* name, ColumnKind kind = ColumnKind::Text)
{
    ColumnDef c;
    c.name = QString::fromLatin1(name);
    c.kind = kind;
    c.dbName = c.name;
    return c;
}

ColumnDef hidden(const char* name, ColumnKind kind = ColumnKind::Text)
{
    ColumnDef c = stored(name, kind);
    c.inList = false;
    c.inForm = false;
    return c;
}

ColumnDef field(const char* name, const QString& heading, int tabOrder, bool required,
                ColumnKind kind = ColumnKind::Text)
{
    ColumnDef c = stored(name, kind);
    c.heading = heading;
    c.label = heading + QLatin1Char(':');
    c.tabOrder = tabOrder;
    c.tag = required ? QStringLiteral("1") : QString();
    c.background = colors::text(required ? colors::required : colors::optional);
    return c;
}

DataViewDef folderView(const char* name, bool form)
{
    DataViewDef d;
    d.name = QString::fromLatin1(name);
    d.title = QStringLiteral("文件夹");
    d.sql = QStringLiteral("SELECT commno, folderno, foldername, issave FROM demo_folder ORDER BY folderno");
    if (form) {
        d.updateTable = QStringLiteral("demo_folder");
        d.keyColumn = QStringLiteral("folderno");
    }
    ColumnDef no = hidden("folderno", ColumnKind::Integer);
    no.heading = QStringLiteral("编号");
    no.inList = true;
    d.columns = {hidden("commno"), no, field("foldername", QStringLiteral("文件夹名称"), 10, true), hidden("issave")};
    return d;
}

DataViewDef noteView(const char* name, bool form)
{
    DataViewDef d;
    d.name = QString::fromLatin1(name);
    d.title = QStringLiteral("便笺");
    d.sql = QStringLiteral(
        "SELECT n.commno, n.noteno, n.folderno, f.foldername, n.title, n.kind, n.pages, n.body, n.issave, n.note "
        "FROM demo_note n LEFT OUTER JOIN demo_folder f ON f.folderno = n.folderno ORDER BY n.noteno");
    if (form) {
        d.updateTable = QStringLiteral("demo_note");
        d.keyColumn = QStringLiteral("noteno");
    }
    ColumnDef folder = field("folderno", QStringLiteral("文件夹"), 10, false, ColumnKind::Integer);
    folder.edit = EditStyle::DropDown;
    folder.dropDown = DropDownDef{QStringLiteral("dddw_demo_folder"), QStringLiteral("foldername"),
                                  QStringLiteral("folderno"), 6, 0, false, true};
    ColumnDef folderName;
    folderName.name = QStringLiteral("foldername");
    folderName.heading = QStringLiteral("文件夹");
    folderName.inForm = false;
    ColumnDef kind = field("kind", QStringLiteral("类别"), 30, false);
    kind.edit = EditStyle::RadioButtons;
    kind.values = {{QStringLiteral("普通"), QStringLiteral("1")}, {QStringLiteral("重要"), QStringLiteral("2")}};
    ColumnDef body = field("body", QStringLiteral("正文"), 50, false);
    body.edit = EditStyle::MultiLine;
    ColumnDef no = hidden("noteno", ColumnKind::Integer);
    no.heading = QStringLiteral("编号");
    no.inList = true;
    d.columns = {hidden("commno"), no, folder, folderName,
                 field("title", QStringLiteral("标题"), 20, true),
                 kind,
                 field("pages", QStringLiteral("页数"), 40, false, ColumnKind::Integer),
                 body,
                 hidden("issave"),
                 field("note", QStringLiteral("备注"), 60, false)};
    if (!form) {
        ColumnDef line;
        line.name = QStringLiteral("rowno");
        line.kind = ColumnKind::Integer;
        line.compute = QStringLiteral("getrow()");
        line.heading = QStringLiteral("序号");
        line.inForm = false;
        d.columns.prepend(line);
    }
    return d;
}

DataViewDef folderList()
{
    DataViewDef d;
    d.name = QStringLiteral("dddw_demo_folder");
    d.sql = QStringLiteral("SELECT folderno, foldername FROM demo_folder ORDER BY folderno");
    ColumnDef no;
    no.name = QStringLiteral("folderno");
    no.kind = ColumnKind::Integer;
    ColumnDef name;
    name.name = QStringLiteral("foldername");
    d.columns = {no, name};
    return d;
}

} // namespace

void registerDemoViews(ViewCatalog& catalog)
{
    catalog.add(folderView("d_demo_folder", false));
    catalog.add(folderView("d_demo_folder_f", true));
    catalog.add(noteView("d_demo_note", false));
    catalog.add(noteView("d_demo_note_f", true));
    catalog.add(folderList());
}

} // namespace cr::scenario::demo
