#include "frame/sql_values.h"

namespace cr {

qlonglong numberOrZero(Sqlca& sqlca, const QString& sql, const SqlParams& params)
{
    const QVariant v = sqlca.selectValue(sql, params);
    return sqlca.sqlCode() == Sqlca::Success && !v.isNull() ? v.toLongLong() : 0;
}

} // namespace cr
