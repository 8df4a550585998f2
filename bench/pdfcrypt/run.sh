#!/usr/bin/env bash
# Encrypts two generated PDFs with pdfcrypt and with qpdf (RC4, 128 bits) in the same run and
# reports wall time, peak memory and how many times faster pdfcrypt is:
#   - a many-objects file (small pages, a few hundred bytes per object),
#   - a large-streams file (eight pages with large images).
#
#   bench/pdfcrypt/run.sh [BUILD_DIR] [MEGABYTES] [REPEATS]
#
# BUILD_DIR must be configured with -DSCRIVOLA_BUILD_BENCH=ON and have the targets
# pdfcrypt_cli, pdfcrypt_make_large_pdf and pdfcrypt_measure built. The best of REPEATS runs
# counts for time, the largest for memory.
set -euo pipefail
build="${1:-build}"
megabytes="${2:-12}"
repeats="${3:-3}"
bin="$build/bin"
for tool in "$bin/pdfcrypt" "$bin/pdfcrypt_make_large_pdf" "$bin/pdfcrypt_measure"; do
    [ -x "$tool" ] || { echo "run.sh: $tool is missing; build the benchmark targets first" >&2; exit 1; }
done
command -v qpdf >/dev/null || { echo "run.sh: qpdf is not installed" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

measure() {  # command...; prints "seconds peak_kib"
    local best="" peak=0
    for _ in $(seq "$repeats"); do
        rm -f "$work/out.pdf"
        read -r seconds kib status < <("$bin/pdfcrypt_measure" "$@")
        [ "$status" = 0 ] || { echo "run.sh: $1 exited with $status" >&2; exit 1; }
        if [ -z "$best" ] || awk "BEGIN{exit !($seconds < $best)}"; then best=$seconds; fi
        [ "$kib" -gt "$peak" ] && peak=$kib
    done
    qpdf --check --password=user "$work/out.pdf" >/dev/null 2>&1 ||
        { echo "run.sh: $1 wrote a file qpdf --check rejects" >&2; exit 1; }
    echo "$best $peak"
}

printf '%-8s %9s %8s %10s %10s %10s %10s %8s\n' file MB objects "pdfcrypt s" "qpdf s" \
    "pdfcrypt MiB" "qpdf MiB" speedup
for shape in objects streams; do
    input="$work/$shape.pdf"
    "$bin/pdfcrypt_make_large_pdf" "$input" "$megabytes" "$shape"
    size=$(stat -c %s "$input")
    objects=$(grep -ac ' 0 obj$' "$input" || true)
    read -r ours oursKib < <(measure "$bin/pdfcrypt" "$input" "$work/out.pdf" 128 4 owner user)
    read -r theirs theirsKib < <(measure qpdf --allow-weak-crypto --encrypt user owner 128 \
        --use-aes=n -- "$input" "$work/out.pdf")
    awk -v f="$shape" -v b="$size" -v n="$objects" -v o="$ours" -v t="$theirs" \
        -v ok="$oursKib" -v tk="$theirsKib" \
        'BEGIN{printf "%-8s %9.1f %8d %10.3f %10.3f %10.1f %10.1f %7.1fx\n",
               f, b/1048576, n, o, t, ok/1024, tk/1024, t/o}'
done
