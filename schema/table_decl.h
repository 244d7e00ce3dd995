#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace cr::schema {

// Kinds of column; the Dialect turns each into the engine's type.
enum class ColumnType {
    Key,       // integer key assigned by the database
    Integer,
    Text,
    Decimal,
    Date,
};

struct ColumnDecl {
    QString name;
    ColumnType type = ColumnType::Text;
    int length = 0;        // text length, decimal precision
    int scale = 0;         // decimal places
    bool notNull = false;
};

// A table declared once as data; DdlBuilder writes it for each engine.
struct TableDecl {
    QString name;
    QList<ColumnDecl> columns;
    QStringList primaryKey{};        // tables without a database-assigned key
    QList<QStringList> uniques{};    // UNIQUE (...) constraints

    // The database-assigned key column, or empty.
    QString keyColumn() const
    {
        for (const ColumnDecl& c : columns)
            if (c.type == ColumnType::Key) return c.name;
        return {};
    }
};

struct IndexDecl {
    QString name;
    QString table;
    QStringList columns;
};

struct ViewDecl {
    QString name;
    QString select;        // engine-neutral SQL
};

// Short builders that keep the table declarations readable.
inline ColumnDecl keyColumn(const QString& name) { return {name, ColumnType::Key}; }
inline ColumnDecl integerColumn(const QString& name) { return {name, ColumnType::Integer}; }
inline ColumnDecl textColumn(const QString& name, int length, bool notNull = false)
{
    return {name, ColumnType::Text, length, 0, notNull};
}
inline ColumnDecl decimalColumn(const QString& name, int precision, int scale)
{
    return {name, ColumnType::Decimal, precision, scale};
}
inline ColumnDecl dateColumn(const QString& name) { return {name, ColumnType::Date}; }

} // namespace cr::schema
