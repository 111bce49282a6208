#!/usr/bin/env bash
# Builds the Debian package and checks it as a user's machine would meet it:
#   scripts/check-package.sh [OUT_DIR]
# lintian (its findings are printed; an error fails the check), the AppStream
# and desktop-entry validators, and one start of the installed program
# offscreen from a scratch root, which must come up, paint, keep its settings
# in the per-user folder and exit cleanly. OUT_DIR is passed to package.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

missing=()
for tool in lintian appstreamcli desktop-file-validate dpkg-shlibdeps cpack; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "FAILED: the package check needs ${missing[*]} (scripts/install-deps.sh installs them)" >&2
  exit 1
fi

deb=$(bash "$root/scripts/package.sh" "$@" | sed -n 's/^package=//p')
echo "package check: $deb"
dpkg-deb --field "$deb" Package Version Depends Recommends
# Depends comes from dpkg-shlibdeps; without it the package would install
# on a machine that cannot run it.
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' ||
  { echo "FAILED: Depends does not name the Qt libraries the program links" >&2; exit 1; }

# lintian exits non-zero on an error; warnings and notes are only reported.
set +e
findings=$(lintian --tag-display-limit 0 --fail-on error --display-info "$deb" 2>&1)
lintian_status=$?
set -e
findings=$(grep -v 'running with root privileges' <<<"$findings" || true)
echo "lintian findings: ${findings:-none}"
[ "$lintian_status" -eq 0 ] || { echo "FAILED: lintian found errors" >&2; exit 1; }

scratch=$(mktemp -d /tmp/kelvane-package.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
dpkg -x "$deb" "$scratch/root"
appstreamcli validate --no-net "$scratch"/root/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$scratch/root/usr/share/applications/kelvane.desktop"
echo "desktop entry: valid"

# One start of the installed copy, with its own home and runtime folders.
mkdir -m 700 "$scratch/home" "$scratch/runtime"
set +e
env -i PATH="$PATH" HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" \
  QT_QPA_PLATFORM=offscreen KELVANE_EXIT_AFTER_FIRST_PAINT=1 \
  timeout 60 "$scratch/root/usr/bin/kelvane"
status=$?
set -e
[ "$status" -eq 0 ] || { echo "FAILED: the installed program exited with $status" >&2; exit 1; }
[ -d "$scratch/home/.config/Kelvane" ] ||
  { echo "FAILED: the installed program did not create ~/.config/Kelvane" >&2; exit 1; }
[ ! -e "$scratch/root/usr/bin/setfile.ini" ] ||
  { echo "FAILED: the installed program wrote beside itself" >&2; exit 1; }
echo "installed program: started, painted and exited cleanly; settings in ~/.config/Kelvane"

# Once more in English: the translation travels inside the program.
set +e
errors=$(env -i PATH="$PATH" HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" \
  QT_QPA_PLATFORM=offscreen KELVANE_EXIT_AFTER_FIRST_PAINT=1 \
  timeout 60 "$scratch/root/usr/bin/kelvane" --lang en 2>&1 >/dev/null)
status=$?
set -e
[ "$status" -eq 0 ] || { echo "FAILED: the installed program exited with $status in English" >&2; exit 1; }
if grep -q 'English texts' <<<"$errors"; then
  echo "FAILED: $errors" >&2
  exit 1
fi
echo "installed program: started in English"
echo "package check: passed"
