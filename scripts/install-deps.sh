#!/usr/bin/env bash
# Installs everything Kelvane needs to build, run and test on Debian 12.
# Safe to run again: apt skips what is already there.
set -euo pipefail

packages=(
  # toolchain and test frameworks
  g++ cmake ninja-build ccache pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  # clang with libFuzzer and the sanitizers, for the fuzz targets under fuzz/
  clang libclang-rt-14-dev
  # Qt 6 and the image libraries
  qt6-base-dev qt6-svg-dev libgl-dev libjpeg-dev libpng-dev zlib1g-dev
  # Qt's own texts (context menus, dialogs) in Chinese; lupdate/lrelease and
  # their CMake functions for the English translation
  qt6-translations-l10n qt6-l10n-tools qt6-tools-dev
  # X11 for the global hot key
  libx11-dev libxcb1-dev libxcb-keysyms1-dev libxkbcommon-dev
  # fonts with the Chinese captions
  fonts-wqy-zenhei
  # serial peers and image/PDF checkers the tests use
  socat python3 python3-serial pngcheck imagemagick poppler-utils
  # a desktop to look at: virtual X server, tray host, key presses
  xvfb xauth trayer xdotool x11-utils
  # the end-to-end test drives the program as a screen reader does: a
  # private D-Bus session, the AT-SPI bus and its Python and X bindings
  dbus-daemon at-spi2-core python3-pyatspi python3-xlib
  # the Windows serial back end: cross compiler, GoogleTest sources, Wine
  g++-mingw-w64-x86-64 googletest wine wine64
  # the Debian package: its dependency scan and the checkers it must pass
  dpkg-dev file lintian appstream desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi
