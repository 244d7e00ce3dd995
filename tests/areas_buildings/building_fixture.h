#pragma once

#include "areas_buildings/areas_buildings_views.h"
#include "frame/dataview.h"
#include "frame/sqlca.h"
#include "frame/view_catalog.h"
#include "recording_ui.h"
#include "support/test_db.h"

#include <memory>

namespace cr::test {

// A database with the registry schema, a building form holding one row, and
// a helper that stores buildings directly.
class BuildingFixture : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        areas_buildings::registerViews(catalog);
        resetForm();
    }

    void resetForm(const QString& view = QStringLiteral("d_ge_building_f"))
    {
        const DataViewDef* def = catalog.find(view);
        ASSERT_NE(def, nullptr);
        form = std::make_unique<DataView>(*def);
        form->setTransObject(&db());
        form->setCatalog(&catalog);
        ASSERT_EQ(form->insertRow(0), 1);
        form->setRow(1);
        ui.messages.clear();
    }

    qlonglong addBuilding(const QString& name, const QString& address, const QString& kind, QVariant floors,
                          QVariant doors = QVariant())
    {
        const QVariant key = db().insertReturningKey(
            QStringLiteral("INSERT INTO tc_ge_building (commno, buildingname, address, roomtype, upfloornum, "
                           "unitnum, issave) VALUES (:commno, :name, :address, :kind, :floors, :doors, :issave)"),
            {{"commno", QStringLiteral("110105001001")}, {"name", name}, {"address", address}, {"kind", kind},
             {"floors", floors}, {"doors", doors}, {"issave", QStringLiteral("1")}},
            QStringLiteral("buildingno"));
        EXPECT_FALSE(key.isNull()) << db().sqlErrText().toStdString();
        return key.toLongLong();
    }

    void commit() { ASSERT_TRUE(db().commit()) << db().sqlErrText().toStdString(); }

    ViewCatalog catalog;
    std::unique_ptr<DataView> form;
    RecordingUi ui;
};

} // namespace cr::test
