#!/usr/bin/env bash
# Draws docs/module_graph.svg from the CMake link graph (needs Graphviz).
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/build"
cp docs/CMakeGraphVizOptions.cmake "$work/build/"
cmake -S . -B "$work/build" -G Ninja --graphviz="$work/graph.dot" > /dev/null
dot -Grankdir=BT -Tsvg "$work/graph.dot" -o docs/module_graph.svg
echo "wrote docs/module_graph.svg"
