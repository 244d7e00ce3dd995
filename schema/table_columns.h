#pragma once

#include "frame/dataview_def.h"
#include "schema/table_decl.h"

#include <QString>
#include <QStringList>

namespace cr::schema {

// A declared table's columns as data view columns. A view takes the name,
// the kind, the table column it is written to and the text length from the
// table's declaration, and adds only its look (heading, label, edit style,
// tab order ...). A table or column the schema does not declare is a fault
// (frame/fault.h): a misspelt name fails the suite instead of a query.
class TableColumns {
public:
    explicit TableColumns(const QString& table);

    QString table() const { return m_name; }
    QStringList names() const;                       // in declaration order
    bool has(const QString& column) const;

    // The column as a field written to this table (the view's update
    // table). `look` gives what the view shows; its name, when set, is the
    // view's name for the column (personname for houserownername).
    ColumnDef field(const QString& column, ColumnDef look = {}) const;
    // The same, neither shown in a list nor in a form.
    ColumnDef hidden(const QString& column) const;
    // The column read from a joined table: shown for context, never written.
    ColumnDef joined(const QString& column, ColumnDef look = {}) const;

    // "table.column AS column, ..." for a SELECT list.
    QString selectList(const QStringList& columns) const;
    QString selectList() const { return selectList(names()); }

private:
    const ColumnDecl* find(const QString& column) const;
    ColumnDef typed(const QString& column, ColumnDef look) const;

    QString m_name;
    const TableDecl* m_table = nullptr;
};

// The data view kind that holds a column of this type.
ColumnKind columnKind(ColumnType type);
// The declared table of that name (registry and shared tables); nullptr
// when there is none.
const TableDecl* declaredTable(const QString& name);

} // namespace cr::schema
