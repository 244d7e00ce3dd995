#pragma once

namespace cr {
class WindowRegistry;
}

namespace cr::catalog {

// Windows still to come: the navigation lists them (as "即将推出") and the
// help knows their pages until their subsystem registers them. Registered
// after the subsystems, so a window that exists keeps its own entry.
void registerPlannedWindows(WindowRegistry& registry);

} // namespace cr::catalog
