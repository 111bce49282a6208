#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ and runs each in turn.
#   scripts/fuzz.sh             every target until it has run 10 million inputs
#   scripts/fuzz.sh SECONDS     every target for SECONDS seconds (the CI smoke)
# KELVANE_FUZZ_TARGETS="data_text ini_profile" runs only the targets named.
# One target runs at a time, on one core. A target that finds a fault stops
# the script; the input that broke it is left in build-fuzz/findings/.
# Each target prints "fuzz <name>: <runs> runs in <seconds> s".
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-}
runs=10000000
dir=${KELVANE_FUZZ_BUILD:-$root/build-fuzz}

build_log=$(mktemp)
if ! CC=clang CXX=clang++ KELVANE_BUILD_TARGET=kelvane_fuzzers bash "$root/scripts/build.sh" "$dir" \
  -DKELVANE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$build_log" 2>&1; then
  grep -E -A8 'error|FAILED' "$build_log" | head -n 80 || tail -n 40 "$build_log"
  echo "fuzz: the targets do not build" >&2
  exit 1
fi
rm -f "$build_log"

findings=$dir/findings
mkdir -p "$findings"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$root/fuzz/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# Inputs longer than a target's reader needs to reach all of its code only
# slow each run down: a line or a hex frame, a few kilobytes; a file, more.
# A data file's reader has reached all of its code within a few hundred
# rows (its window moves on only after a megabyte, which no input here
# reaches); inputs grown to 40 KB ran a third as fast.
max_len_of() {
  case $1 in
    feed_*|hex_send|gbk_codec) echo 4096 ;;
    ini_profile|settings_file|history_file|property_text|channel_properties) echo 16384 ;;
    data_*|channel_data) echo 16384 ;;
    *) echo 65536 ;;
  esac
}
# Targets that build a plot touch thousands of edges a run; libFuzzer's
# entropic schedule then spends more time ranking rare features than the
# run takes (over half of it, profiled), so they use the plain schedule.
schedule_of() {
  case $1 in
    plot_config|channel_properties|channel_data|property_text) echo -entropic=0 ;;
    *) echo -entropic=1 ;;
  esac
}

programs=("$dir"/bin/fuzz_*)
if [ -n "${KELVANE_FUZZ_TARGETS:-}" ]; then
  programs=()
  for name in $KELVANE_FUZZ_TARGETS; do
    [ -x "$dir/bin/fuzz_$name" ] || { echo "fuzz: no target $name" >&2; exit 1; }
    programs+=("$dir/bin/fuzz_$name")
  done
fi

for program in "${programs[@]}"; do
  name=${program##*/fuzz_}
  # New inputs go to a scratch copy: the committed seeds stay small.
  work=$(mktemp -d)
  cp -r "$root/fuzz/corpus/$name/." "$work/" 2>/dev/null || true
  options=(-artifact_prefix="$findings/$name-" -print_final_stats=1 -max_len="$(max_len_of "$name")"
           "$(schedule_of "$name")" -timeout=10 -rss_limit_mb=2048)
  [ -f "$root/fuzz/dict/$name.dict" ] && options+=(-dict="$root/fuzz/dict/$name.dict")
  if [ -n "$seconds" ]; then
    options+=(-max_total_time="$seconds")
  else
    options+=(-runs="$runs")
  fi
  log=$(mktemp)
  start=$(date +%s)
  if ! "$program" "${options[@]}" "$work" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz $name: FAILED, reproducer in $findings/" >&2
    rm -rf "$work" "$log"
    exit 1
  fi
  elapsed=$(( $(date +%s) - start ))
  done_runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  echo "fuzz $name: ${done_runs:-?} runs in ${elapsed} s"
  rm -rf "$work" "$log"
done
