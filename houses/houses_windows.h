#pragma once

namespace cr {
class WindowRegistry;
}

namespace cr::houses {

// Registers the house register (w_m_ge_houseinfo) and the batch window
// (w_housemanage).
void registerWindows(WindowRegistry& registry);

} // namespace cr::houses
