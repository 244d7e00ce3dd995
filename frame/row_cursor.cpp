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
    const QSqlError e = m_query.lastError();
    return e.type() == QSqlError::NoError ? QString() : e.text();
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

} // namespace cr
