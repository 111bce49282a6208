# Sourced by the screenshot scripts: starts a virtual X server on a free
# display with a tray host, and stops everything started in `pids` on exit.
# Sets DISPLAY and a private XDG_RUNTIME_DIR, so this run's single-instance
# lock stays apart from a Kelvane the user may already have open.

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

export XDG_RUNTIME_DIR=$(mktemp -d)

# Waits for the main window and sets X and Y to its client origin.
wait_for_main_window() {
  for _ in $(seq 100); do xdotool search --name '^KelvaneV3.0$' >/dev/null 2>&1 && break; sleep 0.1; done
  sleep 1
  local window
  window=$(xdotool search --name '^KelvaneV3.0$' | head -1)
  eval "$(xdotool getwindowgeometry --shell "$window")"
}
