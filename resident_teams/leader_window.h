#pragma once

#include "frame/record_window.h"
#include "resident_teams/team_queries.h"

#include <QStringList>

namespace cr::resident_teams {

// w_m_og_inhabteamleader ("居民小组长"): one person as a leader of one
// resident team. The person is chosen in the person selection (typing a
// name or double-clicking it), never typed in; a person younger than 16 is
// warned about; a leader without a person, or a person who already leads
// the team, is not saved. A leader belongs to its team: it is added from
// the team's list of leaders (the frame's master rule).
class LeaderWindow : public RecordWindow {
    Q_OBJECT
public:
    LeaderWindow(const WindowContext& context, const WindowInfo& info);

    static QString windowName() { return QStringLiteral("w_m_og_inhabteamleader"); }
    // The columns the person selection fills.
    static QStringList personColumns();
    static constexpr int kAdultAge = 16;

protected:
    int dw_1_itemchanged(int row, const QString& column, const QString& data) override;
    void dw_1_doubleclicked(int row, const QString& column) override;
    int wf_dw_verify() override;

private:
    // Typing checks the age after the focus has come back, a double-click
    // before.
    enum class AgeCheck { AfterFocus, BeforeFocus };
    void choosePerson(int row, const QString& searchText, AgeCheck order);
    void warnIfYoung(int row);
    void takeFocusBack();

    LeaderQueries m_queries;
};

} // namespace cr::resident_teams
