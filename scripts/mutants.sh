#!/usr/bin/env bash
# Plants known faults one at a time and reports which ones the test suite kills.
#
#   scripts/mutants.sh [LIST] [FILTER]
#
# LIST (default scripts/mutants.txt) holds one fault a line, fields separated by a
# tab: file, the exact text to replace (it must occur exactly once in the file),
# the replacement, and optionally a ctest -R regex naming the tests worth running
# for it (default: all). Blank lines and lines starting with # are skipped.
# FILTER, when given, runs only the faults whose file or text contains it.
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
rsync -a --delete --exclude '/build*' --exclude '/.git' "$root/" "$work/tree/"
cmake -S "$work/tree" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORVANTA_BUILD_BENCH=OFF >/dev/null
echo "Building the unchanged tree..."
cmake --build "$work/build" --parallel "$jobs" >"$work/build.log" 2>&1 || {
  echo "the unchanged tree does not build; see $work/build.log"; exit 2; }
if ! ctest --test-dir "$work/build" --timeout 300 -j "$jobs" >"$work/baseline.log" 2>&1; then
  echo "the unchanged tree fails its tests; see $work/baseline.log"; exit 2
fi

killed=0; survived=0; invalid=0; n=0
results=()
while IFS=$'\t' read -r file text replacement tests || [ -n "${file:-}" ]; do
  [ -z "${file// /}" ] && continue
  case "$file" in \#*) continue ;; esac
  if [ -n "$filter" ] && [[ "$file" != *"$filter"* && "$text" != *"$filter"* ]]; then continue; fi
  n=$((n + 1))
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
  elif ! cmake --build "$work/build" --parallel "$jobs" >"$work/mutant-build.log" 2>&1; then
    verdict="INVALID (does not build)"; invalid=$((invalid + 1))
  else
    args=(--test-dir "$work/build" --timeout 300 -j "$jobs" --stop-on-failure)
    [ -n "${tests:-}" ] && args+=(-R "$tests")
    if ctest "${args[@]}" >"$work/mutant-test.log" 2>&1; then
      verdict="SURVIVED"; survived=$((survived + 1))
    else
      verdict="killed"; killed=$((killed + 1))
    fi
  fi
  cp "$work/original" "$target"
  line=$(printf '%3d  %-9s %s: %s -> %s' "$n" "${verdict%% *}" "$file" "$text" "$replacement")
  echo "$line"
  results+=("$line")
done <"$list"

# Leave the copy built as it was, for the next run.
cmake --build "$work/build" --parallel "$jobs" >/dev/null 2>&1 || true
echo
echo "killed $killed of $((killed + survived)) planted faults ($survived survived, $invalid invalid)"
[ "$survived" -eq 0 ] && [ "$invalid" -eq 0 ]
