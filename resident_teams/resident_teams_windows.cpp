#include "resident_teams/resident_teams_windows.h"

#include "frame/window_registry.h"
#include "resident_teams/scope_window.h"

namespace cr::resident_teams {

void registerWindows(WindowRegistry& registry)
{
    registry.add({.name = ScopeWindow::windowName(),
                  .title = ScopeWindow::windowTitle(),
                  .helpTopic = ScopeWindow::windowTitle(),
                  .helpPage = QStringLiteral("inhabitantteam.html"),
                  .factory = windowFactory<ScopeWindow>()});
}

} // namespace cr::resident_teams
