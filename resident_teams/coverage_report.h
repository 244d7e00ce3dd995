#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace cr {
class Sqlca;
}

namespace cr::resident_teams {

// Where the resident teams leave gaps and where they overlap: per
// responsibility area, the houses and households that no team's scope
// covers and those that two or more teams cover.
//
// A team covers a house its scope names as a building, a door (building and
// door number, as the scope count matches them) or the house itself, and a
// household linked to a house it covers or named by an "R" element. Every
// count is of distinct things: a house or household covered twice by the
// same team counts once, persons (the living ones) once per household. A
// household living in two areas is counted in both and once in the total.
struct CoverageInput {
    struct Area {
        QVariant regionalNo;   // null: houses of buildings without an area
        QString name;
    };
    struct House {
        qlonglong houseNo = 0;
        qlonglong buildingNo = 0;
        QVariant door;         // null when the house has no door number
        QString doorWord;
        QString number;
        QString buildingName;
        QVariant regionalNo;
    };
    struct Link {
        qlonglong houseNo = 0;
        QString rprNo;
    };
    struct Team {
        qlonglong teamNo = 0;
        QString name;
        QString scopeCode;
    };

    QList<Area> areas;                 // in their order
    std::vector<House> houses;
    std::vector<Link> links;
    QHash<QString, qlonglong> livingPersons;   // per household
    QList<Team> teams;

    // Everything the report needs, one query each; false with the
    // database's reason when a query fails.
    bool read(Sqlca& sqlca, QString* error);
};

struct CoverageCounts {
    QString area;
    qlonglong houses = 0, housesUncovered = 0, housesShared = 0;
    qlonglong households = 0, householdsUncovered = 0, householdsShared = 0;
    qlonglong personsUncovered = 0, personsShared = 0;
};

// A house no team covers, or that several teams cover.
struct CoverageGap {
    qlonglong houseNo = 0;
    QString area;
    QString house;          // "101室(1号楼1单元)"
    QStringList teams;      // the teams covering it, empty when none
};

struct CoverageReport {
    QList<CoverageCounts> areas;
    CoverageCounts total;    // area "合计"
    QList<CoverageGap> gaps; // by area, building, door and house number
};

CoverageReport coverageReport(const CoverageInput& input);

// The area shown for houses of buildings without a responsibility area.
QString noAreaName();

} // namespace cr::resident_teams
