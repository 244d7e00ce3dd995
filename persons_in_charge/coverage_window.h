#pragma once

#include "frame/window.h"
#include "persons_in_charge/building_coverage.h"
#include "persons_in_charge/floor_queries.h"

#include <optional>

namespace cr {
struct WindowInfo;
}

namespace cr::persons_in_charge {

// w_buildingdean_coverage ("楼院负责人分布"): a read-only page that shows, for
// the building chosen, its doors x floors and the dean(s) covering each cell
// from their stored ranges. It reads the database, never writes.
class CoverageWindow : public Window {
    Q_OBJECT
public:
    CoverageWindow(const WindowContext& context, const WindowInfo& info);

    static QString windowName() { return QStringLiteral("w_buildingdean_coverage"); }
    static QString windowTitle() { return QStringLiteral("楼院负责人分布"); }

    const QList<BuildingEntry>& buildings() const { return m_buildings; }
    // Shows the building's coverage; false (and nothing shown) when it
    // cannot be read.
    bool showBuilding(qlonglong building);
    std::optional<qlonglong> currentBuilding() const { return m_current; }
    const std::optional<BuildingCoverage>& coverage() const { return m_coverage; }
    // Reads the buildings and the current building's deans again.
    void refresh();

signals:
    void coverageChanged();

protected:
    void onOpen() override;

private:
    FloorQueries m_queries;
    QList<BuildingEntry> m_buildings;
    std::optional<qlonglong> m_current;
    std::optional<BuildingCoverage> m_coverage;
};

} // namespace cr::persons_in_charge
