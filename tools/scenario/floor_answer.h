#pragma once

#include "harness/scripted_ui.h"

namespace cr {
class Sqlca;
}

namespace cr::scenario {

// `answer floors <range>|ok`: the floor dialog answered by its own rules.
// It reads the building it was sent, ticks again what it was sent, and then
// either keeps that (ok) or ticks exactly the readable range given
// ("1单元1-6层，2单元全部"; "" for nothing); a range naming what the building
// lacks fails the line.
harness::ScriptedUi::SelectionAnswer floorAnswer(Sqlca& sqlca, const QString& range);

} // namespace cr::scenario
