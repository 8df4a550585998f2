#!/usr/bin/env bash
# Installs, builds and runs every test (labels unit, gui and e2e).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build_dir="${SCRIVOLA_BUILD_DIR:-build}"
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" "$@"
