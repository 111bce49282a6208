#!/usr/bin/env bash
# Builds the Debian package from a clean copy of the checkout:
#   scripts/package.sh [OUT_DIR]
# OUT_DIR (default build-package/) receives the copy in OUT_DIR/tree, its
# build in OUT_DIR/tree/build and the package, kelvane_<version>_<arch>.deb.
# The copy holds what git tracks or would track, edits included, but no build
# folders or files left behind by a run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$root/build-package}" && cd "${1:-$root/build-package}" && pwd)
tree=$out/tree

rm -rf "$tree"
mkdir -p "$tree"
if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git -C "$root" ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do
      # Files deleted but not yet committed are still listed.
      [ -e "$root/$file" ] && printf '%s\0' "$file"
    done |
    tar -C "$root" --null -T - -cf - | tar -C "$tree" -xf -
else
  tar -C "$root" --exclude='./build*' --exclude=./screenshots -cf - . | tar -C "$tree" -xf -
fi

# The same build type and compile flags as build/, so the compiler cache
# serves most of it; binding every symbol at start lets the linker make the
# whole relocation table read-only.
bash "$tree/scripts/build.sh" "$tree/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_INSTALL_PREFIX=/usr -DKELVANE_TESTS=OFF -DKELVANE_BENCH=OFF \
  -DCMAKE_EXE_LINKER_FLAGS=-Wl,-z,now
rm -f "$out"/kelvane_*.deb
cpack --config "$tree/build/CPackConfig.cmake" -B "$out" >/dev/null
rm -rf "$out/_CPack_Packages"
deb=$(ls "$out"/kelvane_*.deb)
echo "package=$deb"
