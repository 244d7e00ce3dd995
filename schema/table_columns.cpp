#include "schema/table_columns.h"

#include "frame/fault.h"
#include "schema/schema_catalog.h"

namespace cr::schema {

ColumnKind columnKind(ColumnType type)
{
    switch (type) {
    case ColumnType::Key:
    case ColumnType::Integer: return ColumnKind::Integer;
    case ColumnType::Decimal: return ColumnKind::Decimal;
    case ColumnType::Date: return ColumnKind::Date;
    case ColumnType::Text: break;
    }
    return ColumnKind::Text;
}

const TableDecl* declaredTable(const QString& name)
{
    static const QList<TableDecl> tables = allTables();
    for (const TableDecl& t : tables)
        if (t.name.compare(name, Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

TableColumns::TableColumns(const QString& table) : m_name(table.toLower()), m_table(declaredTable(table))
{
    if (!m_table) reportFault(QStringLiteral("the schema declares no table %1").arg(table));
}

QStringList TableColumns::names() const
{
    QStringList n;
    if (m_table)
        for (const ColumnDecl& c : m_table->columns) n << c.name;
    return n;
}

const ColumnDecl* TableColumns::find(const QString& column) const
{
    if (m_table)
        for (const ColumnDecl& c : m_table->columns)
            if (c.name.compare(column, Qt::CaseInsensitive) == 0) return &c;
    return nullptr;
}

bool TableColumns::has(const QString& column) const { return find(column) != nullptr; }

ColumnDef TableColumns::typed(const QString& column, ColumnDef look) const
{
    const ColumnDecl* decl = find(column);
    if (!decl) {
        if (m_table) reportFault(QStringLiteral("table %1 has no column %2").arg(m_name, column));
        if (look.name.isEmpty()) look.name = column.toLower();
        return look;
    }
    if (look.name.isEmpty()) look.name = decl->name;
    look.kind = columnKind(decl->type);
    look.maxLength = decl->type == ColumnType::Text ? decl->length : 0;
    return look;
}

ColumnDef TableColumns::field(const QString& column, ColumnDef look) const
{
    ColumnDef c = typed(column, std::move(look));
    c.dbName = column.toLower();
    return c;
}

ColumnDef TableColumns::hidden(const QString& column) const
{
    return field(column, ColumnDef{.inList = false, .inForm = false});
}

ColumnDef TableColumns::joined(const QString& column, ColumnDef look) const
{
    ColumnDef c = typed(column, std::move(look));
    c.dbName.clear();
    return c;
}

QString TableColumns::selectList(const QStringList& columns) const
{
    QStringList parts;
    for (const QString& c : columns) {
        if (!has(c) && m_table) reportFault(QStringLiteral("table %1 has no column %2").arg(m_name, c));
        parts << QStringLiteral("%1.%2 AS %2").arg(m_name, c.toLower());
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace cr::schema
