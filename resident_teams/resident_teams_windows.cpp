#include "resident_teams/resident_teams_windows.h"

#include "frame/window_registry.h"
#include "resident_teams/coverage_window.h"
#include "resident_teams/leader_window.h"
#include "resident_teams/scope_window.h"
#include "resident_teams/team_window.h"

namespace cr::resident_teams {

void registerWindows(WindowRegistry& registry)
{
    registry.add(WindowInfo{.name = TeamWindow::windowName(),
                            .title = QStringLiteral("居民小组"),
                            .listView = QStringLiteral("d_og_inhabitantteam"),
                            .formView = QStringLiteral("d_og_inhabitantteam_f"),
                            .keyColumn = QStringLiteral("teamno"),
                            .helpTopic = QStringLiteral("居民小组"),
                            .listParameter = QStringLiteral("OG_InhabitantTeam"),
                            .masterWindow = QStringLiteral("w_m_ge_regionalmanage"),   // shown beneath the areas
                            .linkColumn = QStringLiteral("regionalno"),
                            // A team may stand without an area; the form chooses it.
                            .masterRule = MasterRule::None,
                            .masterName = QStringLiteral("责任区"),
                            .navigationGroup = QStringLiteral("居民小组"),
                            .navigationLabel = QStringLiteral("居民小组"),
                            .helpPage = QStringLiteral("inhabitantteam.html"),
                            .nameColumns = {QStringLiteral("orgname")},
                            .factory = windowFactory<TeamWindow>()});
    registry.add(WindowInfo{.name = ScopeWindow::windowName(),
                            .title = ScopeWindow::windowTitle(),
                            .helpTopic = ScopeWindow::windowTitle(),
                            .helpPage = QStringLiteral("inhabitantteam.html"),
                            .factory = windowFactory<ScopeWindow>()});
    registry.add(WindowInfo{.name = LeaderWindow::windowName(),
                            .title = QStringLiteral("居民小组长"),
                            .listView = QStringLiteral("d_og_inhabteamleader"),
                            .formView = QStringLiteral("d_og_inhabteamleader_f"),
                            .keyColumn = QStringLiteral("orderno"),
                            .helpTopic = QStringLiteral("居民小组长"),
                            .listParameter = QStringLiteral("OG_InhabTeamLeader"),
                            .masterWindow = TeamWindow::windowName(),   // shown beneath the teams
                            .linkColumn = QStringLiteral("teamno"),
                            // A leader is added only under its team.
                            .masterRule = MasterRule::FromList,
                            .masterName = QStringLiteral("居民小组"),
                            .navigationGroup = QStringLiteral("居民小组"),
                            .navigationLabel = QStringLiteral("居民小组长"),
                            .helpPage = QStringLiteral("inhabteamleader.html"),
                            .nameColumns = {QStringLiteral("personname")},
                            .factory = windowFactory<LeaderWindow>()});
    // A report beside the registers: where the teams leave gaps or overlap.
    registry.add(WindowInfo{.name = CoverageWindow::windowName(),
                            .title = CoverageWindow::windowTitle(),
                            .helpTopic = CoverageWindow::windowTitle(),
                            .navigationGroup = QStringLiteral("居民小组"),
                            .navigationLabel = QStringLiteral("管辖范围覆盖情况"),
                            .helpPage = QStringLiteral("teamcoverage.html"),
                            .factory = windowFactory<CoverageWindow>()});
}

} // namespace cr::resident_teams
