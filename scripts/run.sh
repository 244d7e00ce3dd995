#!/usr/bin/env bash
# Builds and starts the desktop application. Arguments go to the application,
# e.g. --db /path/to/file.db or --db postgresql://clerk@server:5432/registry
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CR_BUILD_DIR:-$root/build}
"$root/scripts/build.sh" --target community-registry community-admin
exec "$build/app/community-registry" "$@"
