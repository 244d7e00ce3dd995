#pragma once

#include "frame/record_window.h"
#include "frame/str_multiselect.h"
#include "resident_teams/team_queries.h"

namespace cr::resident_teams {

// w_m_og_inhabitantteam ("居民小组"): one resident team with its scope. The
// team row is saved by the frame through dw_1; the scope (readable and as a
// code, with its household and person counts) comes into dw_1 through a
// join, is chosen in the scope dialog (w_inhabitantteam_scope) and is
// written by the window after the save, only when the clerk chose a
// different scope. A stored team shows the current counts of its scope.
class TeamWindow : public RecordWindow {
    Q_OBJECT
public:
    TeamWindow(const WindowContext& context, const WindowInfo& info);

    static QString windowName() { return QStringLiteral("w_m_og_inhabitantteam"); }
    static QString scopeButton() { return QStringLiteral("b_selecthouse"); }
    // Shown when a chosen scope code is longer than the scope row keeps.
    static QString tooLargeText();

    // What the scope dialog is sent for the current record.
    StrMultiselect scopeRequest(int row) const;

protected:
    void ue_loadphoto() override;
    int dw_1_itemchanged(int row, const QString& column, const QString& data) override;
    void dw_1_buttonclicked(int row, const QString& button) override;
    int wf_dw_verify() override;
    bool wf_update_after() override;

private:
    void showFreshCounts(int row);
    void chooseScope(int row);
    void takeScope(int row, const QString& oldCode, QString code, const QString& names);
    void showChosenAreaName(int row, const QString& data);
    qlonglong storedCount(int row, const QString& column) const;

    TeamQueries m_queries;
    qlonglong il_rprnum = 0;      // households of the scope, written with the scope row
    qlonglong il_personnum = 0;   // persons of the scope
    bool ib_changed = false;      // another scope was chosen: the scope row is written on save
};

} // namespace cr::resident_teams
