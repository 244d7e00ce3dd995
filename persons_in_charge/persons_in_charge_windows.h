#pragma once

namespace cr {
class WindowRegistry;
}

namespace cr::persons_in_charge {

// Registers the windows of this subsystem: building deans, area managers
// and the page of who looks after which doors and floors.
void registerWindows(WindowRegistry& registry);

} // namespace cr::persons_in_charge
