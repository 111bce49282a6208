#!/usr/bin/env bash
# Several values a line on a virtual X server: a device on a pseudo-terminal
# prints three numbers a line ("12,-30,7") or named ones ("a=12 b=-30"),
# Kelvane starts on it from its command line (--port, --open, --plot
# decimal) and, after five seconds, a screenshot shows a trace per value
# with its name in the legend.
#   tools/xvfb-multi-screenshot.sh [columns|named] [BUILD_DIR] [OUT_DIR]
# Writes OUT_DIR/kelvane-multi-<form>.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
form=${1:-columns}
build=${2:-$root/build}
out=${3:-$root/screenshots}
mkdir -p "$out"
case $form in
  columns) line='"%d,%d,%d\n", 100*sin(i/10), 60*cos(i/7), (i%40)-20' ;;
  named) line='"a=%d b=%d\n", 100*sin(i/10), 60*cos(i/7)' ;;
  *) echo "form must be columns or named" >&2; exit 2 ;;
esac
source "$root/tools/xvfb-session.sh"

work=$(mktemp -d)
cp "$build/bin/kelvane" "$work/"
link=$work/device
# socat reads commas as its own separators: the device is a script file.
cat >"$work/device.sh" <<SCRIPT
exec awk 'BEGIN { for (i = 0; ; i++) { printf $line; fflush(); system("sleep 0.02") } }'
SCRIPT
socat PTY,link="$link",raw,echo=0 EXEC:"bash $work/device.sh" &
pids+=($!)
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done

"$work/kelvane" --port "$link" --baud 115200 --open --plot decimal &
pids+=($!)
wait_for_main_window
sleep 1
xdotool key Return  # dismiss "串口打开成功"
sleep 5
import -window root "$out/kelvane-multi-$form.png"
echo "screenshot=$out/kelvane-multi-$form.png"
