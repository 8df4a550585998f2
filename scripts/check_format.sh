#!/usr/bin/env bash
# Fails when clang-format (with the repository's .clang-format) would change
# any C++ file in the tree. `scripts/check_format.sh --fix` formats them.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -c -o --exclude-standard -- '*.h' '*.cpp')
if [ "${1:-}" = --fix ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
clang-format --dry-run --Werror "${files[@]}"
echo "format check: ${#files[@]} files as clang-format writes them"
