#pragma once

namespace cr {
class WindowRegistry;
}

namespace cr::rentals_sanctions {

// Registers the windows of this subsystem, in the navigation's order.
void registerWindows(WindowRegistry& registry);

} // namespace cr::rentals_sanctions
