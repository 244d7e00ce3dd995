#pragma once

#include <QString>
#include <QStringList>

namespace cr::scenario {

class ScenarioSession;

// Scenario lines of the team scope dialog (w_inhabitantteam_scope):
//   tick <code> [<n>]                 the user ticks the item (the n-th with that code)
//   clear <code> [<n>]                the user takes the tick away
//   expect tree items <n>             items in the whole tree
//   expect tree top [<code>...]       the buildings, in their order
//   expect tree <code> ticked|unticked|missing
//   expect tree <code> label <text>
//   expect tree <code> under <code>|top
//   expect tree <code> children [<code>...]
//   expect tree expandall on|off
//   expect returned s_str=...;s_dw=...   what the dialog handed back (named fields only)
bool playScopeTreeLine(const QStringList& tokens, ScenarioSession& session, QString* failure);
bool checkScopeTreeLine(const QStringList& tokens, ScenarioSession& session, QString* failure);

} // namespace cr::scenario
