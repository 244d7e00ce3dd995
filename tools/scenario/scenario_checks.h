#pragma once

#include <QString>
#include <QStringList>

namespace cr::scenario {

class ScenarioSession;
struct FieldRef;

// The `expect ...` lines of a scenario. Each compares one thing the user
// would see (a message, a field's value or state, a list, a drop-down list,
// the database) and, when it differs, says what was expected and what is.
class ScenarioChecks {
public:
    // Field states by Tag, background and tab order:
    //   locked   = grey background (14474460) and tab order 0
    //   grey     = grey background, reachable
    //   required = Tag beginning with "1", not grey
    //   optional = empty Tag, not grey
    static QString fieldState(const FieldRef& field);
    static QString greyColour() { return QStringLiteral("14474460"); }

    bool run(const QStringList& tokens, ScenarioSession& session, QString* failure);

private:
    bool message(const QStringList& t, ScenarioSession& s, QString* failure);
    bool field(const QStringList& t, ScenarioSession& s, QString* failure);
    bool dropdown(const QStringList& t, ScenarioSession& s, QString* failure);
    bool sql(const QStringList& t, ScenarioSession& s, QString* failure);
    bool list(const QStringList& t, ScenarioSession& s, QString* failure);
    bool window(const QStringList& t, ScenarioSession& s, QString* failure);
    bool dialogs(const QStringList& t, ScenarioSession& s, QString* failure);
};

} // namespace cr::scenario
