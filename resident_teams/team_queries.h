#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace cr {
class Sqlca;
}

namespace cr::resident_teams {

// The statements the team register runs besides the form's own save.
class TeamQueries {
public:
    explicit TeamQueries(Sqlca& sqlca);

    // Teams of this name over the whole table (names compare without
    // surrounding blanks), the team `exceptTeam` left out when given; 0 when
    // the count cannot be read.
    qlonglong nameCount(const QString& name, std::optional<qlonglong> exceptTeam) const;

    // The team's scope row: how many there are, and writing it. The writes
    // run in the save's unit of work; false when the statement failed
    // (sqlErrText() says why).
    struct Scope {
        qlonglong team = 0;
        QString name;
        QString code;
        qlonglong households = 0;
        qlonglong persons = 0;
    };
    qlonglong scopeRows(qlonglong team) const;
    bool insertScope(const Scope& scope) const;
    bool updateScope(const Scope& scope) const;

private:
    Sqlca& m_sqlca;
};

// The statement the leader register checks duplicates with.
class LeaderQueries {
public:
    explicit LeaderQueries(Sqlca& sqlca);

    // Leader rows naming this person for this team, the leader row
    // `exceptLeader` left out when given.
    qlonglong leaderCount(qlonglong team, const QString& person, std::optional<qlonglong> exceptLeader) const;

private:
    Sqlca& m_sqlca;
};

} // namespace cr::resident_teams
