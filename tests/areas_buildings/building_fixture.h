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
// helpers that store buildings and houses directly.
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

    void addHouse(qlonglong building, int door, int floor, const QString& issave = QStringLiteral("1"))
    {
        const QVariant key = db().insertReturningKey(
            QStringLiteral("INSERT INTO tc_ge_houseinfo (commno, buildingno, unitno, unitname, floorno, "
                           "housenumber, issave) VALUES (:commno, :building, :door, :word, :floor, :number, "
                           ":issave)"),
            {{"commno", QStringLiteral("110105001001")}, {"building", building}, {"door", door},
             {"word", QStringLiteral("单元")}, {"floor", floor},
             {"number", QStringLiteral("%1%2室").arg(floor).arg(++m_houses, 2, 10, QChar(u'0'))},
             {"issave", issave}},
            QStringLiteral("houseno"));
        EXPECT_FALSE(key.isNull()) << db().sqlErrText().toStdString();
    }

    void commit() { ASSERT_TRUE(db().commit()) << db().sqlErrText().toStdString(); }

    // Puts a stored building into the form row as the frame would load it.
    void showStored(qlonglong building, const QString& kind, QVariant floors, QVariant doors = QVariant())
    {
        form->setItem(1, QStringLiteral("buildingno"), building);
        form->setItem(1, QStringLiteral("roomtype"), kind);
        form->setItem(1, QStringLiteral("upfloornum"), floors);
        form->setItem(1, QStringLiteral("unitnum"), doors);
    }

    ViewCatalog catalog;
    std::unique_ptr<DataView> form;
    RecordingUi ui;

private:
    int m_houses = 0;
};

} // namespace cr::test
