#!/usr/bin/env bash
# Runs every benchmark under bench/ and prints each figure next to its
# reference: SQLite always; PostgreSQL when CR_BENCH_PG names a server or
# CR_BENCH_PG_PORT gives a free port for a throwaway one.
#
#   scripts/bench.sh [--runs N]
#
# Run on a quiet machine: the load average is printed before and after each
# benchmark, and figures measured under load are upper bounds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CR_BUILD_DIR:-$root/build}
runs=5
[ "${1:-}" = "--runs" ] && runs=${2:-5}
"$root/scripts/build.sh" --target bench_house_list bench_houses bench_load bench_processes \
  community-admin community-registry >/dev/null

work=$(mktemp -d /tmp/cr-bench.XXXXXX)
pgdir=""
cleanup() {
  [ -n "$pgdir" ] && "$root/scripts/pg-test-server.sh" stop "$pgdir" && rm -rf "$pgdir"
  rm -rf "$work"
}
trap cleanup EXIT
pg=${CR_BENCH_PG:-}
if [ -z "$pg" ] && [ -n "${CR_BENCH_PG_PORT:-}" ]; then
  pgdir=$(mktemp -d /tmp/cr-bench-pg.XXXXXX)
  pg=$("$root/scripts/pg-test-server.sh" start "$pgdir" "$CR_BENCH_PG_PORT")
fi

load() { echo "-- load average $(cut -d' ' -f1-3 /proc/loadavg) ($1)"; }
export QT_QPA_PLATFORM=offscreen
load "start"
"$build/bench/bench_processes" --runs "$runs" --large "$work/large.db"
load "after the whole-process rows"
"$build/bench/bench_house_list" "$work/large.db" ${pg:+--pg "$pg"} --runs "$runs"
load "after the house list"
"$build/bench/bench_houses" ${pg:+"$pg"} --runs "$((runs + 2))"
load "after the batch generation"
"$build/bench/bench_load" --size large ${pg:+"$pg"}
load "end"
