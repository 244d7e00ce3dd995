#include "resident_teams/prepared_select.h"

#include "frame/sqlca.h"

namespace cr::resident_teams {

QSqlQuery* PreparedSelect::firstRow(const QList<std::pair<QString, QVariant>>& values)
{
    if (m_broken) return nullptr;
    if (!m_prepared) {
        m_query = QSqlQuery(m_sqlca.database());
        m_query.setForwardOnly(true);
        if (!m_query.prepare(m_sqlca.renderedSql(m_sql))) {
            m_broken = true;
            return nullptr;
        }
        m_prepared = true;
    }
    for (const auto& [name, value] : values) m_query.bindValue(QLatin1Char(':') + name, value);
    if (!m_query.exec() || !m_query.next()) return nullptr;
    return &m_query;
}

} // namespace cr::resident_teams
