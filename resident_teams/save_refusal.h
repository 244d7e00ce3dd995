#pragma once

#include <QString>

namespace cr {
class DataView;
class UiServices;
}

namespace cr::resident_teams {

// A validated save refused: "警告信息" with the reason, the cursor on the
// field it names; 1, as wf_dw_verify answers then.
int refuseSave(UiServices& ui, DataView& form, const QString& column, const QString& reason);

} // namespace cr::resident_teams
