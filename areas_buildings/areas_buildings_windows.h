#pragma once

namespace cr {
class WindowRegistry;
}

namespace cr::areas_buildings {

// Registers w_m_ge_regionalmanage and w_m_ge_building; the building list is
// a detail of the area list, linked by regionalno.
void registerWindows(WindowRegistry& registry);

} // namespace cr::areas_buildings
