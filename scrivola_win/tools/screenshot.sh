#!/bin/sh
# Starts scrivola_win under a virtual X server, with the sample documents in
# its list, and saves pictures of the main window and the About box.
#
#   scrivola_win/tools/screenshot.sh [BUILD_DIR] [OUTPUT_DIR]
#
# BUILD_DIR defaults to build/ at the top of the source tree, OUTPUT_DIR to
# BUILD_DIR/screenshots. Settings go to a private folder, never the user's.
set -eu

source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=${1:-$source_dir/build}
output_dir=${2:-$build_dir/screenshots}
program=$build_dir/bin/scrivola_win

if [ ! -x "$program" ]; then
    echo "screenshot.sh: $program is not built" >&2
    exit 1
fi
if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "screenshot.sh: xvfb-run is missing (Debian package xvfb)" >&2
    exit 1
fi

sandbox=$(mktemp -d "${TMPDIR:-/tmp}/scrivola_win_shot.XXXXXX")
trap 'rm -rf "$sandbox"' EXIT INT TERM
mkdir -p "$sandbox/home" "$sandbox/config" "$sandbox/data" "$sandbox/runtime" "$output_dir"
chmod 700 "$sandbox/runtime"

# The documents of the bundled examples the list can take.
set --
for document in "$source_dir"/examples/*.doc "$source_dir"/examples/*.rtf \
                "$source_dir"/examples/*.xls "$source_dir"/examples/*.ppt \
                "$source_dir"/examples/*.vsd; do
    [ -f "$document" ] && set -- "$@" "$document"
done

HOME=$sandbox/home XDG_CONFIG_HOME=$sandbox/config XDG_DATA_HOME=$sandbox/data \
XDG_RUNTIME_DIR=$sandbox/runtime QT_QPA_PLATFORM=xcb \
    timeout 60 xvfb-run -a -s "-screen 0 1280x900x24" \
    "$program" --screenshot "$output_dir" "$@"

for picture in main_window.png about_box.png; do
    if [ ! -s "$output_dir/$picture" ]; then
        echo "screenshot.sh: $output_dir/$picture was not written" >&2
        exit 1
    fi
done
echo "Screenshots in $output_dir"
