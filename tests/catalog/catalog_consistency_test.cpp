// The catalog against the schema: every view column written to a table is a
// declared column of that table (with its kind and length), every view's
// query returns the columns the view names, and every window names views,
// keys and master columns that exist. A misspelt name anywhere fails here.

#include "catalog/module_catalog.h"
#include "frame/fault.h"
#include "frame/view_catalog.h"
#include "frame/window_registry.h"
#include "schema/table_columns.h"
#include "support/test_db.h"

#include <QSqlRecord>
#include <gtest/gtest.h>

namespace cr::test {
namespace {

ViewCatalog moduleViews()
{
    ViewCatalog views;
    catalog::registerViews(views);
    return views;
}

TEST(CatalogConsistency, ColumnsWrittenToATableAreItsDeclaredColumns)
{
    const ViewCatalog views = moduleViews();
    int checked = 0;
    for (const QString& name : views.names()) {
        const DataViewDef& view = *views.find(name);
        if (view.updateTable.isEmpty()) continue;
        const schema::TableDecl* table = schema::declaredTable(view.updateTable);
        ASSERT_NE(table, nullptr) << name.toStdString() << " writes to an undeclared table";
        for (const ColumnDef& c : view.columns) {
            if (c.dbName.isEmpty()) continue;
            const std::string where = (name + QLatin1Char('.') + c.name).toStdString();
            const schema::ColumnDecl* decl = nullptr;
            for (const schema::ColumnDecl& d : table->columns)
                if (d.name == c.dbName) decl = &d;
            ASSERT_NE(decl, nullptr) << where << " writes to " << c.dbName.toStdString() << ", which "
                                     << table->name.toStdString() << " does not declare";
            EXPECT_EQ(c.kind, schema::columnKind(decl->type)) << where;
            if (decl->type == schema::ColumnType::Text) EXPECT_EQ(c.maxLength, decl->length) << where;
            ++checked;
        }
    }
    EXPECT_GT(checked, 50);
}

TEST(CatalogConsistency, WindowsNameViewsKeysAndMasterColumnsThatExist)
{
    const ViewCatalog views = moduleViews();
    WindowRegistry windows;
    catalog::registerWindows(windows);
    for (const QString& name : windows.names()) {
        const WindowInfo& w = *windows.find(name);
        const std::string where = name.toStdString();
        if (!w.factory) continue;   // still to come
        for (const QString& viewName : {w.listView, w.formView}) {
            if (viewName.isEmpty()) continue;
            const DataViewDef* view = views.find(viewName);
            ASSERT_NE(view, nullptr) << where << " names the view " << viewName.toStdString();
            EXPECT_NE(view->column(w.keyColumn), nullptr) << where << ": key " << w.keyColumn.toStdString();
            if (!w.linkColumn.isEmpty())
                EXPECT_NE(view->column(w.linkColumn), nullptr) << where << ": master column " << w.linkColumn.toStdString();
        }
        if (w.masterRule != MasterRule::None) {
            EXPECT_FALSE(w.linkColumn.isEmpty()) << where << " belongs to a master but names no master column";
            EXPECT_FALSE(w.masterName.isEmpty()) << where << ": messages must name the master";
        }
        if (w.masterRule == MasterRule::FromList)
            EXPECT_NE(windows.find(w.masterWindow), nullptr) << where << " is added under a master list that is not registered";
        if (!w.navigationGroup.isEmpty()) EXPECT_FALSE(w.navigationLabel.isEmpty()) << where;
        EXPECT_FALSE(w.helpPage.isEmpty()) << where << " has no help page";
    }
}

// Unknown tables and columns are faults of the program, caught at once.
TEST(TableColumns, TakesKindAndLengthFromTheSchemaAndReportsUnknownNames)
{
    FaultCollector faults;
    const schema::TableColumns building(QStringLiteral("tc_ge_building"));
    const ColumnDef address = building.field(QStringLiteral("address"), {.heading = "楼院地址"});
    EXPECT_EQ(address.name, QStringLiteral("address"));
    EXPECT_EQ(address.dbName, QStringLiteral("address"));
    EXPECT_EQ(address.kind, ColumnKind::Text);
    EXPECT_EQ(address.maxLength, 200);
    EXPECT_EQ(address.heading, QStringLiteral("楼院地址"));
    const ColumnDef floors = building.joined(QStringLiteral("upfloornum"));
    EXPECT_EQ(floors.kind, ColumnKind::Integer);
    EXPECT_TRUE(floors.dbName.isEmpty()) << "a joined column is never written";
    EXPECT_EQ(building.selectList({QStringLiteral("address"), QStringLiteral("unitnum")}),
              QStringLiteral("tc_ge_building.address AS address, tc_ge_building.unitnum AS unitnum"));
    EXPECT_TRUE(faults.take().isEmpty());

    const struct {
        const char* name;
        std::function<void()> use;
    } cases[] = {
        {"misspelt column", [&] { building.field(QStringLiteral("floorhousenum")); }},
        {"misspelt joined column", [&] { building.joined(QStringLiteral("buildingstructure")); }},
        {"misspelt select column", [&] { building.selectList({QStringLiteral("adress")}); }},
        {"unknown table", [] { schema::TableColumns(QStringLiteral("tc_ge_buildings")); }},
    };
    for (const auto& c : cases) {
        c.use();
        EXPECT_EQ(faults.take().size(), 1) << c.name;
    }
}

class CatalogQueryTest : public DbTest {};

// Every view's query runs on a fresh registry and returns, by name, every
// column the view reads from it (a view column the query lacks would
// otherwise be filled by position, silently wrong).
TEST_P(CatalogQueryTest, EveryQueryReturnsTheColumnsItsViewNames)
{
    const ViewCatalog views = moduleViews();
    int checked = 0;
    for (const QString& name : views.names()) {
        const DataViewDef& view = *views.find(name);
        if (view.sql.isEmpty()) continue;
        SqlParams params;
        for (int i = 0; i < view.arguments.size(); ++i)
            params.append({view.arguments[i], view.defaultArguments.value(i)});
        auto query = db().select(view.sql, params);
        ASSERT_TRUE(query.has_value()) << name.toStdString() << ": " << db().sqlErrText().toStdString();
        QStringList returned;
        const QSqlRecord record = query->record();
        for (int f = 0; f < record.count(); ++f) returned << record.fieldName(f).toLower().section(QLatin1Char('.'), -1);
        for (const ColumnDef& c : view.columns)
            if (c.compute.isEmpty())
                EXPECT_TRUE(returned.contains(c.name)) << name.toStdString() << " names " << c.name.toStdString()
                                                       << ", which its query does not return";
        ++checked;
    }
    EXPECT_GT(checked, 5);
}

INSTANTIATE_ENGINES(CatalogQueryTest);

} // namespace
} // namespace cr::test
