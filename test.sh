#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit tests, the Debian
# package with lintian, the same unit tests built with AddressSanitizer and
# UndefinedBehaviorSanitizer, and the end-to-end suite under Xvfb. Exits non-zero on any
# failure.
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
zelto_ensure_packages
jobs=$(nproc)

echo "== format"
tools/check-format.sh

echo "== build"
cmake --preset default >/dev/null
cmake --build --preset default -j"$jobs"

echo "== unit tests"
ctest --preset default -j"$jobs" --label-exclude package

echo "== Debian package, checked with lintian"
ctest --preset default -L package

echo "== unit tests under ASan+UBSan"
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
ctest --preset asan -j"$jobs"

if [ -x tests/e2e/run.sh ]; then
    echo "== end-to-end tests under Xvfb"
    tests/e2e/run.sh build
fi
echo "== all tests passed"
