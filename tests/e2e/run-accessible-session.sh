#!/usr/bin/env bash
# End-to-end test of the built program as a screen reader or a UI-automation
# tool meets it: Kelvane on a virtual X server with a private D-Bus session
# and the AT-SPI accessibility bus, a socat pseudo-terminal pair as the
# device, driven by accessible_session.py.
#   tests/e2e/run-accessible-session.sh KELVANE [OUT_DIR]
# KELVANE_LANG=en runs the session in English (default zh, Chinese).
# Screenshots of the moving chart go to OUT_DIR (default: a scratch folder
# that is removed afterwards). Exits 77 (skipped) with the reason when a
# tool it needs is missing.
set -euo pipefail
kelvane=$1
out=${2:-}
here=$(cd "$(dirname "$0")" && pwd)

skip() {
  echo "SKIPPED: $*"
  exit 77
}
for tool in Xvfb xdpyinfo dbus-run-session socat xdotool import compare; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "the AT-SPI bus (at-spi2-core) is not installed"
# The distribution's python3 carries the AT-SPI and X bindings.
/usr/bin/python3 -c 'import pyatspi, Xlib' 2>/dev/null ||
  skip "python3-pyatspi or python3-xlib is not installed"

work=$(mktemp -d /tmp/kelvane-e2e.XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
[ -n "$out" ] || out=$work/screenshots
mkdir -p "$out"

# A display of its own: the server picks a free number itself and writes it
# once it accepts connections, so runs side by side cannot race for one.
# -noreset: otherwise the server resets when the probe below disconnects,
# and a client connecting during that reset is turned away.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 300); do [ -s "$work/display" ] && break; sleep 0.1; done
display=$(tr -d '[:space:]' <"$work/display")
[ -n "$display" ] || { echo "FAILED: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
for _ in $(seq 300); do
  xdpyinfo -display ":$display" >/dev/null 2>&1 && break
  sleep 0.1
done
xdpyinfo -display ":$display" >/dev/null 2>&1 ||
  { echo "FAILED: Xvfb on :$display does not answer"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=:$display

# This run's single-instance lock and settings stay apart from any other.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir "$work/app"
cp "$kelvane" "$work/app/kelvane"

# The device: the program opens one end, the test speaks on the other.
socat pty,raw,echo=0,link="$work/dev" pty,raw,echo=0,link="$work/peer" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -e "$work/dev" ] && [ -e "$work/peer" ] && break; sleep 0.1; done
{
  printf '[%s]\r\n' "$(printf '系统参数' | iconv -f UTF-8 -t GBK)"
  printf 'commname=%s\r\nbaudrate=115200\r\nbytesize=8\r\nparity=none\r\nparitycheck=0\r\nstopbits=1\r\n' "$work/dev"
} >"$work/app/setfile.ini"

timeout 110 dbus-run-session -- /usr/bin/python3 "$here/accessible_session.py" \
  --kelvane "$work/app/kelvane" --peer "$work/peer" --out "$out" --lang "${KELVANE_LANG:-zh}"
