#pragma once

// Definitions and row builders shared by the data view tests.

#include "frame/dataview.h"

#include <QStringList>
#include <memory>

namespace cr::test {

// Houses of a small table of the tests' own: key k assigned by the
// database, stored columns, a column from a join (buildingname, never
// written) and a computed line number.
inline DataViewDef houseDef(const QString& table = QStringLiteral("dv_house"))
{
    DataViewDef d;
    d.name = QStringLiteral("d_dv_house");
    d.sql = QStringLiteral("SELECT h.k, h.building, h.unitno, h.floorno, h.housenumber, h.area, h.born, h.note, "
                           "b.name AS buildingname FROM %1 h LEFT OUTER JOIN dv_building b ON b.bno = h.building")
                .arg(table);
    d.updateTable = table;
    d.keyColumn = QStringLiteral("k");
    auto col = [](const char* name, ColumnKind kind, bool stored = true) {
        ColumnDef c;
        c.name = QString::fromLatin1(name);
        c.kind = kind;
        if (stored) c.dbName = c.name;
        c.heading = c.name.toUpper();
        c.tabOrder = 10;
        return c;
    };
    ColumnDef rowno;
    rowno.name = QStringLiteral("rowno");
    rowno.kind = ColumnKind::Integer;
    rowno.compute = QStringLiteral("getrow()");
    rowno.heading = QStringLiteral("序号");
    d.columns = {rowno,
                 col("k", ColumnKind::Integer),
                 col("building", ColumnKind::Integer),
                 col("unitno", ColumnKind::Integer),
                 col("floorno", ColumnKind::Integer),
                 col("housenumber", ColumnKind::Text),
                 col("area", ColumnKind::Decimal),
                 col("born", ColumnKind::Date),
                 col("note", ColumnKind::Text),
                 col("buildingname", ColumnKind::Text, false)};
    d.columns[6].format = QStringLiteral("###,##0.00");
    d.summaries = {{QStringLiteral("area"), QStringLiteral("sum(area for all)"), QStringLiteral("###,##0.00")}};
    return d;
}

// Appends a row with the given values (column, value pairs).
inline int addRow(DataView& v, const QList<QPair<QString, QVariant>>& values)
{
    const int row = v.insertRow(0);
    for (const auto& [column, value] : values) v.setItem(row, column, value);
    return row;
}

// A view holding rows that count as stored (as if retrieved).
inline std::unique_ptr<DataView> storedHouses(const QList<QList<QPair<QString, QVariant>>>& rows)
{
    auto v = std::make_unique<DataView>(houseDef());
    for (const auto& r : rows) addRow(*v, r);
    v->resetUpdate();
    return v;
}

// Values of one column down the primary buffer, as text.
inline QStringList columnTexts(const DataView& v, const QString& column)
{
    QStringList out;
    for (int r = 1; r <= v.rowCount(); ++r) out << v.getItemString(r, column);
    return out;
}

} // namespace cr::test
