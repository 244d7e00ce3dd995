#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitize/ (or $CR_SANITIZE_BUILD_DIR) and runs the SQLite half of the
# test suite there: the tests that need a PostgreSQL server are skipped (they
# exercise the same code; the server's half runs in the normal build). Any
# sanitizer finding fails the test that met it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CR_SANITIZE_BUILD_DIR:-$root/build-sanitize}
"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Sanitize >/dev/null
cmake --build "$build" -j"${CR_JOBS:-2}"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=0}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/scripts/sanitizer/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
unset CR_TEST_PG
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"${CR_JOBS:-2}" "$@"
