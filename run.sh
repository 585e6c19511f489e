#!/usr/bin/env bash
# Installs what is missing, builds, lays out build/run/ and starts the program there.
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
zelto_ensure_packages
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"
cd build/run
exec ./zelto "$@"
