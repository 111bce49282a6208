#!/usr/bin/env bash
# Checks that the English translation is complete: no Chinese text of the
# interface is left unmarked, every text the program marks for translation
# has an English text in translations/kelvane_en.ts, and the file holds no
# text the program no longer has.
#   scripts/check-translations.sh [LUPDATE]
# Exits 77 (a skip for ctest) when lupdate is not installed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${1:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}
[ -x "$lupdate" ] || { echo "SKIPPED: lupdate not found (qt6-l10n-tools)"; exit 77; }

# A Chinese QStringLiteral is a text nobody can translate; the font's family
# name is the one Chinese literal that is not shown as text.
unmarked=$(cd "$root" && LC_ALL=C.UTF-8 grep -rnP 'QStringLiteral\("[^"]*[\x{4e00}-\x{9fff}]' \
  src/app src/console src/feed | grep -v 'QFont(QStringLiteral("宋体")' || true)
if [ -n "$unmarked" ]; then
  echo "$unmarked"
  echo "FAILED: Chinese texts not marked for translation (use tr() or QCoreApplication::translate)"
  exit 1
fi

scratch=$(mktemp -d /tmp/kelvane-translations.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
cp "$root/translations/kelvane_en.ts" "$scratch/kelvane_en.ts"
# The same scan as the one that keeps the file, on a copy: new texts come in
# unfinished, texts gone from the sources are marked vanished.
(cd "$root" && "$lupdate" -I src -locations none src/app src/console src/feed \
  -ts "$scratch/kelvane_en.ts") >"$scratch/lupdate.log" 2>&1 ||
  { cat "$scratch/lupdate.log"; echo "FAILED: lupdate"; exit 1; }
grep -q 'Qualifying with unknown' "$scratch/lupdate.log" &&
  { cat "$scratch/lupdate.log"; echo "FAILED: lupdate could not place a text in its class"; exit 1; }

untranslated=$(grep -c 'type="unfinished"' "$scratch/kelvane_en.ts" || true)
stale=$(grep -cE 'type="(vanished|obsolete)"' "$scratch/kelvane_en.ts" || true)
if [ "$untranslated" -ne 0 ] || [ "$stale" -ne 0 ]; then
  diff -u "$root/translations/kelvane_en.ts" "$scratch/kelvane_en.ts" || true
  echo "FAILED: $untranslated texts without English, $stale English texts the program no longer has"
  echo "Update with: lupdate -I src -locations none -no-obsolete src/app src/console src/feed -ts translations/kelvane_en.ts"
  exit 1
fi
echo "translations: $(grep -c '<message>' "$root/translations/kelvane_en.ts") texts, all in English"
