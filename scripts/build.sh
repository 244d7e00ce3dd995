#!/usr/bin/env bash
# Configures and builds into build/ (or $CR_BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CR_BUILD_DIR:-$root/build}
"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=${CR_BUILD_TYPE:-RelWithDebInfo} >/dev/null
cmake --build "$build" -j"${CR_JOBS:-2}" "$@"
