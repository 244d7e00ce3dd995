#pragma once

#include "frame/dataview_def.h"
#include "frame/record_references.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace cr {

class DataView;
class Sqlca;
class UiServices;

// The form query narrowed to one stored record: how a register window reads
// its record and how a deletion reads it again to see whether it changed.
DataViewDef singleRecordDef(const DataViewDef& form, const QString& keyColumn);

// How a message names a record: the values of `columns` (in order, empty ones
// left out), or without them the first text the view shows for the row.
QString recordName(const DataView& view, int row, const QStringList& columns);

// One stored record to delete: a row of `seen` (a list or a form) as the
// clerk saw it, the record's form and what messages call the record.
struct DeletionSubject {
    const DataView* seen = nullptr;
    int row = 0;
    DataViewDef form;          // the register window's form (its update table and key)
    QString keyColumn;
    QString what;              // the window's title: "社区楼院"
    QString name;              // recordName() of the row
};

// Deletes one record as a clerk asks for it: refuses (and says which rows
// and how many) while other records refer to it, asks naming the record
// (default No), refuses a record someone changed or deleted since it was
// read, deletes its companion rows and the record in one unit of work and
// commits. The messages go through `ui`. True when the record was deleted.
class RecordDeletion {
public:
    RecordDeletion(Sqlca& sqlca, UiServices& ui, const RecordReferences& references);

    bool run(const DeletionSubject& subject);

    // "3 套房屋" for each kind of row still referring to the record of `table`
    // with this key; nullopt when the counts could not be read (error set).
    std::optional<QStringList> uses(const QString& table, const QString& keyColumn, const QVariant& key,
                                    QString* error);

    static QString question(const QString& what, const QString& name);
    static QString refusal(const QString& what, const QString& name, const QStringList& uses);
    // The data view's own words for a row changed since it was read.
    static QString changedMeanwhile();

private:
    bool stillAsSeen(const DeletionSubject& subject, const QVariant& key, QString* error);
    bool remove(const QString& table, const QString& keyColumn, const QVariant& key, QString* error);
    bool refuseIfUsed(const DeletionSubject& subject, const QString& table, const QVariant& key);
    void failed(const QString& error);

    Sqlca& m_sqlca;
    UiServices& m_ui;
    const RecordReferences& m_references;
    QString m_detail;   // the engine's words of the last failure, for the IT person
};

} // namespace cr
