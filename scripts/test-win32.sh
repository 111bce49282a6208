#!/bin/bash
# Cross-builds the serial engine's Win32 back end with mingw-w64 and runs its
# tests under Wine, with COM21/COM22 linked through pseudo-terminals and COM23
# as the link's control line (tests/serial_win32/pty_link.py).
# Usage: scripts/test-win32.sh [GoogleTest options, e.g. --gtest_filter=...]
# The cross build goes to $KELVANE_WIN32_BUILD (default: build-win32).
# Installs nothing: run on its own without the cross compiler or Wine, it
# skips and exits 0. With KELVANE_REQUIRE_WIN32_TOOLS=1 (scripts/test.sh sets
# it after installing them) a missing tool is a failure instead.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${KELVANE_WIN32_BUILD:-$repo/build-win32}

missing=()
for tool in x86_64-w64-mingw32-g++-posix wine cmake; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
[ -d /usr/src/googletest ] || missing+=("/usr/src/googletest (package googletest)")
[ -x /usr/bin/python3 ] || missing+=("/usr/bin/python3")
if [ ${#missing[@]} -gt 0 ]; then
  if [ "${KELVANE_REQUIRE_WIN32_TOOLS:-0}" = 1 ]; then
    echo "FAILED: Win32 serial tests need ${missing[*]}, which the install step should have put in place" >&2
    exit 1
  fi
  echo "skipped: Win32 serial tests need ${missing[*]}"
  exit 0
fi

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$repo/tests/serial_win32" -B "$build" "${generator[@]}" "${launcher[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target serial_win32_tests -j2

export WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/kelvane-wine.XXXXXX)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
link_pid=
cleanup() {
  if [ -n "$link_pid" ]; then
    kill "$link_pid" 2>/dev/null || true
  fi
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

# A first start of Wine now and then never settles (a service left spinning):
# give it five minutes, then start over once in a fresh prefix.
prepared=
for attempt in 1 2; do
  echo "preparing a Wine prefix in $WINEPREFIX (takes a while)"
  if timeout 300 wineboot -i >/dev/null 2>&1; then
    prepared=1
    break
  fi
  echo "the Wine prefix was not ready after 300 s (attempt $attempt)" >&2
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  WINEPREFIX=$(mktemp -d /tmp/kelvane-wine.XXXXXX)
done
if [ -z "$prepared" ]; then
  echo "FAILED: Wine could not prepare a prefix" >&2
  exit 1
fi

# The link runs until its stdin closes, so it cannot outlive this script.
coproc LINK { exec /usr/bin/python3 "$repo/tests/serial_win32/pty_link.py" "$WINEPREFIX/dosdevices"; }
link_pid=$LINK_PID
read -r -t 10 ready <&"${LINK[0]}" || true
if [ "${ready:-}" != ready ]; then
  echo "FAILED: the pty link did not start" >&2
  exit 1
fi

wine "$build/bin/serial_win32_tests.exe" "$@" 2>&1 | tr -d '\r'
