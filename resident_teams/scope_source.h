#pragma once

#include <QList>
#include <QString>
#include <vector>

namespace cr {
class DataView;
class Sqlca;
}

namespace cr::resident_teams {

// The rows the scope tree is built from: the buildings (already limited to
// one area when the dialog was given one), every house and every link
// between a registered household and a house. Only the columns the tree
// shows are kept.
struct ScopeSource {
    struct Building {
        qlonglong no = 0;        // 0 also for an empty number
        QString name;
        QString roomType;
    };
    struct House {
        qlonglong houseNo = 0;
        qlonglong buildingNo = 0;
        qlonglong door = 0;      // 0 also for an empty door number
        QString doorWord;        // unitname
        QString number;          // housenumber as written on the door
    };
    struct Household {
        qlonglong orderNo = 0;   // order of the links
        qlonglong houseNo = 0;
        QString rprNo;
        QString hostName;
    };

    QList<Building> buildings;
    std::vector<House> houses;
    std::vector<Household> households;

    // The buildings of a retrieved (and filtered) dw_ge_building, in its row order.
    static QList<Building> buildingsOf(const DataView& view);
    // All houses and all household links, one query each; false with the
    // database's reason when a query fails.
    bool readHouses(Sqlca& sqlca, QString* error);
    bool readHouseholds(Sqlca& sqlca, QString* error);
    static QString housesSql();
    static QString householdsSql();
};

// The door as shown on a house: its number followed by the door word, or
// the door word alone when the number is 0 or empty.
QString doorName(qlonglong door, const QString& doorWord);

} // namespace cr::resident_teams
