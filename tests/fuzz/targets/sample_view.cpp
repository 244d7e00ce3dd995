#include "sample_view.h"

namespace cr::fuzz {

DataViewDef sampleView()
{
    DataViewDef d;
    d.name = QStringLiteral("d_fuzz_sample");
    d.sql = QStringLiteral("SELECT 1");
    auto col = [](const char* name, ColumnKind kind, const char* format = "") {
        ColumnDef c;
        c.name = QString::fromLatin1(name);
        c.kind = kind;
        c.dbName = c.name;
        c.format = QString::fromUtf8(format);
        c.tabOrder = 10;
        return c;
    };
    ColumnDef code = col("code", ColumnKind::Text);
    code.edit = EditStyle::DropDown;
    code.dropDown.name = QStringLiteral("dddw_fuzz_codes");
    code.dropDown.displayColumn = QStringLiteral("tname");
    code.dropDown.dataColumn = QStringLiteral("tcode");
    ColumnDef rowno;
    rowno.name = QStringLiteral("rowno");
    rowno.kind = ColumnKind::Integer;
    rowno.compute = QStringLiteral("getrow()");
    d.columns = {col("n", ColumnKind::Integer, "#,##0"),
                 col("x", ColumnKind::Decimal, "###,##0.00;(###,##0.00);零"),
                 col("d", ColumnKind::Date, "yyyy年m月d日 ddd"),
                 col("dt", ColumnKind::DateTime, "yyyy-mm-dd hh:mm:ss"),
                 col("t", ColumnKind::Text),
                 code,
                 rowno};
    d.columns[4].tag = QStringLiteral("1");
    d.columns[4].background = QStringLiteral("12632256");
    return d;
}

} // namespace cr::fuzz
