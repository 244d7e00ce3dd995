#include "fuzz_targets.h"

namespace cr::fuzz {

namespace {
const Target kTargets[] = {
    {"expression", &expression},
    {"property", &propertyModify},
    {"typed_value", &typedValue},
    {"scope_code", &scopeCode},
};
} // namespace

const Target* targets() { return kTargets; }
int targetCount() { return static_cast<int>(sizeof kTargets / sizeof kTargets[0]); }

} // namespace cr::fuzz
