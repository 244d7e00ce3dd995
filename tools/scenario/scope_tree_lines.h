#pragma once

#include "frame/str_multiselect.h"

#include <QString>
#include <QStringList>
#include <optional>

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
//
// The tree lines check the window under test when it is the dialog, else
// the last dialog a window opened (`answer scope ...`).
bool playScopeTreeLine(const QStringList& tokens, ScenarioSession& session, QString* failure);
bool checkScopeTreeLine(const QStringList& tokens, ScenarioSession& session, QString* failure);

// `answer scope <actions>`: the scope dialog a window opens is played for
// real. Actions: tick <code>, clear <code>, expandall, and last ok or cancel.
// Returns what the dialog handed back; nullopt with `error` when an action
// cannot be played or the dialog is no scope dialog.
std::optional<StrMultiselect> playSelectionDialog(ScenarioSession& session, const QString& dialog,
                                                  const StrMultiselect& parameter, const QStringList& actions,
                                                  QString* error);

} // namespace cr::scenario
