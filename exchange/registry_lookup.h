#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

class QSqlQuery;

namespace cr {
class Sqlca;
}

namespace cr::exchange {

// Runs `select` (whose "%1" stands for the list of values) for the values
// in portions, so that a long file needs few statements and no statement
// more values than the engines allow; `row` sees every result row.
bool selectForValues(Sqlca& sqlca, const QString& select, const QStringList& values,
                     const std::function<void(const QSqlQuery&)>& row, QString* error);

// Which of the given values a column of a table already holds. Table and column come
// from the program, never from the file. False with *error on failure.
bool existingValues(Sqlca& sqlca, const QString& table, const QString& column, const QStringList& values,
                    QSet<QString>* found, QString* error);

// The houses of the registry as clerks name them: building (its address or
// its common name), door and house number.
class HouseDirectory {
public:
    bool load(Sqlca& sqlca, QString* error);

    struct Found {
        qlonglong houseno = 0;   // 0 when not found
        QString problem;         // why not, in Chinese
        QString column;          // the column at fault: building, door or housenumber
    };
    // `door` may be empty (the house number is unique in the building), a
    // number ("2"), a door name ("2单元") or a door word alone ("东院").
    Found find(const QString& building, const QString& door, const QString& houseNumber) const;

private:
    struct House {
        qlonglong houseno = 0;
        qlonglong unitno = 0;
        QString unitname;
        QString number;
    };
    QHash<QString, qlonglong> m_byAddress;   // address -> buildingno
    QHash<QString, qlonglong> m_byName;      // common name -> buildingno
    QHash<qlonglong, QList<House>> m_houses;  // buildingno -> houses
};

} // namespace cr::exchange
