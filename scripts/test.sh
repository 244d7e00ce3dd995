#!/usr/bin/env bash
# Installs the test tools and the PostgreSQL server where missing, builds
# everything and runs the whole test suite on SQLite and PostgreSQL.
# A throwaway PostgreSQL server is started for the run unless CR_TEST_PG
# already names one (postgresql://user@host:port/db).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CR_BUILD_DIR:-$root/build}
CR_DEPS=test "$root/scripts/build.sh"
pgdir=""
if [ -z "${CR_TEST_PG:-}" ]; then
  pgdir=$(mktemp -d /tmp/cr-pg.XXXXXX)
  trap '"$root/scripts/pg-test-server.sh" stop "$pgdir"; rm -rf "$pgdir"' EXIT
  CR_TEST_PG=$("$root/scripts/pg-test-server.sh" start "$pgdir" "${CR_TEST_PG_PORT:-55432}")
  export CR_TEST_PG
fi
echo "PostgreSQL for tests: $CR_TEST_PG"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"${CR_JOBS:-2}" "$@"
