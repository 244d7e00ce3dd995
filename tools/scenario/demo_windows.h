#pragma once

#include <QString>

namespace cr {
class Sqlca;
class ViewCatalog;
class WindowRegistry;
}

namespace cr::scenario::demo {

// Two small register windows over tables of their own, used by the frame's
// own scenarios (tests/scenarios/frame): w_m_demo_folder (folders) and
// w_m_demo_note (notes, a detail list of the folders linked by folderno).
// They exercise every hook of the record window frame without depending on
// any window of the module.
void registerDemoWindows(ViewCatalog& catalog, WindowRegistry& registry);

// demo_folder, demo_note and demo_notelog; false with the database's message.
bool createDemoTables(Sqlca& sqlca, QString* error);

// Their data views.
void registerDemoViews(ViewCatalog& catalog);

} // namespace cr::scenario::demo
