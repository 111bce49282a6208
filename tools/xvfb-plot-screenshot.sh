#!/usr/bin/env bash
# Shows the waveform end to end on a virtual X server: starts the simulator,
# points setfile.ini at it, starts Kelvane, clicks "打开" and "绘图其他", waits
# five seconds and saves a screenshot of the scrolling chart.
#   tools/xvfb-plot-screenshot.sh [BUILD_DIR] [OUT_DIR]
# Writes OUT_DIR/kelvane-plot.png. KELVANE_LANG=en (or zh) starts the program
# with that --lang.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out=${2:-$root/screenshots}
mkdir -p "$out"
source "$root/tools/xvfb-session.sh"

# The program reads setfile.ini beside itself: run a copy in a scratch folder.
work=$(mktemp -d)
cp "$build/bin/kelvane" "$work/"
link=$work/sim
"$build/bin/kelvane-sim" --link "$link" --rate 100 >/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
{
  printf '[%s]\r\n' "$(printf '系统参数' | iconv -f UTF-8 -t GBK)"
  printf 'commname=%s\r\nbaudrate=9600\r\nbytesize=8\r\nparity=none\r\nparitycheck=0\r\nstopbits=1\r\n' "$link"
} > "$work/setfile.ini"

"$work/kelvane" ${KELVANE_LANG:+--lang "$KELVANE_LANG"} &
pids+=($!)
wait_for_main_window
# "打开" sits at (6..66, 8..35), "绘图其他" at (776..854, 8..35).
xdotool mousemove $((X + 36)) $((Y + 21)) click 1
sleep 1
xdotool key Return  # dismiss "串口打开成功"
sleep 0.5
xdotool mousemove $((X + 815)) $((Y + 21)) click 1
sleep 5
import -window root "$out/kelvane-plot.png"
echo "screenshot=$out/kelvane-plot.png"
