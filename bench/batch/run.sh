#!/usr/bin/env bash
# Ten documents into one PDF, two ways, measured in the same run:
#   (a) scrivola with a ten-document list file (one job per document, each
#       printed through folivoprint and merged by tools.cfg);
#   (b) LibreOffice's own batch conversion of the same ten files in one
#       soffice process, then a qpdf merge into a single PDF.
# Reports both wall times and their ratio, the fixed pauses every scrivola
# job sleeps, and scrivola's time net of those pauses with its ratio.
#
#   bench/batch/run.sh [BIN_DIR]
#
# BIN_DIR holds scrivola, tools.cfg and folivoprint (a build folder is
# accepted too, its bin/ is used); default: build/bin of this checkout.
# Everything runs as a private user (HOME, XDG_CONFIG_HOME, XDG_DATA_HOME,
# TMPDIR in a temporary folder that is removed at the end).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
bin="${1:-$root/build/bin}"
if [ ! -f "$bin/scrivola" ] && [ -f "$bin/bin/scrivola" ]; then
    bin="$bin/bin"
fi
bin="$(cd "$bin" && pwd)"
for tool in scrivola tools.cfg folivoprint; do
    if [ ! -f "$bin/$tool" ] || [ ! -x "$bin/$tool" ]; then
        echo "run.sh: $bin/$tool is missing; build it first" >&2
        exit 1
    fi
done
for tool in soffice qpdf pdfinfo setsid; do
    command -v "$tool" >/dev/null || { echo "run.sh: $tool is not installed" >&2; exit 1; }
done

# Fixed pauses of one job: two 100 ms pauses while selecting the printer,
# at least one second of settling once the file has its final size, and
# the 5-second pause that ends every successful wait.
readonly jobs=10
readonly pause_ms_per_job=$((2 * 100 + 1000 + 5000))

work="$(mktemp -d "${TMPDIR:-/tmp}/scrivola-batch-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT
for name in HOME XDG_CONFIG_HOME XDG_DATA_HOME TMPDIR; do
    mkdir -p "$work/$name"
    export "$name=$work/$name"
done
unset SCRIVOLA_DEBUG_LOG SCRIVOLA_OPEN_COMMAND
"$bin/folivoprint" --install >/dev/null

# Two copies of each example under different names, so that both
# converters see ten distinct files (LibreOffice names its outputs after
# the inputs).
mkdir -p "$work/docs" "$work/lo-out"
documents=()
for round in 1 2; do
    for example in letter.doc memo.rtf notes.txt table.xls slides.ppt; do
        copy="$work/docs/${example%.*}-$round.${example##*.}"
        cp "$root/examples/$example" "$copy"
        documents+=("$copy")
    done
done
list="$work/ten.ver"
printf '%s\n' "${documents[@]}" >"$list"

# Arithmetic in the C locale: EPOCHREALTIME and awk follow LC_NUMERIC.
now() { local LC_ALL=C; echo "$EPOCHREALTIME"; }
calc() { LC_ALL=C awk "BEGIN{printf \"%.${2:-2}f\", $1}"; }
elapsed() { calc "$2 - $1"; }
pages() { pdfinfo "$1" | awk '/^Pages:/ {print $2}'; }
file_url() {  # percent-encodes everything but unreserved characters and '/'
    local LC_ALL=C path="$1" url="file://" c i
    for ((i = 0; i < ${#path}; i++)); do
        c="${path:i:1}"
        case "$c" in
            [A-Za-z0-9._~/-]) url+="$c" ;;
            *) url+=$(printf '%%%02X' "'$c") ;;
        esac
    done
    echo "$url"
}

echo "== scrivola: one list file of $jobs documents into one PDF"
scrivola_pdf="$work/scrivola.pdf"
start=$(now)
# setsid: no controlling terminal, so the converter never stops to ask.
if ! setsid --wait "$bin/scrivola" -i "$list" -o "$scrivola_pdf" >"$work/scrivola.out" 2>&1; then
    cat "$work/scrivola.out" >&2
    echo "run.sh: scrivola failed" >&2
    exit 1
fi
scrivola_s=$(elapsed "$start" "$(now)")
succeeded=$(grep -c ', result=1$' "$work/scrivola.out" || true)
[ "$succeeded" = "$jobs" ] ||
    { cat "$work/scrivola.out" >&2; echo "run.sh: $succeeded of $jobs jobs succeeded" >&2; exit 1; }

echo "== LibreOffice: one batch conversion of the same files, then a qpdf merge"
lo_pdf="$work/libreoffice.pdf"
start=$(now)
soffice --headless --norestore --nolockcheck \
    "-env:UserInstallation=$(file_url "$work/lo-profile")" \
    --convert-to pdf --outdir "$work/lo-out" "${documents[@]}" >"$work/soffice.out" 2>&1 ||
    { cat "$work/soffice.out" >&2; echo "run.sh: soffice failed" >&2; exit 1; }
converted=$(now)
parts=()
for doc in "${documents[@]}"; do
    part="$work/lo-out/$(basename "${doc%.*}").pdf"
    [ -s "$part" ] || { cat "$work/soffice.out" >&2; echo "run.sh: soffice did not write $part" >&2; exit 1; }
    parts+=("$part")
done
qpdf --empty --pages "${parts[@]}" -- "$lo_pdf"
finished=$(now)
lo_convert_s=$(elapsed "$start" "$converted")
lo_merge_s=$(elapsed "$converted" "$finished")
lo_s=$(elapsed "$start" "$finished")

for pdf in "$scrivola_pdf" "$lo_pdf"; do
    qpdf --check "$pdf" >/dev/null 2>&1 || { echo "run.sh: qpdf --check rejects $pdf" >&2; exit 1; }
done
scrivola_pages=$(pages "$scrivola_pdf")
lo_pages=$(pages "$lo_pdf")
[ "$scrivola_pages" = "$lo_pages" ] ||
    echo "warning: page counts differ (scrivola $scrivola_pages, LibreOffice $lo_pages)" >&2

pauses_s=$(calc "$jobs * $pause_ms_per_job / 1000")
net_s=$(calc "$scrivola_s - $pauses_s")
ratio() { calc "$1 / $2" 1; }

echo
printf '%-44s %9s\n' "measure ($jobs documents, one PDF)" "seconds"
printf '%-44s %9s   (%s pages)\n' "scrivola, list file" "$scrivola_s" "$scrivola_pages"
printf '%-44s %9s   (%s pages)\n' "LibreOffice batch + qpdf merge" "$lo_s" "$lo_pages"
printf '%-44s %9s\n' "  of which soffice --convert-to" "$lo_convert_s"
printf '%-44s %9s\n' "  of which qpdf merge" "$lo_merge_s"
printf '%-44s %9s\n' "scrivola fixed pauses ($jobs x $pause_ms_per_job ms)" "$pauses_s"
printf '%-44s %9s\n' "scrivola net of fixed pauses" "$net_s"
echo
printf '%-44s %9s\n' "ratio scrivola / LibreOffice" "$(ratio "$scrivola_s" "$lo_s")"
printf '%-44s %9s\n' "ratio scrivola net of pauses / LibreOffice" "$(ratio "$net_s" "$lo_s")"
