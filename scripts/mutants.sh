#!/usr/bin/env bash
# Plants known faults one at a time and reports which ones the test suite kills.
#
#   scripts/mutants.sh [LIST] [FILTER]
#
# LIST (default scripts/mutants.txt) holds one fault a line, fields separated by a
# single tab: file, the exact text to replace (it must occur exactly once in the
# file), the replacement (may be empty: the text is deleted), and optionally the
# tests worth running for it (default: all). The tests are either test executables
# separated by blanks ("test_words test_ui_preview": only those are rebuilt and
# run) or any other ctest -R regex (the whole tree is rebuilt). Blank lines and
# lines starting with # are skipped.
# FILTER, when given, runs only the faults whose line contains it (a source path,
# a piece of the text or a test executable's name).
#
# The faults are planted in a copy of the tree under $MUTANTS_DIR (default
# build-mutants/ in the project), built there (ccache keeps rebuilds short), so the
# working tree is never touched. Exit status: 0 when every fault was killed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
list=${1:-scripts/mutants.txt}
filter=${2:-}
work=${MUTANTS_DIR:-$root/build-mutants}
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

mkdir -p "$work"
# The copy is built in tree/build, laid out as a worktree's own build/, so that
# ccache finds the objects the worktree builds made (it keys on relative paths).
# Files are compared by content and a changed one gets the time of the copy: a
# planted file put back by an earlier run is newer than its source here, and
# keeping the source's older time would leave the earlier object in place.
rsync -rlpgoD --checksum --delete --exclude '/build*' --exclude '/.git' "$root/" "$work/tree/"
build="$work/tree/build"
cmake -S "$work/tree" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORVANTA_BUILD_BENCH=OFF >/dev/null
echo "Building the unchanged tree..."
cmake --build "$build" --parallel "$jobs" >"$work/build.log" 2>&1 || {
  echo "the unchanged tree does not build; see $work/build.log"; exit 2; }
if ! ctest --test-dir "$build" --timeout 300 -j "$jobs" >"$work/baseline.log" 2>&1; then
  echo "the unchanged tree fails its tests; see $work/baseline.log"; exit 2
fi

# A planted file is put back even when the run is interrupted.
target=""
restore() { if [ -n "$target" ] && [ -f "$work/original" ]; then cp "$work/original" "$target"; fi; }
trap 'restore; exit 130' INT TERM

killed=0; survived=0; invalid=0; n=0
while IFS= read -r line || [ -n "$line" ]; do
  [ -z "${line//[[:space:]]/}" ] && continue
  case "$line" in \#*) continue ;; esac
  if [ -n "$filter" ] && [[ "$line" != *"$filter"* ]]; then continue; fi
  # Split on single tabs by hand: `read` would merge the two tabs around an empty
  # replacement and shift the test field into its place.
  file=${line%%$'\t'*}; rest=${line#*$'\t'}
  text=${rest%%$'\t'*}; rest=${rest#"$text"}; rest=${rest#$'\t'}
  replacement=${rest%%$'\t'*}; rest=${rest#"$replacement"}; tests=${rest#$'\t'}
  n=$((n + 1))
  targets=(); regex=$tests
  if [[ -n "$tests" && "$tests" =~ ^test_[a-z_]+(\ +test_[a-z_]+)*$ ]]; then
    read -ra targets <<<"$tests"
    regex="^($(IFS='|'; echo "${targets[*]}"))\\."
  fi
  target="$work/tree/$file"
  cp "$target" "$work/original"
  if ! python3 - "$target" "$text" "$replacement" <<'EOF'
import sys
path, old, new = sys.argv[1], sys.argv[2], sys.argv[3]
s = open(path, encoding='utf-8').read()
if s.count(old) != 1:
    sys.exit(1)
open(path, 'w', encoding='utf-8').write(s.replace(old, new))
EOF
  then
    verdict="INVALID (text not found exactly once)"; invalid=$((invalid + 1))
  elif [ -n "$regex" ] && [ "$(ctest --test-dir "$build" -N -R "$regex" | grep -c 'Test *#')" -eq 0 ]; then
    verdict="INVALID (no test matches $regex)"; invalid=$((invalid + 1))
  elif ! cmake --build "$build" --parallel "$jobs" ${targets[@]:+--target "${targets[@]}"} \
      >"$work/mutant-build.log" 2>&1; then
    verdict="INVALID (does not build)"; invalid=$((invalid + 1))
  else
    args=(--test-dir "$build" --timeout 300 -j "$jobs" --stop-on-failure)
    [ -n "$regex" ] && args+=(-R "$regex")
    if ctest "${args[@]}" >"$work/mutant-test.log" 2>&1; then
      verdict="SURVIVED"; survived=$((survived + 1))
    else
      # The first test in ctest's list of failures (not the ones it skipped).
      by=$(sed -n '/tests FAILED:/,$p' "$work/mutant-test.log" |
        sed -nE 's/^[[:space:]]*[0-9]+ - ([^ ]+) \(.*/\1/p' | head -1)
      verdict="killed${by:+ by $by}"; killed=$((killed + 1))
    fi
  fi
  restore; target=""
  printf '%3d  %-9s %s: %s -> %s\n' "$n" "${verdict%% *}" "$file" "$text" "$replacement"
  [ "${verdict#* }" != "$verdict" ] && echo "     ${verdict#* }"
done <"$list"

# Leave the copy built as it was, for the next run.
cmake --build "$build" --parallel "$jobs" >/dev/null 2>&1 || true
echo
echo "killed $killed of $((killed + survived)) planted faults ($survived survived, $invalid invalid)"
[ "$survived" -eq 0 ] && [ "$invalid" -eq 0 ]
