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

source "$root/tools/xvfb-session.sh"

"$build/bin/kelvane" &
kelvane=$!
pids+=($kelvane)
wait_for_main_window
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
# "显示面板" sits at (416..508, 8..35) in the window.
xdotool mousemove $((X + 460)) $((Y + 21)) click 1
sleep 1
import -window root "$out/kelvane-f5.png"
echo "screenshot=$out/kelvane-f5.png"
kill -0 "$kelvane" && echo "first_instance=running"
