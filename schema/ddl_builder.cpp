#include "schema/ddl_builder.h"

#include "frame/dialect.h"

namespace cr::schema {

QString DdlBuilder::columnDefinition(const ColumnDecl& c) const
{
    QString type;
    switch (c.type) {
    case ColumnType::Key: type = m_dialect.identityKeyType(); break;
    case ColumnType::Integer: type = m_dialect.integerType(); break;
    case ColumnType::Text: type = m_dialect.textType(c.length); break;
    case ColumnType::Decimal: type = m_dialect.decimalType(c.length, c.scale); break;
    case ColumnType::Date: type = m_dialect.dateType(); break;
    }
    QString def = c.name + QLatin1Char(' ') + type;
    if (c.notNull && c.type != ColumnType::Key) def += QStringLiteral(" NOT NULL");
    return def;
}

QString DdlBuilder::createTable(const TableDecl& table) const
{
    QStringList parts;
    for (const ColumnDecl& c : table.columns) parts << columnDefinition(c);
    if (!table.primaryKey.isEmpty())
        parts << QStringLiteral("PRIMARY KEY (%1)").arg(table.primaryKey.join(QStringLiteral(", ")));
    for (const QStringList& u : table.uniques) parts << QStringLiteral("UNIQUE (%1)").arg(u.join(QStringLiteral(", ")));
    return QStringLiteral("CREATE TABLE %1 (\n    %2\n)").arg(table.name, parts.join(QStringLiteral(",\n    ")));
}

QString DdlBuilder::createIndex(const IndexDecl& index) const
{
    // IF NOT EXISTS: an upgrade step may meet its index already there (a
    // recorded version behind the real structure) and must pass over it.
    return QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
        .arg(index.name, index.table, index.columns.join(QStringLiteral(", ")));
}

QString DdlBuilder::createView(const ViewDecl& view) const
{
    return QStringLiteral("CREATE VIEW %1 AS\n%2").arg(view.name, view.select);
}

} // namespace cr::schema
