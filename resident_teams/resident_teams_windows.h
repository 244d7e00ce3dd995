#pragma once

namespace cr {
class WindowRegistry;
}

namespace cr::resident_teams {

// Registers the windows of this subsystem.
void registerWindows(WindowRegistry& registry);

} // namespace cr::resident_teams
