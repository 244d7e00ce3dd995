#pragma once

namespace cr {
class ViewCatalog;
struct DataViewDef;
}

namespace cr::houses {

// Registers the data views of this subsystem.
void registerViews(ViewCatalog& catalog);
// The batch window's views alone (its building list and form, the house
// grid): what the command-line generation and deletion read.
void registerBatchViews(ViewCatalog& catalog);
// The batch grid with only the columns a generation compares (key,
// building, door, floor, number: read) or writes into the houses it adds
// (selected empty): for a caller that shows none of them and only adds
// houses. The building's houses then come from its door index alone.
DataViewDef houseGridForGeneration();

} // namespace cr::houses
