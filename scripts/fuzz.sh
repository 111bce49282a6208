#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ and runs each in turn.
#   scripts/fuzz.sh             every target until it has run 10 million inputs,
#                               in sittings that a stopped script resumes
#   scripts/fuzz.sh SECONDS     every target for SECONDS seconds (the CI smoke)
# KELVANE_FUZZ_TARGETS="data_text ini_profile" runs only the targets named.
# KELVANE_FUZZ_TIMEOUT (default 10) is the seconds one input may run before
# it counts as a hang; a campaign at the idle scheduling class waits out
# whatever else the machine runs, so it wants a longer one.
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

# One libFuzzer run of a target over a corpus folder; prints the inputs it
# ran. A finding stops the script.
run_target() {
  local program=$1 name=$2 corpus=$3
  shift 3
  local options=(-artifact_prefix="$findings/$name-" -print_final_stats=1
                 -max_len="$(max_len_of "$name")" "$(schedule_of "$name")"
                 -timeout="${KELVANE_FUZZ_TIMEOUT:-10}" -rss_limit_mb=2048 "$@")
  [ -f "$root/fuzz/dict/$name.dict" ] && options+=(-dict="$root/fuzz/dict/$name.dict")
  local log
  log=$(mktemp)
  if ! "$program" "${options[@]}" "$corpus" "$root/fuzz/corpus/$name" >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "fuzz $name: FAILED, reproducer in $findings/" >&2
    rm -f "$log"
    exit 1
  fi
  sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1
  rm -f "$log"
}

# Without SECONDS each target runs in sittings of at most
# KELVANE_FUZZ_SITTING seconds (default 600) over a corpus kept in
# build-fuzz/campaign/<name>/, which also keeps the runs and seconds so far:
# a stopped script goes on where its last whole sitting ended, and a machine
# with a few idle hours a day still reaches the count. Remove the folder to
# start a target over.
sitting=${KELVANE_FUZZ_SITTING:-600}
for program in "${programs[@]}"; do
  name=${program##*/fuzz_}
  if [ -n "$seconds" ]; then
    # New inputs go to a scratch folder: the committed seeds stay small.
    work=$(mktemp -d)
    start=$(date +%s)
    done_runs=$(run_target "$program" "$name" "$work" -max_total_time="$seconds")
    echo "fuzz $name: ${done_runs:-?} runs in $(( $(date +%s) - start )) s"
    rm -rf "$work"
    continue
  fi
  campaign=$dir/campaign/$name
  mkdir -p "$campaign/corpus"
  total_runs=0 total_seconds=0 sittings=0
  [ -f "$campaign/tally" ] && read -r total_runs total_seconds sittings <"$campaign/tally"
  while [ "$total_runs" -lt "$runs" ]; do
    start=$(date +%s)
    done_runs=$(run_target "$program" "$name" "$campaign/corpus" \
      -runs=$(( runs - total_runs )) -max_total_time="$sitting")
    [ "${done_runs:-0}" -gt 0 ] || { echo "fuzz $name: a sitting ran no input" >&2; exit 1; }
    total_runs=$(( total_runs + done_runs ))
    total_seconds=$(( total_seconds + $(date +%s) - start ))
    sittings=$(( sittings + 1 ))
    echo "$total_runs $total_seconds $sittings" >"$campaign/tally"
  done
  echo "fuzz $name: $total_runs runs in $total_seconds s ($sittings sittings)"
done
