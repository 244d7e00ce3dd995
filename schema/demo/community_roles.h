#pragma once

#include "schema/demo/building_plan.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

namespace cr {
class Sqlca;
}

namespace cr::demo {

class BulkLoader;
class DemoCodes;
class DemoRandom;

// What the community pass leaves for the roles: the buildings with their
// keys, the areas, who lives where and how many households and living
// persons each building's houses hold.
struct RolesInput {
    QString commNo;
    QList<BuildingPlan> buildings;
    QHash<QString, int> buildingKeys;       // buildingname -> buildingno
    QStringList areaNames;
    QHash<QString, int> areaKeys;           // regionalname -> regionalno
    QHash<int, QStringList> residents;      // buildingno -> living adults fit for a duty, in order
    QHash<int, QPair<qint64, qint64>> occupancy;   // buildingno -> (household links, living persons)
};

// The persons in charge and the resident teams of the demo: a dean for most
// buildings with the range the floor dialog would write, a manager for each
// area, resident teams of a few neighbouring buildings with their scope row
// and one or two leaders each. Everyone is a living adult of the community,
// nobody holds two duties, and ranges and scopes are written by the
// program's own code writers, so they read back as a clerk's would.
class CommunityRoles {
public:
    using Collect = std::function<void(const BulkLoader&)>;

    CommunityRoles(Sqlca& sqlca, DemoRandom& random, const DemoCodes& codes, const RolesInput& input, Collect collect);

    bool write(QString* error);

private:
    struct Dean {
        int building = 0;
        QString personno;
        QString scopeName;
        QString scopeCode;
    };
    struct Team {
        int area = 0;
        QString name;
        QList<int> buildings;       // indexes into the plan
        QStringList leaders;
    };

    QString takePerson(const QStringList& candidates);
    QString takeNear(const BuildingPlan& b);
    bool planDeans(BulkLoader& loader);
    bool planManagers(BulkLoader& loader);
    bool planTeams(BulkLoader& loader);
    bool writeRanges(BulkLoader& loader);
    bool writeScopes(BulkLoader& loader);
    bool readKeys(const QString& sql, QHash<QString, int>* keys);
    bool flush(BulkLoader& loader);

    Sqlca& m_sqlca;
    DemoRandom& m_random;
    const DemoCodes& m_codes;
    const RolesInput& m_in;
    Collect m_collect;
    QSet<QString> m_taken;                  // persons already holding a duty
    QList<Dean> m_deans;
    QList<Team> m_teams;
    QHash<int, QStringList> m_areaResidents;   // area index -> residents of its buildings
    QString m_error;
};

} // namespace cr::demo
