#!/usr/bin/env bash
# Installs, builds and runs every test (labels unit, gui and e2e), after two
# checks of the tree: includes stay within the module graph, and every C++
# file is as clang-format writes it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build_dir="${SCRIVOLA_BUILD_DIR:-build}"
python3 scripts/check_includes.py "$build_dir"
scripts/check_format.sh
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" "$@"
