#include "frame/row_cursor.h"

#include <QSqlError>
#include <QSqlRecord>

namespace cr {

QueryCursor::QueryCursor(QSqlQuery query) : m_query(std::move(query)) {}

int QueryCursor::columnCount() const
{
    return m_query.record().count();
}

QString QueryCursor::columnName(int column) const
{
    return m_query.record().fieldName(column);
}

bool QueryCursor::next()
{
    return m_query.next();
}

QString QueryCursor::error() const
{
    // The database's own words first, as the connection reports them.
    const QSqlError e = m_query.lastError();
    if (e.type() == QSqlError::NoError) return {};
    for (const QString& t : {e.databaseText(), e.driverText(), e.text()})
        if (!t.trimmed().isEmpty()) return t.trimmed();
    return {};
}

QString QueryCursor::errorCode() const
{
    return m_query.lastError().nativeErrorCode();
}

DbValue QueryCursor::value(int column) const
{
    DbValue v;
    if (m_query.isNull(column)) return v;
    v.other = m_query.value(column);
    switch (v.other.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::UInt:
        v.type = DbValue::Type::Integer;
        v.integer = v.other.toLongLong();
        break;
    case QMetaType::Double:
        v.type = DbValue::Type::Real;
        v.real = v.other.toDouble();
        break;
    default:
        v.type = DbValue::Type::Other;
    }
    return v;
}

bool QueryCursor::execute(std::span<const QVariant> values)
{
    for (size_t i = 0; i < values.size(); ++i) m_query.bindValue(int(i), values[i]);
    return m_query.exec();
}

qint64 QueryCursor::rowsAffected() const
{
    return m_query.numRowsAffected();
}

void QueryCursor::finish()
{
    m_query.finish();
}

} // namespace cr
