#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace cr {
class Sqlca;
}

namespace cr::schema {

// A house number stored more than once in one door of one building. An
// empty door number counts as door 0, like the houses of a bungalow compound.
struct DuplicateHouse {
    qlonglong building = 0;
    qlonglong door = 0;
    QString number;
    QList<qlonglong> keys;   // houseno of every copy, ascending

    // "楼院 12，单元 1，房号 101室：房屋编号 5、77"
    QString describe() const;
};

// Every such house, by building, door and number; nullopt (and *error) when
// the houses cannot be read. Nothing is changed.
std::optional<QList<DuplicateHouse>> duplicateHouses(Sqlca& sqlca, QString* error);

// The unique index that keeps a house number once per building and door, on
// every path that stores houses (house register, batch generation, imports).
QString uniqueHouseIndex();

} // namespace cr::schema
