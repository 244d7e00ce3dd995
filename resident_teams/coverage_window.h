#pragma once

#include "frame/window.h"

namespace cr {
struct WindowInfo;
}

namespace cr::resident_teams {

// The coverage report as a window ("居民小组管辖范围覆盖情况"): per
// responsibility area the houses, households and persons that no team's
// scope covers and those several teams cover, a total line last (dw_areas),
// and those houses one by one (dw_houses). It only reads. Opening a house
// (cb_openhouse, or a double-click on it) asks the shell for the house
// register with that house (recordRequested).
class CoverageWindow : public Window {
    Q_OBJECT
public:
    CoverageWindow(const WindowContext& context, const WindowInfo& info);

    static QString windowName() { return QStringLiteral("w_og_teamcoverage"); }
    static QString windowTitle() { return QStringLiteral("居民小组管辖范围覆盖情况"); }
    static QString houseWindow() { return QStringLiteral("w_m_ge_houseinfo"); }

    // Reads the registry again and fills both lists; false when it cannot
    // be read (st_msg says why, the lists are empty).
    bool refresh();
    // The house of the current row of dw_houses; false when there is none.
    bool openHouse();

protected:
    void onOpen() override;

private:
    DataView* m_areas = nullptr;
    DataView* m_houses = nullptr;
};

} // namespace cr::resident_teams
