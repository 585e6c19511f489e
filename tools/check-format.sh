#!/usr/bin/env bash
# Fails when a C++ file differs from the repository's .clang-format. Generated sources
# carry "clang-format off" and stay as their generators write them.
#   tools/check-format.sh         check
#   tools/check-format.sh --fix   reformat in place
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --fix ]; then
    clang-format -i "${files[@]}"
else
    clang-format --dry-run -Werror "${files[@]}"
fi
