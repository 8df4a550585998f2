#!/usr/bin/env bash
# Installs the Debian packages Scrivola needs (skipping those already there),
# then configures and builds everything into build/.
#
#   scripts/setup.sh            install + build
#   SCRIVOLA_SKIP_INSTALL=1 scripts/setup.sh   build only
set -euo pipefail
cd "$(dirname "$0")/.."

packages=()
while read -r line; do
    line="${line%%#*}"
    line="${line//[[:space:]]/}"
    [ -n "$line" ] && packages+=("$line")
done < scripts/packages.txt

if [ "${SCRIVOLA_SKIP_INSTALL:-0}" != 1 ]; then
    missing=()
    for p in "${packages[@]}"; do
        status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
        [ "$status" = "install ok installed" ] || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "setup: installing ${missing[*]}"
        as_root=()
        [ "$(id -u)" -eq 0 ] || as_root=(sudo)
        "${as_root[@]}" apt-get update -q
        "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -q --no-install-recommends "${missing[@]}"
    else
        echo "setup: all Debian packages present"
    fi
fi

build_dir="${SCRIVOLA_BUILD_DIR:-build}"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${SCRIVOLA_CMAKE_ARGS:-}
cmake --build "$build_dir" -j "$(nproc)"
