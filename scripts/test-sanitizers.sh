#!/usr/bin/env bash
# Builds the project with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ (or $ASAN_BUILD_DIR) and runs the whole test suite there. Any report
# fails the run: a memory fault, undefined behaviour or a leak, in a test or in a
# program a test starts. AddressSanitizer and LeakSanitizer write their reports to
# files, so a child process whose exit a test does not check cannot hide one;
# undefined behaviour aborts the process and its "runtime error" line is looked
# for in the output of every test, passed ones included.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build_dir=${ASAN_BUILD_DIR:-build-asan}

SECONDS=0
# -O1 with line tables: the sanitizers' usual level, and much quicker to build than -O2 -g.
BUILD_DIR=$build_dir BUILD_TYPE=RelWithDebInfo scripts/build.sh -DQUORVANTA_SANITIZE=ON \
  -DQUORVANTA_BUILD_BENCH=OFF "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG"

reports=$(cd "$build_dir" && pwd)/sanitizer-reports
rm -rf "$reports"
mkdir -p "$reports"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:log_path=$reports/asan"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen

built=$SECONDS
status=0
rm -f "$build_dir"/Testing/Temporary/LastTest*.log
ctest --test-dir "$build_dir" --output-on-failure --timeout 600 -j "$(nproc)" || status=$?
# g++'s runtime writes undefined-behaviour reports to standard error whatever the log path.
if ! grep -h -A 12 ': runtime error: ' "$build_dir"/Testing/Temporary/LastTest*.log \
  >"$reports/ubsan-in-test-output" 2>/dev/null; then
  rm -f "$reports/ubsan-in-test-output"
fi
if compgen -G "$reports/*" >/dev/null; then
  for report in "$reports"/*; do
    echo "----- $report" >&2
    cat "$report" >&2
  done
  echo "test-sanitizers: the sanitizers reported faults (above)" >&2
  status=1
fi
echo "test-sanitizers: build ${built}s, suite $((SECONDS - built))s"
exit "$status"
