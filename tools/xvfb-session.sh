# Sourced by the screenshot scripts: starts a virtual X server on a free
# display with a tray host, and stops everything started in `pids` on exit.
# Sets DISPLAY and a private XDG_RUNTIME_DIR, so this run's single-instance
# lock stays apart from a Kelvane the user may already have open.

pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap cleanup EXIT

# The server picks a free display itself and says which: two sessions started
# side by side cannot race for the same number.
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$displayfile" &
pids+=($!)
for _ in $(seq 50); do [ -s "$displayfile" ] && break; sleep 0.1; done
export DISPLAY=:$(tr -d '[:space:]' <"$displayfile")
rm -f "$displayfile"
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
