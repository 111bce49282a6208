#!/usr/bin/env bash
# Runs Kelvane on a virtual X server with a tray host and takes screenshots,
# so anyone can see the program as a user would.
#   tools/xvfb-screenshot.sh [BUILD_DIR] [OUT_DIR]
# Writes OUT_DIR/kelvane-start.png (the program as started) and
# OUT_DIR/kelvane-f5.png (after F5 pressed on the root window and the data
# panel unfolded, so the time appended to the send box is visible). Also checks
# that a second start exits 0 without a second window.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out=${2:-$root/screenshots}
mkdir -p "$out"

display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
  display=$((display + 1))
done
export DISPLAY=:$display

pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap cleanup EXIT

Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp &
pids+=($!)
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

trayer --edge top --align right --widthtype request --height 24 --SetDockType true --transparent false &
pids+=($!)
sleep 1

# A private runtime dir keeps this run's single-instance lock apart from a
# Kelvane the user may already have open.
export XDG_RUNTIME_DIR=$(mktemp -d)
"$build/bin/kelvane" &
kelvane=$!
pids+=($kelvane)
for _ in $(seq 100); do xdotool search --name '^KelvaneV3.0$' >/dev/null 2>&1 && break; sleep 0.1; done
sleep 1
import -window root "$out/kelvane-start.png"
echo "screenshot=$out/kelvane-start.png"

set +e
timeout 10 "$build/bin/kelvane"
second=$?
set -e
windows=$(xdotool search --name '^KelvaneV3.0$' | wc -l)
echo "second_start_exit=$second main_windows=$windows"

# F5 goes to the root window as a real key press; the program has no focus.
xdotool key F5
window=$(xdotool search --name '^KelvaneV3.0$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"
# "显示面板" sits at (416..508, 8..35) in the window.
xdotool mousemove $((X + 460)) $((Y + 21)) click 1
sleep 1
import -window root "$out/kelvane-f5.png"
echo "screenshot=$out/kelvane-f5.png"
kill -0 "$kelvane" && echo "first_instance=running"
