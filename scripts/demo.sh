#!/usr/bin/env bash
# The main job on the bundled examples: installs and builds (scripts/setup.sh),
# installs the virtual printer for this user, then converts every document in
# examples/ to PDF, once one by one and once combined into a single PDF through
# a list file.
#
#   scripts/demo.sh [OUTPUT_FOLDER]      (default: demo-output/)
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"

scripts/setup.sh
bin="$root/${SCRIVOLA_BUILD_DIR:-build}/bin"
out="${1:-$root/demo-output}"
mkdir -p "$out/one-by-one"
out="$(cd "$out" && pwd)"

"$bin/folivoprint" --install

documents=(letter.doc memo.rtf notes.txt table.xls slides.ppt leaflet.pdf)

echo
echo "== Converting each example on its own"
for doc in "${documents[@]}"; do
    "$bin/scrivola" -i "$root/examples/$doc" -o "$out/one-by-one/${doc%.*}.pdf"
done

echo
echo "== Combining all examples into one PDF through a list file"
list="$out/examples.ver"
: > "$list"
for doc in "${documents[@]}"; do
    printf '%s\n' "$root/examples/$doc" >> "$list"
done
rm -f "$out/combined.pdf"
"$bin/scrivola" -t "Scrivola examples" -a "Scrivola" -i "$list" -o "$out/combined.pdf"

echo
echo "Results:"
for f in "$out"/one-by-one/*.pdf "$out/combined.pdf"; do
    [ -f "$f" ] || continue
    pages=$(pdfinfo "$f" 2>/dev/null | awk '/^Pages:/ {print $2}')
    echo "  $f (${pages:-?} pages)"
done
