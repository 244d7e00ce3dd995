#!/usr/bin/env bash
# Fuzzes the expression engine, the property language, typed values and scope
# codes with libFuzzer: builds the fuzz programs with clang, AddressSanitizer
# and UndefinedBehaviorSanitizer into build-fuzz/ (or $CR_FUZZ_BUILD_DIR), then
# runs each for SECONDS (default 60) one after the other.
#
#   scripts/fuzz.sh 300              every target five minutes
#   scripts/fuzz.sh 60 expression    one target
#
# Inputs that find something new go to build-fuzz/corpus/<target>/ (the
# committed corpus in tests/fuzz/corpus/ is only read); a crash, hang or
# sanitizer report stops that target and leaves the input in
# build-fuzz/artifacts/<target>/. Copy such an input to
# tests/fuzz/crashes/<target>/ and the unit tests replay it from then on.
set -euo pipefail
seconds=${1:-60}
shift || true
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CR_FUZZ_BUILD_DIR:-$root/build-fuzz}

# clang brings libFuzzer and the sanitizer runtimes (libclang-rt-*-dev).
if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends clang libclang-rt-dev
fi
"$root/scripts/deps.sh"

sanitize="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-sanitize=vptr"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCR_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="$sanitize -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for dir in "$root"/tests/fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi
cmake --build "$build" -j"${CR_JOBS:-2}" --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_LOGGING_RULES="*.warning=false"
status=0
summary=()
for t in "${targets[@]}"; do
  mkdir -p "$build/corpus/$t" "$build/artifacts/$t" "$build/logs"
  log="$build/logs/$t.log"
  dict=()
  [ -f "$root/tests/fuzz/dict/$t.dict" ] && dict=(-dict="$root/tests/fuzz/dict/$t.dict")
  echo "== $t: $seconds s"
  if "$build/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
       -print_final_stats=1 -artifact_prefix="$build/artifacts/$t/" "${dict[@]}" \
       "$build/corpus/$t" "$root/tests/fuzz/corpus/$t" >"$log" 2>&1; then
    result="no finding"
  else
    result="FINDING (see $log and $build/artifacts/$t/)"
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | sed 's/cov: //')
  corpus=$(ls "$build/corpus/$t" | wc -l)
  summary+=("$(printf '%-12s %6s s %10s runs %7s/s  coverage %5s edges  corpus %5s  %s' \
    "$t" "$seconds" "${runs:-?}" "${speed:-?}" "${cov:-?}" "$corpus" "$result")")
done
printf '%s\n' "${summary[@]}"
exit $status
