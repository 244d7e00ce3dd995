#include "areas_buildings/areas_buildings_windows.h"

#include "areas_buildings/building_window.h"
#include "areas_buildings/regional_manage_window.h"
#include "frame/window_registry.h"

namespace cr::areas_buildings {

void registerWindows(WindowRegistry& registry)
{
    registry.add(WindowInfo{.name = QStringLiteral("w_m_ge_regionalmanage"),
                            .title = QStringLiteral("责任区"),
                            .listView = QStringLiteral("d_ge_regionalmanage"),
                            .formView = QStringLiteral("d_ge_regionalmanage_f"),
                            .keyColumn = QStringLiteral("regionalno"),
                            .helpTopic = QStringLiteral("责任区"),
                            .listParameter = BuildingWindow::areaListParameter(),
                            .navigationGroup = QStringLiteral("社区基础信息"),
                            .navigationLabel = QStringLiteral("责任区"),
                            .helpPage = QStringLiteral("regionalmanage.html"),
                            .nameColumns = {QStringLiteral("regionalname")},
                            .factory = windowFactory<RegionalManageWindow>()});
    registry.add(WindowInfo{.name = QStringLiteral("w_m_ge_building"),
                            .title = QStringLiteral("社区楼院"),
                            .listView = QStringLiteral("d_ge_building"),
                            .formView = QStringLiteral("d_ge_building_f"),
                            .keyColumn = QStringLiteral("buildingno"),
                            .helpTopic = QStringLiteral("社区楼院"),
                            .listParameter = QStringLiteral("GE_Building"),
                            .masterWindow = QStringLiteral("w_m_ge_regionalmanage"),
                            .linkColumn = QStringLiteral("regionalno"),
                            // A building may stand without an area.
                            .masterRule = MasterRule::None,
                            .masterName = QStringLiteral("责任区"),
                            .navigationGroup = QStringLiteral("社区基础信息"),
                            .navigationLabel = QStringLiteral("楼院"),
                            .helpPage = QStringLiteral("building.html"),
                            .recordNoun = QStringLiteral("楼院"),
                            .nameColumns = {QStringLiteral("address"), QStringLiteral("buildingname")},
                            .factory = windowFactory<BuildingWindow>()});
}

} // namespace cr::areas_buildings
