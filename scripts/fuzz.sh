#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang into build-fuzz/ (or
# $FUZZ_BUILD_DIR) and runs each for FUZZ_SECONDS (default 60) from its committed
# seeds in fuzz/corpus/<target>. A crash, a sanitizer report or a broken property
# fails the run; the input that did it is kept in <build>/fuzz-run/artifacts/.
# FUZZ_TARGETS picks some of the targets (blank-separated names without "fuzz_").
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
read -r -a targets <<<"${FUZZ_TARGETS:-amount_text amount_words word_split date_style csv_reader}"

SECONDS=0
export CC=clang CXX=clang++
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANTA_FUZZ=ON \
  -DQUORVANTA_BUILD_TESTS=OFF -DQUORVANTA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)" --target fuzz_all

built=$SECONDS
run=$(cd "$build_dir" && pwd)/fuzz-run
rm -rf "$run"
mkdir -p "$run/artifacts" "$run/tmp"
export TMPDIR=$run/tmp
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

# Longest input and dictionary of each target.
declare -A max_len=([amount_text]=128 [amount_words]=128 [word_split]=512 [date_style]=256 [csv_reader]=2048)
declare -A dict=([amount_text]=amount [amount_words]=amount [date_style]=date_style)

summary="$run/summary.md"
printf '| target | seconds | executions | executions/s | corpus (seeds -> after) | coverage | result |\n' >"$summary"
printf '|---|---|---|---|---|---|---|\n' >>"$summary"
failed=()
for target in "${targets[@]}"; do
  binary=$build_dir/fuzz/fuzz_$target
  seeds=fuzz/corpus/$target
  corpus=$run/corpus/$target
  log=$run/$target.log
  mkdir -p "$corpus"
  args=(-max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -print_final_stats=1
        -max_len="${max_len[$target]:-256}" -artifact_prefix="$run/artifacts/$target-")
  if [ -n "${dict[$target]:-}" ]; then args+=(-dict="fuzz/dict/${dict[$target]}.dict"); fi
  echo "fuzz: $target for ${seconds}s"
  result=ok
  # New inputs go to the first folder only: the committed seeds stay as they are.
  "$binary" "${args[@]}" "$corpus" "$seeds" >"$log" 2>&1 </dev/null || result=FAILED

  stat() { sed -n "s/^stat::$1: *//p" "$log" | tail -n 1; }
  done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true)
  corp=$(sed -n 's/.* corp: \([0-9]*\)\/.*/\1/p' <<<"$done_line")
  cov=$(sed -n 's/.* cov: \([0-9]*\) .*/\1/p' <<<"$done_line")
  printf '| fuzz_%s | %s | %s | %s | %s -> %s | %s | %s |\n' "$target" "$seconds" \
    "$(stat number_of_executed_units)" "$(stat average_exec_per_sec)" \
    "$(find "$seeds" -type f | wc -l)" "${corp:-?}" "${cov:-?}" "$result" >>"$summary"
  if [ "$result" != ok ]; then
    failed+=("$target")
    echo "----- fuzz_$target failed; the end of $log:" >&2
    grep -v -E '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse)' "$log" | tail -n 60 >&2
    ls "$run/artifacts" >&2 || true
  fi
done

cat "$summary"
echo "fuzz: build ${built}s, runs $((SECONDS - built))s"
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: failed: ${failed[*]} (reproduce: $build_dir/fuzz/fuzz_<target> <artifact>)" >&2
  exit 1
fi
