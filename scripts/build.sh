#!/usr/bin/env bash
# Configures and builds into build/ (or $CR_BUILD_DIR). CR_DEPS chooses which
# packages deps.sh makes sure of first (run, test or package; default run:
# without GoogleTest the tests are simply not built).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CR_BUILD_DIR:-$root/build}
"$root/scripts/deps.sh" "${CR_DEPS:-run}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=${CR_BUILD_TYPE:-RelWithDebInfo} >/dev/null
cmake --build "$build" -j"${CR_JOBS:-2}" "$@"
