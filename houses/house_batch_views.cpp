#include "houses/houses_views.h"

#include "frame/view_catalog.h"

namespace cr::houses {
namespace {

DropDownDef lookup(const char* name)
{
    return DropDownDef{.name = name, .displayColumn = "tname", .dataColumn = "tcode"};
}

ColumnDef plain(const char* name, ColumnKind kind = ColumnKind::Text)
{
    return ColumnDef{.name = name, .kind = kind, .dbName = name, .inList = false, .inForm = false};
}

ColumnKind buildingColumnKind(const QString& name)
{
    static const QStringList integers = {"buildingno", "regionalno", "fixedyear", "upfloornum", "downfloornum",
                                         "floorhouesnum", "housenum", "unitnum"};
    if (integers.contains(name)) return ColumnKind::Integer;
    if (name == QLatin1String("buildingarea")) return ColumnKind::Decimal;
    return ColumnKind::Text;
}

QString selectOf(const QString& table, const QStringList& columns)
{
    QStringList parts;
    for (const QString& c : columns) parts << QStringLiteral("%1.%2 AS %2").arg(table, c);
    return parts.join(QStringLiteral(", "));
}

// The building list of the batch window: multi-storey buildings and bungalow
// compounds, the current row tinted.
DataViewDef buildingList()
{
    const QStringList cols = {"commno", "buildingno", "regionalno", "address", "buildingname", "roomtype",
                              "buildinguse", "fixedyear", "upfloornum", "downfloornum", "buildingstruture",
                              "buildingarea", "floorhouesnum", "housenum", "unitnum", "istoilet", "iswaterdispart",
                              "isammeterdispart", "issave", "note", "prepare1", "prepare2", "prepare3", "prepare4",
                              "prepare5", "prepare6"};
    DataViewDef d;
    d.name = QStringLiteral("d_housemanage");
    // In key order, so that the list does not change its order between openings.
    d.sql = QStringLiteral("SELECT %1 FROM tc_ge_building WHERE tc_ge_building.roomtype = '01' "
                           "OR tc_ge_building.roomtype = '02' ORDER BY tc_ge_building.buildingno")
                .arg(selectOf(QStringLiteral("tc_ge_building"), cols));
    d.columns << ColumnDef{.name = "rownumber", .kind = ColumnKind::Integer, .compute = "getrow()",
                           .heading = "序号"};
    for (const QString& c : cols) {
        ColumnDef col{.name = c, .kind = buildingColumnKind(c), .inList = false, .inForm = false};
        if (c == QLatin1String("buildingname")) {
            col.heading = QStringLiteral("楼院俗称");
            col.inList = true;
            col.background = QStringLiteral("if(currentRow()=getrow(),RGB(217,185,216),RGB(242,248,242))");
            col.width = 24;
        }
        d.columns << col;
    }
    return d;
}

DataViewDef buildingForm()
{
    const QStringList cols = {"commno", "buildingno", "regionalno", "address", "buildingname", "roomtype",
                              "fixedyear", "upfloornum", "downfloornum", "buildingarea", "istoilet",
                              "iswaterdispart", "isammeterdispart", "issave", "note", "prepare1", "prepare2",
                              "prepare3", "prepare4", "prepare5", "prepare6", "floorhouesnum", "housenum",
                              "unitnum", "buildingstruture", "buildinguse"};
    struct Field {
        const char* name;
        const char* label;
    };
    const Field fields[] = {{"regionalno", "区域名称:"}, {"buildingname", "楼院俗称:"}, {"address", "楼院地址:"},
                            {"roomtype", "房屋类型:"}, {"upfloornum", "地上层数:"}, {"downfloornum", "地下层数:"},
                            {"unitnum", "单 元 数:"}, {"fixedyear", "建造年份:"}, {"buildingstruture", "建筑结构:"},
                            {"buildingarea", "总建筑面积:"}, {"floorhouesnum", "每单元每层户数:"},
                            {"prepare3", "楼门单位:"}};
    DataViewDef d;
    d.name = QStringLiteral("d_housemanage_f");
    d.sql = QStringLiteral("SELECT %1 FROM tc_ge_building WHERE tc_ge_building.buildingno = :al_buildingno")
                .arg(selectOf(QStringLiteral("tc_ge_building"), cols));
    d.arguments = {QStringLiteral("al_buildingno")};
    for (const Field& f : fields) {
        ColumnDef col{.name = f.name, .kind = buildingColumnKind(QLatin1String(f.name)), .label = f.label,
                      .inList = false, .readOnly = true};
        if (col.name == QLatin1String("regionalno")) {
            col.edit = EditStyle::DropDown;
            col.dropDown = {.name = "dddw_ge_regionalmanage", .displayColumn = "regionalname",
                            .dataColumn = "regionalno"};
        } else if (col.name == QLatin1String("roomtype")) {
            col.edit = EditStyle::DropDown;
            col.dropDown = lookup("dddw_ge_roomtype");
        } else if (col.name == QLatin1String("buildingstruture")) {
            col.edit = EditStyle::DropDown;
            col.dropDown = lookup("dddw_ge_buildingstruture");
        } else if (col.name == QLatin1String("buildingarea")) {
            col.format = QStringLiteral("###,###.00");
            col.suffix = QStringLiteral("（平方米）");
        }
        d.columns << col;
    }
    for (const QString& c : cols)
        if (d.columnIndex(c) < 0)
            d.columns << ColumnDef{.name = c, .kind = buildingColumnKind(c), .inList = false, .inForm = false};
    return d;
}

// The grid's query over the given columns; those not in `read` (when it
// names any) are selected empty.
QString houseGridSql(const QStringList& columns, const QStringList& read = {})
{
    QStringList selected;
    for (const QString& c : columns)
        selected << (read.isEmpty() || read.contains(c) ? QStringLiteral("tc_ge_houseinfo.%1 AS %1").arg(c)
                                                        : QStringLiteral("NULL AS %1").arg(c));
    return QStringLiteral("SELECT %1 FROM tc_ge_houseinfo WHERE tc_ge_houseinfo.buildingno = :al_buildingno "
                          "ORDER BY tc_ge_houseinfo.unitno, tc_ge_houseinfo.floorno, tc_ge_houseinfo.housenumber")
        .arg(selected.join(QStringLiteral(", ")));
}

// The houses of one building, in the batch window's grid; saving it writes
// the generated or deleted houses.
DataViewDef houseGrid()
{
    const QStringList cols = {"commno", "houseno", "buildingno", "unitname", "floorno", "housenumber", "housearea",
                              "buildingmodel", "houseuse", "isrent", "droittype", "houserownername",
                              "contactphone", "issave", "note", "prepare1", "prepare2", "prepare3", "prepare4",
                              "prepare5", "prepare6", "unitno", "personno"};
    DataViewDef d;
    d.name = QStringLiteral("d_housemanage_house");
    d.sql = houseGridSql(cols);
    d.arguments = {QStringLiteral("al_buildingno")};
    d.updateTable = QStringLiteral("tc_ge_houseinfo");
    d.keyColumn = QStringLiteral("houseno");
    for (const QString& c : cols) {
        ColumnKind kind = ColumnKind::Text;
        if (c == QLatin1String("houseno") || c == QLatin1String("buildingno") || c == QLatin1String("floorno")
            || c == QLatin1String("unitno"))
            kind = ColumnKind::Integer;
        if (c == QLatin1String("housearea")) kind = ColumnKind::Decimal;
        d.columns << plain(c.toLatin1().constData(), kind);
    }
    auto show = [&](const char* name, const char* heading) -> ColumnDef& {
        ColumnDef& col = d.columns[d.columnIndex(QLatin1String(name))];
        col.heading = QString::fromUtf8(heading);
        col.inList = true;
        return col;
    };
    d.columns.prepend(ColumnDef{.name = "doorname",
                                .compute = "( if(unitno=0 or isnull(unitno), '', string(unitno) ) ) + unitname",
                                .heading = "楼门单元"});
    d.columns.prepend(ColumnDef{.name = "rownumber", .kind = ColumnKind::Integer, .compute = "getrow()",
                                .heading = "序号"});
    show("floorno", "层（排）号");
    show("housenumber", "房号");
    show("housearea", "房屋建筑面积（平方米）").format = QStringLiteral("###,##0.00");
    ColumnDef& model = show("buildingmodel", "户型");
    model.edit = EditStyle::DropDown;
    model.dropDown = lookup("dddw_ge_buildingmodel");
    ColumnDef& use = show("houseuse", "房屋用途");
    use.edit = EditStyle::DropDown;
    use.dropDown = lookup("dddw_ge_houseuse");
    ColumnDef& droit = show("droittype", "产权类别");
    droit.edit = EditStyle::DropDown;
    droit.dropDown = lookup("dddw_ge_droittype");
    show("houserownername", "产权单位名称或房主姓名");
    ColumnDef& rent = show("isrent", "是否出租");
    rent.edit = EditStyle::CodeList;
    rent.values = {{"是", "1"}, {"否", "0"}};
    show("contactphone", "联系电话");
    show("note", "备注");
    // Grid order: as listed above.
    const QStringList order = {"rownumber", "doorname", "floorno", "housenumber", "housearea", "buildingmodel",
                               "houseuse", "droittype", "houserownername", "isrent", "contactphone", "note"};
    QList<ColumnDef> ordered;
    for (const QString& n : order) ordered << d.columns[d.columnIndex(n)];
    for (const ColumnDef& c : d.columns)
        if (!order.contains(c.name)) ordered << c;
    d.columns = ordered;
    return d;
}

} // namespace

DataViewDef houseGridForGeneration()
{
    // What the generation compares, read from the door index, and what it
    // writes into the houses it adds (HouseBatch::appendRows).
    const QStringList read = {"houseno", "buildingno", "unitno", "floorno", "housenumber"};
    const QStringList written = {"commno", "buildingno", "unitno", "unitname", "floorno", "housenumber", "housearea",
                                 "buildingmodel", "houseuse", "isrent", "issave"};
    DataViewDef d = houseGrid();
    QList<ColumnDef> kept;
    QStringList names;
    for (const ColumnDef& c : d.columns)
        if (read.contains(c.name) || written.contains(c.name)) {
            kept << c;
            names << c.name;
        }
    d.columns = kept;
    d.sql = houseGridSql(names, read);
    return d;
}

void registerBatchViews(ViewCatalog& catalog)
{
    catalog.add(buildingList());
    catalog.add(buildingForm());
    catalog.add(houseGrid());
}

} // namespace cr::houses
