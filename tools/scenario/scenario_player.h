#pragma once

#include "scenario_checks.h"
#include "scenario_script.h"
#include "scenario_session.h"

#include <QList>
#include <QString>

namespace cr::scenario {

// Plays one scenario against the windows: set-up statements, opening
// windows and list pages, typing, clicking, queued answers, and the `expect`
// lines (ScenarioChecks). Stops at the first line that fails and prints it
// with what was expected and what happened.
class ScenarioPlayer {
public:
    ScenarioPlayer(Sqlca& sqlca, bool verbose);
    bool play(const QList<ScenarioLine>& lines);

private:
    bool run(const ScenarioLine& line, QString* failure);
    bool finish(QString* failure);
    void report(const QString& where, const QString& text, const QString& failure) const;

    bool doSql(const ScenarioLine& line, QString* failure);
    bool doList(const QStringList& t, QString* failure);
    bool doOpen(const QStringList& t, QString* failure);
    bool doType(const QStringList& t, bool leave, QString* failure);
    bool doClick(const QStringList& t, QString* failure);
    bool doSelect(const QStringList& t, QString* failure);
    bool doAnswer(const QStringList& t, QString* failure);
    bool doParameter(const QStringList& t, QString* failure);

    ScenarioSession m_session;
    ScenarioChecks m_checks;
    bool m_verbose;
};

} // namespace cr::scenario
