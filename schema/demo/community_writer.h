#pragma once

#include "schema/demo/building_plan.h"
#include "schema/demo/demo_codes.h"
#include "schema/demo/demo_generator.h"
#include "schema/demo/demo_random.h"
#include "schema/demo/person_factory.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QStringList>
#include <memory>

namespace cr::schema {
class BulkTable;
}

namespace cr::demo {

class BulkLoader;
using schema::BulkTable;
class HouseholdFactory;

// One run of the demo generator: plans the community, then writes it table
// by table. Database keys are read back by the natural keys the generator
// made unique (area name, building name, building + door + house number),
// which works the same on every engine and needs no engine-specific SQL.
class CommunityWriter {
public:
    CommunityWriter(Sqlca& sqlca, const DemoOptions& options, DemoProgress progress);
    ~CommunityWriter();

    bool write(DemoResult* result, QString* error);

private:
    struct HouseRef {
        int buildingNo = 0;
        int unitNo = 0;
        QString houseNumber;
    };
    struct HouseholdLink {
        int house = 0;          // index into m_houses
        QString rprno;
        bool owner = false;
    };
    struct Rental {
        int house = 0;
        QString use;
        QDate start;
        QStringList tenants;    // personno of each tenant
        QList<QDate> tenantStarts;
    };

    bool prepare();
    bool writeAreas(const QStringList& names);
    bool writeBuildings();
    bool writeResidents();
    bool writeHouse(const BuildingPlan& b, int buildingNo, int unit, int floor, const QString& number);
    bool writeHousehold(int house, const QString& houseAddress, bool owner, DemoPerson* head);
    bool writeOutsideOwner(DemoPerson* owner);
    bool writePerson(const DemoPerson& p, const QString& rprno, const QString& rprAddress,
                     const QString& presentAddress, bool local);
    bool writeTenants(int house, const QString& houseAddress, BuildingKind kind);
    bool writeLinks();
    bool writeRentals();
    bool writeRoles();
    bool readKeys(const QString& sql, QHash<QString, int>* keys);
    void report(int percent, const QString& step);
    void collect(const BulkLoader& loader);

    static QString houseAddress(const BuildingPlan& b, int unit, const QString& number);

    Sqlca& m_sqlca;
    DemoOptions m_options;
    DemoProfile m_profile;
    DemoProgress m_progress;
    DemoRandom m_random;
    DemoCodes m_codes;
    PersonFactory m_persons;
    std::unique_ptr<HouseholdFactory> m_households;
    QString m_commNo;
    QString m_error;
    DemoResult m_result;

    QList<BuildingPlan> m_buildings;
    QStringList m_areaNames;
    QHash<QString, int> m_areaKeys;         // regionalname -> regionalno
    QHash<QString, int> m_buildingKeys;     // buildingname -> buildingno
    QList<HouseRef> m_houses;
    QList<int> m_housenos;                  // database key of each house, by index
    QList<HouseholdLink> m_links;
    QList<Rental> m_rentals;
    qint64 m_householdCount = 0;
    QHash<int, QStringList> m_residents;                // buildingno -> adults fit for a duty
    QHash<int, QPair<qint64, qint64>> m_occupancy;      // buildingno -> (household links, living persons)

    // Tables of the residents pass, owned by its loader.
    BulkLoader* m_loader = nullptr;
    BulkTable* m_rprTable = nullptr;
    BulkTable* m_personTable = nullptr;
    BulkTable* m_otherInfoTable = nullptr;
    BulkTable* m_houseTable = nullptr;
};

} // namespace cr::demo
