#!/usr/bin/env bash
# Encrypts one generated large PDF with pdfcrypt and with qpdf (RC4, 128 and 40 bits) and reports
# wall time, throughput and peak memory of each, measured in the same run.
#
#   bench/pdfcrypt/run.sh [BUILD_DIR] [MEGABYTES] [REPEATS]
#
# BUILD_DIR must be configured with -DSCRIVOLA_BUILD_BENCH=ON and have the targets
# pdfcrypt_cli, pdfcrypt_make_large_pdf and pdfcrypt_measure built.
set -euo pipefail
build="${1:-build}"
megabytes="${2:-40}"
repeats="${3:-3}"
bin="$build/bin"
for tool in "$bin/pdfcrypt" "$bin/pdfcrypt_make_large_pdf" "$bin/pdfcrypt_measure"; do
    [ -x "$tool" ] || { echo "run.sh: $tool is missing; build the benchmark targets first" >&2; exit 1; }
done
command -v qpdf >/dev/null || { echo "run.sh: qpdf is not installed" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
input="$work/large.pdf"
"$bin/pdfcrypt_make_large_pdf" "$input" "$megabytes"
size=$(stat -c %s "$input")
objects=$(grep -ac ' 0 obj$' "$input" || true)
echo "input: $size bytes, $objects objects"
printf '%-22s %10s %12s %12s\n' "encryptor" "seconds" "MB/s" "peak MiB"

measure() {  # label, command...
    local label="$1"; shift
    local best="" peak=0
    for _ in $(seq "$repeats"); do
        rm -f "$work/out.pdf"
        read -r seconds kib status < <("$bin/pdfcrypt_measure" "$@")
        [ "$status" = 0 ] || { echo "run.sh: $label exited with $status" >&2; exit 1; }
        if [ -z "$best" ] || awk "BEGIN{exit !($seconds < $best)}"; then best=$seconds; fi
        [ "$kib" -gt "$peak" ] && peak=$kib
    done
    qpdf --check --password=user "$work/out.pdf" >/dev/null 2>&1 ||
        { echo "run.sh: $label wrote a file qpdf --check rejects" >&2; exit 1; }
    awk -v l="$label" -v s="$best" -v b="$size" -v k="$peak" \
        'BEGIN{printf "%-22s %10.3f %12.1f %12.1f\n", l, s, b/1048576/s, k/1024}'
}

measure "pdfcrypt 128-bit RC4" "$bin/pdfcrypt" "$input" "$work/out.pdf" 128 4 owner user
measure "qpdf 128-bit RC4" qpdf --allow-weak-crypto --encrypt user owner 128 --use-aes=n -- \
    "$input" "$work/out.pdf"
measure "pdfcrypt 40-bit RC4" "$bin/pdfcrypt" "$input" "$work/out.pdf" 40 4 owner user
measure "qpdf 40-bit RC4" qpdf --allow-weak-crypto --encrypt user owner 40 -- \
    "$input" "$work/out.pdf"
