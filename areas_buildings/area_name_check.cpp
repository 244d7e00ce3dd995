#include "areas_buildings/area_name_check.h"

#include "frame/dataview.h"
#include "frame/sqlca.h"
#include "frame/ui_services.h"

namespace cr::areas_buildings {

int verifyAreaName(DataView& form, Sqlca& sqlca, UiServices& ui)
{
    const int row = form.getRow();
    if (row < 1) return 0;
    const QString typed = form.getItemString(row, QStringLiteral("regionalname"));
    const QString name = typed.trimmed();
    const std::optional<double> area = form.getItemNumber(row, QStringLiteral("regionalno"));

    // Stored names compare without their blanks too, so " 一区" and "一区"
    // can never both exist.
    QString sql = QStringLiteral("SELECT count(*) FROM TC_GE_RegionalManage WHERE trim(RegionalName) = :name");
    SqlParams params{{QStringLiteral("name"), name}};
    if (area && *area != 0) {
        sql += QStringLiteral(" AND RegionalNo <> :number");
        params.append({QStringLiteral("number"), static_cast<qlonglong>(*area)});
    }
    const QVariant count = sqlca.selectValue(sql, params);
    // A failed or empty count is no duplicate.
    const qlonglong n = sqlca.sqlCode() == Sqlca::Success ? count.toLongLong() : 0;
    if (n > 0 && !name.isEmpty()) {
        ui.messageBox(QStringLiteral("提示信息"), QStringLiteral("该区域名称已存在，不能重复录入！"),
                      UiServices::Icon::Information);
        form.setFocus();
        form.setColumn(QStringLiteral("regionalname"));
        return 1;
    }
    if (!name.isEmpty() && name != typed) form.setItem(row, QStringLiteral("regionalname"), name);
    return 0;
}

} // namespace cr::areas_buildings
