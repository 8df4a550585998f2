#!/usr/bin/env bash
# Ten documents into one PDF, measured in the same run:
#   (a) scrivola with a ten-document list file (one job per document, each
#       rendered by the render service, printed through folivoprint and
#       merged by tools.cfg), cold (no service running, fresh profile),
#       warm (the service left running by the cold run), and cold again
#       (the service stopped, its profile kept, as after an idle exit);
#   (b) LibreOffice's own batch conversion of the same ten files in one
#       soffice process, then a qpdf merge into a single PDF.
# Reports the wall times and their ratios, the cost of one warm document
# split into its parts, and the service's resident memory after 10 and
# after 100 conversions.
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
for tool in scrivola tools.cfg folivoprint scrivola_render; do
    if [ ! -f "$bin/$tool" ] || [ ! -x "$bin/$tool" ]; then
        echo "run.sh: $bin/$tool is missing; build it first" >&2
        exit 1
    fi
done
for tool in soffice qpdf pdfinfo setsid; do
    command -v "$tool" >/dev/null || { echo "run.sh: $tool is not installed" >&2; exit 1; }
done

readonly jobs=10

work="$(mktemp -d "${TMPDIR:-/tmp}/scrivola-batch-bench.XXXXXX")"
# The private runtime folder gives the run a render service of its own.
trap '"$bin/scrivola_render" --stop >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
for name in HOME XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_RUNTIME_DIR TMPDIR; do
    mkdir -p "$work/$name"
    export "$name=$work/$name"
done
chmod 700 "$XDG_RUNTIME_DIR"
unset SCRIVOLA_OPEN_COMMAND SCRIVOLA_LOK_PROGRAM_DIR SCRIVOLA_RENDER_IDLE_SECONDS \
    SCRIVOLA_RENDER_TIMEOUT_MS SCRIVOLA_RENDER_MAX_DOCUMENTS SCRIVOLA_RENDER_MAX_RSS_MB
# The service notes each document's load and export times there.
export SCRIVOLA_DEBUG_LOG="$work/debug.log"
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

# Runs scrivola on the list; sets scrivola_s.
run_scrivola() {  # output-pdf
    local start succeeded
    start=$(now)
    # setsid: no controlling terminal, so the converter never stops to ask.
    if ! setsid --wait "$bin/scrivola" -i "$list" -o "$1" >"$work/scrivola.out" 2>&1; then
        cat "$work/scrivola.out" >&2
        echo "run.sh: scrivola failed" >&2
        exit 1
    fi
    scrivola_s=$(elapsed "$start" "$(now)")
    succeeded=$(grep -c ', result=1$' "$work/scrivola.out" || true)
    [ "$succeeded" = "$jobs" ] ||
        { cat "$work/scrivola.out" >&2; echo "run.sh: $succeeded of $jobs jobs succeeded" >&2; exit 1; }
}
service_pid() { "$bin/scrivola_render" --status | sed -n 's/^running: pid \([0-9]*\),.*/\1/p'; }
service_rss_kib() { "$bin/scrivola_render" --status | sed -n 's/.* resident \([0-9]*\) KiB.*/\1/p'; }

echo "== scrivola, cold: one list file of $jobs documents into one PDF, no service running"
"$bin/scrivola_render" --status >/dev/null &&
    { echo "run.sh: a render service is already running" >&2; exit 1; }
scrivola_pdf="$work/scrivola.pdf"
run_scrivola "$scrivola_pdf"
cold_s=$scrivola_s
cold_service=$(service_pid)
[ -n "$cold_service" ] || { echo "run.sh: no render service is running after the cold run" >&2; exit 1; }

echo "== scrivola, warm: the same list with the service left running"
log_start=$(wc -l <"$work/debug.log")
run_scrivola "$work/scrivola-warm.pdf"
warm_s=$scrivola_s
[ "$(service_pid)" = "$cold_service" ] ||
    { echo "run.sh: the warm run did not use the running service" >&2; exit 1; }
# Load and export times the service reported for the warm run's documents.
read -r rendered load_ms export_ms < <(tail -n +"$((log_start + 1))" "$work/debug.log" |
    LC_ALL=C awk '/^render service: .*: load [0-9]+ ms, export [0-9]+ ms$/ {
        n++; l += $(NF-4); e += $(NF-1) } END { printf "%d %d %d\n", n, l, e }')
