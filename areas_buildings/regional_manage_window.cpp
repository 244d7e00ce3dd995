#include "areas_buildings/regional_manage_window.h"

#include "areas_buildings/area_name_check.h"

namespace cr::areas_buildings {

RegionalManageWindow::RegionalManageWindow(const WindowContext& context, const WindowInfo& info)
    : RecordWindow(context, info)
{
    // Entering the form moves no cursor here.
    replaceFrameHandler(Hook::GetFocus);
}

void RegionalManageWindow::ue_loadphoto() { uf_setenabled(QStringLiteral("cb_tempsave"), false); }

int RegionalManageWindow::wf_dw_verify() { return verifyAreaName(dw_1(), sqlca(), ui()); }

} // namespace cr::areas_buildings
