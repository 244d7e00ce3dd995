#pragma once

#include "persons_in_charge/floor_layout.h"
#include "persons_in_charge/floor_queries.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace cr {
class Sqlca;
}

namespace cr::persons_in_charge {

// Who looks after what in one building: its doors x floors, and for each
// cell the deans whose stored range covers it. Cells nobody covers and cells
// two or more deans share are what a clerk looks for.
class BuildingCoverage {
public:
    enum class State { Uncovered, Covered, Shared };

    struct Dean {
        DeanRange range;
        Cells cells;              // the cells of the building the range covers
        QStringList problems;     // why part of the range covers nothing
    };

    BuildingCoverage(const FloorLayout& layout, const QList<DeanRange>& deans);
    // The building's coverage from the database, its doors laid out as the
    // floor dialog lays them out for its kind; nullopt when there is no such
    // building.
    static std::optional<BuildingCoverage> read(Sqlca& sqlca, qlonglong building);

    const FloorLayout& layout() const { return m_layout; }
    const QList<Dean>& deans() const { return m_deans; }
    QList<int> deansAt(const Cell& cell) const;      // indexes into deans()
    QStringList namesAt(const Cell& cell) const;
    State state(const Cell& cell) const;
    int count(State state) const;                    // cells in that state
    int cellCount() const { return int(m_layout.allCells().size()); }
    // "共24格：无人负责6格，多人负责2格。"
    QString summary() const;

private:
    FloorLayout m_layout;
    QList<Dean> m_deans;
};

} // namespace cr::persons_in_charge
