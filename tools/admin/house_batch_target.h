#pragma once

#include "frame/view_catalog.h"
#include "houses/house_batch.h"
#include "tools/admin/registry_session.h"

#include <QString>
#include <memory>

namespace cr {
class DataView;
}

namespace cr::admin {

class AdminConsole;
class CommandLine;

// The building a batch house command works on, loaded as the batch window
// shows it: its row in the building list (multi-storey buildings and bungalow
// compounds only) and the grid of its houses.
class HouseBatchTarget {
public:
    // Which columns of the houses the grid holds: all, or only those the
    // generation compares or writes (it adds houses and changes none).
    enum class Grid { Whole, ForGeneration };

    // Parses "DB --building N", opens the registry, locks the building and
    // loads it inside that unit of work (ended by the batch's save, else
    // rolled back when the target goes). nullptr after printing why
    // (exitCode then says how to exit).
    static std::unique_ptr<HouseBatchTarget> load(const CommandLine& line, const QString& usage, AdminConsole& console,
                                                  int* exitCode, Grid grid = Grid::Whole);
    ~HouseBatchTarget();

    Sqlca& sqlca() { return m_session->sqlca(); }
    DataView& houses() { return *m_houses; }
    houses::BatchBuilding building() const;
    QString buildingLabel() const;   // "楼院 12（3号楼）"

private:
    HouseBatchTarget() = default;

    std::unique_ptr<RegistrySession> m_session;
    ViewCatalog m_views;   // the batch window's views, all a batch command reads
    std::unique_ptr<DataView> m_buildings;
    std::unique_ptr<DataView> m_houses;
    int m_row = 0;
};

// Prints a batch run's message as the window would show it.
void printOutcome(AdminConsole& console, const houses::BatchOutcome& outcome);

} // namespace cr::admin
