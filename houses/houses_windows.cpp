#include "houses/houses_windows.h"

#include "frame/window_registry.h"
#include "houses/house_info_window.h"
#include "houses/house_manage_window.h"

namespace cr::houses {

void registerWindows(WindowRegistry& registry)
{
    registry.add({.name = QStringLiteral("w_m_ge_houseinfo"),
                  .title = QStringLiteral("房屋信息表"),
                  .listView = QStringLiteral("d_ge_houseinfo"),
                  .formView = QStringLiteral("d_ge_houseinfo_f"),
                  .keyColumn = QStringLiteral("houseno"),
                  .helpTopic = QStringLiteral("房屋信息表"),
                  .listParameter = QStringLiteral("GE_HouseInfo"),
                  // The houses of the building that is current in the building list.
                  .masterWindow = QStringLiteral("w_m_ge_building"),
                  .linkColumn = QStringLiteral("buildingno"),
                  // A house is added under its building, never on its own.
                  .masterRule = MasterRule::FromList,
                  .masterName = QStringLiteral("楼院"),
                  .navigationGroup = QStringLiteral("社区基础信息"),
                  .navigationLabel = QStringLiteral("房屋"),
                  .helpPage = QStringLiteral("houseinfo.html"),
                  .recordNoun = QStringLiteral("房屋"),
                  .nameColumns = {QStringLiteral("address"), QStringLiteral("unitname"), QStringLiteral("housenumber")},
                  .factory = windowFactory<HouseInfoWindow>()});
    registry.add({.name = HouseManageWindow::windowName(),
                  .title = HouseManageWindow::windowTitle(),
                  .helpTopic = QStringLiteral("房屋信息批量维护"),
                  .navigationGroup = QStringLiteral("社区基础信息"),
                  .navigationLabel = QStringLiteral("房屋信息批量维护"),
                  .helpPage = QStringLiteral("housemanage.html"),
                  .factory = windowFactory<HouseManageWindow>()});
}

} // namespace cr::houses
