#!/usr/bin/env bash
# Installs what is needed, builds, builds and checks the Debian package
# (scripts/check-package.sh), and runs the whole test suite twice: once in
# build/ and once under AddressSanitizer + UBSan in build-asan/; then the
# Windows serial back end, cross-built and run under Wine; then every file
# reader's fuzz target for 20 seconds (scripts/fuzz.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
bash scripts/build.sh build
bash scripts/build.sh build-asan -DKELVANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
bash scripts/check-package.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)"
# The install step put the cross compiler and Wine in place: missing now, they
# are a failure, not a reason to skip.
KELVANE_REQUIRE_WIN32_TOOLS=1 bash scripts/test-win32.sh
bash scripts/fuzz.sh 20
