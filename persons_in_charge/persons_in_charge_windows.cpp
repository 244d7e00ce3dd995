#include "persons_in_charge/persons_in_charge_windows.h"

#include "frame/window_registry.h"
#include "persons_in_charge/building_dean_window.h"
#include "persons_in_charge/coverage_window.h"
#include "persons_in_charge/regional_manager_window.h"

namespace cr::persons_in_charge {

void registerWindows(WindowRegistry& registry)
{
    registry.add(WindowInfo{.name = QStringLiteral("w_m_ge_buildingdean"),
                            .title = QStringLiteral("楼院负责人"),
                            .listView = QStringLiteral("d_ge_buildingdean"),
                            .formView = QStringLiteral("d_ge_buildingdean_f"),
                            .keyColumn = QStringLiteral("buildingmanagerno"),
                            .helpTopic = QStringLiteral("楼院负责人"),
                            .listParameter = QStringLiteral("GE_BuildingDean"),
                            // The deans of the building current in the building list.
                            .masterWindow = QStringLiteral("w_m_ge_building"),
                            .linkColumn = QStringLiteral("buildingno"),
                            // Chosen in the form where no building list supplies it.
                            .masterRule = MasterRule::ChosenInForm,
                            .masterName = QStringLiteral("楼院"),
                            .navigationGroup = QStringLiteral("负责人"),
                            .navigationLabel = QStringLiteral("楼院负责人"),
                            .helpPage = QStringLiteral("buildingdean.html"),
                            .recordNoun = QStringLiteral("楼院负责人"),
                            .nameColumns = {QStringLiteral("personname")},
                            .factory = windowFactory<BuildingDeanWindow>()});
    registry.add(WindowInfo{.name = QStringLiteral("w_m_ge_regionalmanager"),
                            .title = QStringLiteral("居委会分片管理负责人"),
                            .listView = QStringLiteral("d_ge_regionalmanager"),
                            .formView = QStringLiteral("d_ge_regionalmanager_f"),
                            .keyColumn = QStringLiteral("orderno"),
                            .helpTopic = QStringLiteral("居委会分片管理负责人"),
                            .listParameter = QStringLiteral("GE_RegionalManager"),
                            // The managers of the area current in the area list.
                            .masterWindow = QStringLiteral("w_m_ge_regionalmanage"),
                            .linkColumn = QStringLiteral("regionalno"),
                            .masterRule = MasterRule::ChosenInForm,
                            .masterName = QStringLiteral("责任区"),
                            .navigationGroup = QStringLiteral("负责人"),
                            .navigationLabel = QStringLiteral("责任区负责人"),
                            .helpPage = QStringLiteral("regionalmanager.html"),
                            .recordNoun = QStringLiteral("分片管理负责人"),
                            .nameColumns = {QStringLiteral("personname")},
                            .factory = windowFactory<RegionalManagerWindow>()});
    registry.add(WindowInfo{.name = CoverageWindow::windowName(),
                            .title = CoverageWindow::windowTitle(),
                            .helpTopic = CoverageWindow::windowTitle(),
                            .navigationGroup = QStringLiteral("负责人"),
                            .navigationLabel = CoverageWindow::windowTitle(),
                            .helpPage = QStringLiteral("deancoverage.html"),
                            .factory = windowFactory<CoverageWindow>()});
}

} // namespace cr::persons_in_charge
