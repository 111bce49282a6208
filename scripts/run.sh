#!/usr/bin/env bash
# Builds Kelvane and runs it against the device simulator, so a newcomer sees
# the whole program work without hardware:
#   bash scripts/run.sh [simulator options...]
# Installs what is missing, builds into build/, starts kelvane-sim on a
# pseudo-terminal linked at /tmp/kelvane-sim, points setfile.ini at it and
# starts the program. Click "打开", then "绘图其他", to watch the wave. The
# simulator stops when the program exits (tray menu "退出软件").
# KELVANE_LANG=en starts the program in English (its --lang).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh
bash scripts/build.sh build

link=/tmp/kelvane-sim
sim_args=("$@")
[ ${#sim_args[@]} -eq 0 ] && sim_args=(--shape sine --rate 50 --echo)
build/bin/kelvane-sim --link "$link" "${sim_args[@]}" >/dev/null &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
[ -e "$link" ] || { echo "kelvane-sim did not create $link" >&2; exit 1; }

# The settings the dialog starts with, with the simulator as the port; GBK
# section name and CR LF, as the program itself writes the file.
{
  printf '[%s]\r\n' "$(printf '系统参数' | iconv -f UTF-8 -t GBK)"
  printf 'commname=%s\r\n' "$link"
  printf 'baudrate=9600\r\nbytesize=8\r\n'
  printf 'Outx_CtsFlow=false\r\nOutx_DsrFlow=false\r\nOutx_XonXoff=false\r\nInx_XonXoff=false\r\n'
  printf 'parity=none\r\nparitycheck=0\r\nstopbits=1\r\n'
} > build/bin/setfile.ini

echo "Simulator on $link; starting Kelvane."
build/bin/kelvane ${KELVANE_LANG:+--lang "$KELVANE_LANG"}