[ "$rendered" = "$jobs" ] ||
    { cat "$work/debug.log" >&2; echo "run.sh: the service rendered $rendered of $jobs warm documents" >&2; exit 1; }
fallbacks=$(grep -c 'rendering with soffice' "$work/debug.log" || true)

echo "== scrivola, cold again: the service stopped, its LibreOffice profile kept"
"$bin/scrivola_render" --stop >/dev/null
run_scrivola "$work/scrivola-cold-profile.pdf"
cold_profile_s=$scrivola_s

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

echo "== render service alone: $jobs documents through scrivola_render --convert, warm"
mkdir -p "$work/direct"
start=$(now)
for doc in "${documents[@]}"; do
    "$bin/scrivola_render" --convert "$doc" "$work/direct/$(basename "${doc%.*}").pdf" >/dev/null
done
direct_s=$(elapsed "$start" "$(now)")

echo "== render service memory: a fresh service, 100 conversions"
"$bin/scrivola_render" --stop >/dev/null
conversions=0
for round in $(seq 1 10); do
    for doc in "${documents[@]}"; do
        "$bin/scrivola_render" --convert "$doc" "$work/direct/memory.pdf" >/dev/null
        conversions=$((conversions + 1))
    done
    if [ "$round" = 1 ]; then
        rss_10_kib=$(service_rss_kib)
    fi
done
rss_100_kib=$(service_rss_kib)
[ "$conversions" = 100 ] && [ -n "$rss_10_kib" ] && [ -n "$rss_100_kib" ] ||
    { echo "run.sh: the memory run did not complete" >&2; exit 1; }

ratio() { calc "$1 / $2" 2; }
per_doc_ms=$(calc "$warm_s * 1000 / $jobs" 0)
load_avg_ms=$(calc "$load_ms / $jobs" 0)
export_avg_ms=$(calc "$export_ms / $jobs" 0)
direct_avg_ms=$(calc "$direct_s * 1000 / $jobs" 0)
rest_ms=$(calc "$per_doc_ms - $load_avg_ms - $export_avg_ms" 0)

w=52
echo
printf "%-${w}s %9s\n" "measure ($jobs documents, one PDF)" "seconds"
printf "%-${w}s %9s   (%s pages)\n" "scrivola, list file, cold (no service)" "$cold_s" "$scrivola_pages"
printf "%-${w}s %9s\n" "scrivola, list file, warm (service running)" "$warm_s"
printf "%-${w}s %9s\n" "scrivola, list file, cold (no service, old profile)" "$cold_profile_s"
printf "%-${w}s %9s   (%s pages)\n" "LibreOffice batch + qpdf merge" "$lo_s" "$lo_pages"
printf "%-${w}s %9s\n" "  of which soffice --convert-to" "$lo_convert_s"
printf "%-${w}s %9s\n" "  of which qpdf merge" "$lo_merge_s"
printf "%-${w}s %9s\n" "render service alone, $jobs x scrivola_render --convert" "$direct_s"
echo
printf "%-${w}s %9s\n" "ratio cold / LibreOffice" "$(ratio "$cold_s" "$lo_s")"
printf "%-${w}s %9s\n" "ratio warm / LibreOffice" "$(ratio "$warm_s" "$lo_s")"
printf "%-${w}s %9s\n" "ratio cold (old profile) / LibreOffice" "$(ratio "$cold_profile_s" "$lo_s")"
echo
printf "%-${w}s %9s\n" "one warm document (average)" "ms"
printf "%-${w}s %9s\n" "scrivola job, all in" "$per_doc_ms"
printf "%-${w}s %9s\n" "  LibreOfficeKit load" "$load_avg_ms"
printf "%-${w}s %9s\n" "  LibreOfficeKit PDF export" "$export_avg_ms"
printf "%-${w}s %9s\n" "  the rest (client, printer, wait, toolkit, merge)" "$rest_ms"
printf "%-${w}s %9s\n" "render service round trip (--convert)" "$direct_avg_ms"
printf "%-${w}s %9s\n" "documents rendered by the soffice fallback" "$fallbacks"
echo
printf "%-${w}s %9s\n" "render service resident memory" "KiB"
printf "%-${w}s %9s\n" "  after 10 conversions" "$rss_10_kib"
printf "%-${w}s %9s\n" "  after 100 conversions" "$rss_100_kib"
printf "%-${w}s %9s\n" "  ratio 100 / 10" "$(ratio "$rss_100_kib" "$rss_10_kib")"
