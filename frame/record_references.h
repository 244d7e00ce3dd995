#pragma once

#include <QList>
#include <QString>

namespace cr {

// One column of a table that holds a value of another table's row: a house's
// building, a tenant's rental record. Declared once (schema/references.cpp);
// the deletion of a record refuses while such rows remain, deletes the
// companion rows along with it, and the database guards the same links.
struct RecordReference {
    QString table;           // the referring table: tc_ge_houseinfo
    QString column;          // its column holding the value: buildingno
    QString masterTable;     // the table referred to: tc_ge_building
    QString masterColumn;    // the column referred to (its key, or a unique column)
    QString noun;            // how messages name the referring rows: "房屋"
    QString measure;         // the measure word counting them: "套"
    bool companion = false;  // rows that are part of the record (a dean's range): deleted with it
};

// The declared references, searched by the table referred to.
class RecordReferences {
public:
    void add(const RecordReference& reference) { m_all.append(reference); }
    const QList<RecordReference>& all() const { return m_all; }
    QList<RecordReference> to(const QString& masterTable) const
    {
        QList<RecordReference> found;
        for (const RecordReference& r : m_all)
            if (r.masterTable.compare(masterTable, Qt::CaseInsensitive) == 0) found.append(r);
        return found;
    }

private:
    QList<RecordReference> m_all;
};

} // namespace cr
