#include "resident_teams/team_window.h"

#include "frame/list_page.h"
#include "frame/sqlca.h"
#include "frame/ui_services.h"
#include "resident_teams/scope_count.h"
#include "resident_teams/scope_text.h"
#include "resident_teams/scope_window.h"
#include "resident_teams/save_refusal.h"
#include "resident_teams/team_fields.h"

namespace cr::resident_teams {

namespace f = team_field;

TeamWindow::TeamWindow(const WindowContext& context, const WindowInfo& info)
    : RecordWindow(context, info), m_queries(context.sqlca)
{
    addFormButton(scopeButton(), QStringLiteral("点击按钮定义范围"), f::scopeName,
                  QStringLiteral("bmp/OG_InhabitantTeam.bmp"));
}

QString TeamWindow::tooLargeText()
{
    return QStringLiteral("该居民小组的管辖范围太大，不能超过800户或600个单元！\r\n建议您尽量按整单元、整个房屋选择。");
}

qlonglong TeamWindow::storedCount(int row, const QString& column) const
{
    return dw_1().getItemInteger(row, column).value_or(0);
}

void TeamWindow::ue_loadphoto()
{
    const int row = dw_1().getRow();
    if (row < 1) {
        ib_changed = false;
        return;
    }
    il_rprnum = storedCount(row, f::households);
    il_personnum = storedCount(row, f::persons);
    if (!adding()) showFreshCounts(row);
    ib_changed = false;
}

// A stored team shows what its scope covers today; the scope row itself
// changes only when another scope is chosen and saved.
void TeamWindow::showFreshCounts(int row)
{
    qlonglong households = 0, persons = 0;
    gf_scope2rprnum(sqlca(), dw_1().getItemString(row, f::scopeCode), households, persons);
    if (households != il_rprnum) dw_1().setItem(row, f::households, households);
    if (persons != il_personnum) dw_1().setItem(row, f::persons, persons);
}

int TeamWindow::dw_1_itemchanged(int row, const QString& column, const QString& data)
{
    if (column.compare(f::area, Qt::CaseInsensitive) == 0) showChosenAreaName(row, data);
    return 0;
}

// The list shows the new area's name at once.
void TeamWindow::showChosenAreaName(int row, const QString& data)
{
    const qlonglong area = data.trimmed().toLongLong();
    if (area == 0) return;
    DataView* areas = dw_1().getChild(f::area);
    const int found = areas ? areas->find(QStringLiteral("regionalno=%1").arg(area), 1, areas->rowCount()) : 0;
    if (found >= 1) dw_1().setItem(row, f::areaName, areas->getItem(found, f::areaName));
}

void TeamWindow::dw_1_buttonclicked(int row, const QString& button)
{
    if (button.compare(scopeButton(), Qt::CaseInsensitive) == 0 && row >= 1) chooseScope(row);
}

StrMultiselect TeamWindow::scopeRequest(int row) const
{
    StrMultiselect request;
    const qlonglong area = storedCount(row, f::area);
    request.s_filter = area == 0 ? QString() : QStringLiteral("RegionalNo=%1").arg(area);
    request.s_title = dw_1().getItemString(row, f::name);
    request.s_dw = dw_1().getItemString(row, f::scopeName);
    request.s_str = dw_1().getItemString(row, f::scopeCode);
    if (request.s_str.isNull()) request.s_str = QLatin1String("");
    return request;
}

void TeamWindow::chooseScope(int row)
{
    const StrMultiselect request = scopeRequest(row);
    const StrMultiselect answer = ui().openSelection(ScopeWindow::windowName(), request);
    if (answer.cancelled()) {
        ib_changed = false;
        return;
    }
    takeScope(row, request.s_str, answer.s_str, scopeLines(answer.s_dw));
}

// The chosen scope goes into the form with fresh counts, also when it is
// the one loaded (the counts on screen are refreshed then, and nothing is
// written on save).
void TeamWindow::takeScope(int row, const QString& oldCode, QString code, const QString& names)
{
    ib_changed = code != oldCode;
    if (!ib_changed) code = oldCode;
    if (characterCount(code) > kScopeLimit) {
        code = firstCharacters(code, kScopeLimit);
        ui().messageBox(QStringLiteral("警告"), tooLargeText(), UiServices::Icon::Warning);
    }
    dw_1().setItem(row, f::scopeCode, code);
    gf_scope2rprnum(sqlca(), code, il_rprnum, il_personnum);
    dw_1().setItem(row, f::scopeName, firstCharacters(names, kScopeLimit));
    dw_1().setItem(row, f::households, il_rprnum);
    dw_1().setItem(row, f::persons, il_personnum);
}

int TeamWindow::wf_dw_verify()
{
    const int row = dw_1().getRow();
    if (row < 1) return 1;
    const QString name = dw_1().getItemString(row, f::name).trimmed();
    const std::optional<qlonglong> team = adding() ? std::nullopt : dw_1().getItemInteger(row, f::team);
    if (name.isEmpty()) return refuseSave(ui(), dw_1(), f::name, QStringLiteral("请录入正确的居民小组名称！"));
    if (m_queries.nameCount(name, team) >= 1)
        return refuseSave(ui(), dw_1(), f::name, QStringLiteral("该居民小组已经存在，请重新输入！"));
    return 0;
}

// Inside the save's unit of work: a scope row that cannot be written takes
// the team's save back with it, so a team is never stored without the
// scope the clerk chose.
bool TeamWindow::wf_update_after()
{
    const int row = dw_1().getRow();
    if (row >= 1 && ib_changed) {
        TeamQueries::Scope scope{storedCount(row, f::team), dw_1().getItemString(row, f::scopeName),
                                 dw_1().getItemString(row, f::scopeCode), il_rprnum, il_personnum};
        if (m_queries.scopeRows(scope.team) == 0) {
            if (!m_queries.insertScope(scope))
                return failSave(QStringLiteral("新增居民小组所辖的楼院、房屋、户范围出错！\r\n") + sqlca().sqlErrText());
        } else if (!m_queries.updateScope(scope)) {
            return failSave(QStringLiteral("修改居民小组所辖的楼院、房屋、户范围范围出错！\r\n") + sqlca().sqlErrText());
        }
    }
    if (row >= 1 && guo_tabpg_now()) {
        if (guo_tabpg_now()->currentRow() < 1) guo_tabpg_now()->ue_retrieve();
        else wf_refresh_list();
    }
    return true;
}

} // namespace cr::resident_teams
