#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace cr {
class DataView;
class Sqlca;
struct ColumnDef;
}

namespace cr::houses {

// Saves the house grid of the batch window in few statements: the deleted
// houses with DELETE ... IN (...), the new ones with multi-row INSERTs that
// read the database-assigned keys back (RETURNING). A building of 1,584
// houses is then a handful of round trips instead of one per house.
//
// Two steps so that the grid changes only once the work is committed:
//   write()       runs the statements inside the connection's unit of work;
//                 on failure it returns false and the grid is untouched
//                 (the caller rolls back).
//   markStored()  after the commit: puts the keys into the new rows and marks
//                 every row stored, as a successful update() would.
// A grid holding edited stored rows (none of the batch scripts make them) is
// saved by the view's own update() instead, with the same two steps.
class HouseGridWriter {
public:
    HouseGridWriter(DataView& grid, Sqlca& sqlca);

    bool write();
    void markStored();
    QString errorText() const { return m_error; }

    int insertedCount() const { return int(m_keys.size()); }
    int deletedCount() const { return m_deleted; }

private:
    // New rows that set the same columns, with their values.
    struct InsertGroup {
        QList<const ColumnDef*> columns;
        QList<int> rows;
        QList<QVariantList> values;
    };
    bool hasEditedStoredRows() const;
    bool writeDeletes();
    bool writeInserts();
    bool insertChunk(const InsertGroup& group, qsizetype first, qsizetype last);
    bool fail(const QString& text);

    DataView& m_grid;
    Sqlca& m_sqlca;
    QString m_error;
    bool m_usedViewUpdate = false;
    int m_deleted = 0;
    QHash<int, QVariant> m_keys;   // grid row -> key assigned by the database
};

} // namespace cr::houses
