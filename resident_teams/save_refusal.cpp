#include "resident_teams/save_refusal.h"

#include "frame/dataview.h"
#include "frame/ui_services.h"

namespace cr::resident_teams {

int refuseSave(UiServices& ui, DataView& form, const QString& column, const QString& reason)
{
    ui.messageBox(QStringLiteral("警告信息"), reason, UiServices::Icon::Warning);
    form.setColumn(column);
    form.setFocus();
    return 1;
}

} // namespace cr::resident_teams
