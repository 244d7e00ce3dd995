#include "catalog/module_catalog.h"

#include "areas_buildings/areas_buildings_views.h"
#include "areas_buildings/areas_buildings_windows.h"
#include "exchange/exchange_views.h"
#include "frame/view_catalog.h"
#include "frame/window_registry.h"
#include "houses/houses_views.h"
#include "houses/houses_windows.h"
#include "persons_in_charge/persons_in_charge_views.h"
#include "persons_in_charge/persons_in_charge_windows.h"
#include "rentals_sanctions/rentals_sanctions_views.h"
#include "rentals_sanctions/rentals_sanctions_windows.h"
#include "resident_teams/resident_teams_views.h"
#include "resident_teams/resident_teams_windows.h"
#include "schema/references.h"
#include "schema/table_columns.h"

namespace cr::catalog {
namespace {

// A view that spells a written column out by hand still gets the column's
// length from the schema, so that every form can limit typed text to it.
void lengthsFromSchema(ViewCatalog& catalog)
{
    for (const QString& name : catalog.names()) {
        DataViewDef view = *catalog.find(name);
        const schema::TableDecl* table = schema::declaredTable(view.updateTable);
        if (!table) continue;
        bool changed = false;
        for (ColumnDef& c : view.columns) {
            if (c.dbName.isEmpty() || c.maxLength != 0) continue;
            for (const schema::ColumnDecl& d : table->columns)
                if (d.name == c.dbName && d.type == schema::ColumnType::Text) {
                    c.maxLength = d.length;
                    changed = true;
                }
        }
        if (changed) catalog.add(view);
    }
}

} // namespace

void registerViews(ViewCatalog& catalog)
{
    areas_buildings::registerViews(catalog);
    houses::registerViews(catalog);
    persons_in_charge::registerViews(catalog);
    resident_teams::registerViews(catalog);
    rentals_sanctions::registerViews(catalog);
    exchange::registerViews(catalog);
    lengthsFromSchema(catalog);
    for (const RecordReference& r : schema::recordReferences()) catalog.references().add(r);
}

void registerWindows(WindowRegistry& registry)
{
    areas_buildings::registerWindows(registry);
    houses::registerWindows(registry);
    persons_in_charge::registerWindows(registry);
    resident_teams::registerWindows(registry);
    rentals_sanctions::registerWindows(registry);
    // The navigation's groups in the order the office works.
    registry.orderNavigation({QStringLiteral("社区基础信息"), QStringLiteral("负责人"), QStringLiteral("居民小组"),
                              QStringLiteral("出租房屋")});
}

} // namespace cr::catalog
