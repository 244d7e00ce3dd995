#include "resident_teams/team_queries.h"

#include "frame/record_codes.h"
#include "frame/sql_values.h"

namespace cr::resident_teams {

TeamQueries::TeamQueries(Sqlca& sqlca) : m_sqlca(sqlca) {}

qlonglong TeamQueries::nameCount(const QString& name, std::optional<qlonglong> exceptTeam) const
{
    // A name stored with blanks around it is still the same name.
    QString sql = QStringLiteral("SELECT COUNT(*) FROM TC_OG_InhabitantTeam WHERE trim(OrgName) = :orgname");
    SqlParams params{{QStringLiteral("orgname"), name.trimmed()}};
    if (exceptTeam) {
        sql += QStringLiteral(" AND TeamNo <> :teamno");
        params.append({QStringLiteral("teamno"), *exceptTeam});
    }
    return numberOrZero(m_sqlca, sql, params);
}

qlonglong TeamQueries::scopeRows(qlonglong team) const
{
    return numberOrZero(m_sqlca, QStringLiteral("SELECT COUNT(*) FROM TC_OG_InhabTeamScope WHERE TeamNo = :teamno"),
                        {{QStringLiteral("teamno"), team}});
}

bool TeamQueries::insertScope(const Scope& s) const
{
    return m_sqlca.execute(
        QStringLiteral("INSERT INTO TC_OG_InhabTeamScope (CommNo, TeamNo, ScopeName, ScopeCode, RprNum, PersonNum, "
                       "IsSave) VALUES (:commno, :teamno, :scopename, :scopecode, :rprnum, :personnum, :issave)"),
        {{QStringLiteral("commno"), m_sqlca.commNo()},
         {QStringLiteral("teamno"), s.team},
         {QStringLiteral("scopename"), s.name},
         {QStringLiteral("scopecode"), s.code},
         {QStringLiteral("rprnum"), s.households},
         {QStringLiteral("personnum"), s.persons},
         {QStringLiteral("issave"), codes::issave::validated}});
}

bool TeamQueries::updateScope(const Scope& s) const
{
    return m_sqlca.execute(QStringLiteral("UPDATE TC_OG_InhabTeamScope SET ScopeName = :scopename, "
                                          "ScopeCode = :scopecode, RprNum = :rprnum, PersonNum = :personnum "
                                          "WHERE TeamNo = :teamno"),
                           {{QStringLiteral("scopename"), s.name},
                            {QStringLiteral("scopecode"), s.code},
                            {QStringLiteral("rprnum"), s.households},
                            {QStringLiteral("personnum"), s.persons},
                            {QStringLiteral("teamno"), s.team}});
}

LeaderQueries::LeaderQueries(Sqlca& sqlca) : m_sqlca(sqlca) {}

qlonglong LeaderQueries::leaderCount(qlonglong team, const QString& person, std::optional<qlonglong> exceptLeader) const
{
    QString sql = QStringLiteral("SELECT COUNT(*) FROM TC_OG_InhabTeamLeader WHERE TeamNo = :teamno "
                                 "AND PersonNo = :personno");
    SqlParams params{{QStringLiteral("teamno"), team}, {QStringLiteral("personno"), person}};
    if (exceptLeader) {
        sql += QStringLiteral(" AND OrderNo <> :orderno");
        params.append({QStringLiteral("orderno"), *exceptLeader});
    }
    return numberOrZero(m_sqlca, sql, params);
}

} // namespace cr::resident_teams
