#pragma once

// The scripted UI services live in harness/, shared with the scenario player.
#include "harness/scripted_ui.h"

namespace cr::test {
using harness::Prompt;
using harness::ScriptedUi;
} // namespace cr::test
