#include "frame/bulk_load_settings.h"

#include "frame/dialect.h"
#include "frame/sqlca.h"

namespace cr {

BulkLoadSettings::BulkLoadSettings(Sqlca& sqlca) : m_sqlca(sqlca)
{
    for (const QString& statement : m_sqlca.dialect().bulkLoadStart()) m_sqlca.executeRaw(statement);
}

BulkLoadSettings::~BulkLoadSettings()
{
    for (const QString& statement : m_sqlca.dialect().bulkLoadEnd()) m_sqlca.executeRaw(statement);
}

} // namespace cr
