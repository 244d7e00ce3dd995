#include "resident_teams/leader_window.h"

#include "frame/list_page.h"
#include "frame/message_object.h"
#include "frame/ui_services.h"
#include "resident_teams/save_refusal.h"
#include "resident_teams/team_fields.h"

namespace cr::resident_teams {

namespace f = team_field;

LeaderWindow::LeaderWindow(const WindowContext& context, const WindowInfo& info)
    : RecordWindow(context, info), m_queries(context.sqlca)
{
}

QStringList LeaderWindow::personColumns()
{
    return {"personno",    "personname", "sex",      "idcard",       "birthdate",  "age",
            "nationality", "polity",     "edulevel", "contactphone", "personkind", "isvolunteer",
            "rprtype",     "rpraddr",    "presentaddr1"};
}

int LeaderWindow::dw_1_itemchanged(int row, const QString& column, const QString& data)
{
    if (column.compare(f::personName, Qt::CaseInsensitive) != 0) return 0;
    choosePerson(row, data, AgeCheck::AfterFocus);
    // The typed text is not the value: the selection has filled the row.
    return 2;
}

void LeaderWindow::dw_1_doubleclicked(int row, const QString& column)
{
    if (row < 1 || column.compare(f::personName, Qt::CaseInsensitive) != 0) return;
    choosePerson(row, dw_1().getItemString(row, f::personName), AgeCheck::BeforeFocus);
}

void LeaderWindow::choosePerson(int row, const QString& searchText, AgeCheck order)
{
    openSelectPerson(searchText, personColumns());
    const double chosen = message().doubleParm;
    // Nothing chosen: the name field is emptied; the person number stays.
    if (chosen == 0 || chosen == -1) dw_1().setItem(row, f::personName, QVariant());
    dw_1().acceptText();
    if (order == AgeCheck::BeforeFocus) warnIfYoung(row);
    takeFocusBack();
    if (order == AgeCheck::AfterFocus) warnIfYoung(row);
}

void LeaderWindow::warnIfYoung(int row)
{
    const std::optional<qlonglong> age = dw_1().getItemInteger(row, f::age);
    if (age && *age < kAdultAge)
        ui().messageBox(QStringLiteral("警告信息"), QStringLiteral("年龄太小！请确认后再保存。"),
                        UiServices::Icon::Warning);
}

// The list page the window came from, then the record.
void LeaderWindow::takeFocusBack()
{
    if (ListPage* list = guo_tabpg_now()) list->dw_1().setFocus();
    dw_1().setFocus();
}

// A person leads a team once: a new leader, and a stored one changed to
// another person, must not name someone who already leads the same team.
int LeaderWindow::wf_dw_verify()
{
    const int row = dw_1().getRow();
    if (row < 1) return 1;
    const QString person = dw_1().getItemString(row, f::person);
    const qlonglong team = dw_1().getItemInteger(row, f::team).value_or(0);
    if (person.trimmed().isEmpty())
        return refuseSave(ui(), dw_1(), f::personName, QStringLiteral("请录入正确的小组长姓名！"));
    const std::optional<qlonglong> self = adding() ? std::nullopt : dw_1().getItemInteger(row, keyColumn());
    if (m_queries.leaderCount(team, person, self) >= 1)
        return refuseSave(ui(), dw_1(), f::personName, QStringLiteral("该人已经存在，请重新输入！"));
    return 0;
}

} // namespace cr::resident_teams
