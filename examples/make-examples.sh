#!/usr/bin/env bash
# Makes the sample documents in this folder from sources/ with LibreOffice,
# then checks that each one converts back to a PDF that shows its own text.
#
#   examples/make-examples.sh           remake the samples whose source (or this
#                                       script) changed, then check all of them
#   examples/make-examples.sh --force   remake every sample, then check
#   examples/make-examples.sh --check   check the samples as they are
#
# A second run changes nothing: LibreOffice stamps PDFs with the time, so
# samples are remade only when they are older than what they are made from.
# Needs soffice (LibreOffice Writer, Calc and Impress), pdftotext and python3.
# LibreOffice runs with a throw-away profile, so a LibreOffice the user has
# open is never touched. Each sample is replaced in one step (rename).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
sources="$here/sources"

# source | --convert-to target | input filter | text the sample must show
samples=(
    "letter.html|doc:MS Word 97|HTML (StarWriter)|Scrivola example letter"
    "memo.html|rtf:Rich Text Format|HTML (StarWriter)|Scrivola example memo"
    "notes.html|txt:Text (encoded):UTF8,LF,,,false|HTML (StarWriter)|Scrivola example notes"
    "table.csv|xls:MS Excel 97|CSV:44,34,76,1|Scrivola example table"
    "slides.fodp|ppt:MS PowerPoint 97||Scrivola example slides"
    "leaflet.html|pdf:writer_pdf_Export|HTML (StarWriter)|Scrivola example PDF"
)

regenerate=1
force=0
case "${1:-}" in
    "") ;;
    --force) force=1 ;;
    --check) regenerate=0 ;;
    *) echo "usage: $0 [--force | --check]" >&2; exit 2 ;;
esac

for tool in soffice pdftotext python3; do
    command -v "$tool" >/dev/null || { echo "make-examples: $tool is not installed" >&2; exit 1; }
done

work="$(mktemp -d "${TMPDIR:-/tmp}/scrivola-examples.XXXXXX")"
trap 'rm -rf "$work"' EXIT
profile="file://${work// /%20}/profile"

office() {
    soffice "-env:UserInstallation=$profile" --headless --norestore --nolockcheck "$@" \
        >>"$work/soffice.log" 2>&1
}

# The name LibreOffice gives the converted file: source base name, target extension.
sample_name() {
    local source="$1" target="$2"
    echo "${source%.*}.${target%%:*}"
}

if [ "$regenerate" = 1 ]; then
    mkdir -p "$work/out"
    for entry in "${samples[@]}"; do
        IFS='|' read -r source target filter marker <<<"$entry"
        name="$(sample_name "$source" "$target")"
        if [ "$force" = 0 ] && [ -s "$here/$name" ] && [ ! "$sources/$source" -nt "$here/$name" ] \
            && [ ! "$here/make-examples.sh" -nt "$here/$name" ]; then
            echo "$name is up to date"
            continue
        fi
        args=(--convert-to "$target" --outdir "$work/out")
        [ -n "$filter" ] && args=(--infilter="$filter" "${args[@]}")
        office "${args[@]}" "$sources/$source"
        if [ ! -s "$work/out/$name" ]; then
            echo "make-examples: LibreOffice did not make $name; its output:" >&2
            cat "$work/soffice.log" >&2
            exit 1
        fi
        # LibreOffice puts a large uncompressed preview picture into every .ppt.
        if [ "${name##*.}" = ppt ]; then
            python3 "$here/drop-ppt-thumbnail.py" "$work/out/$name"
        fi
        cp "$work/out/$name" "$here/.$name.new"
        mv -f "$here/.$name.new" "$here/$name"
        echo "made $name ($(stat -c %s "$here/$name") bytes)"
    done
fi

# Every sample must convert back to a PDF that shows its text.
mkdir -p "$work/check"
failed=0
for entry in "${samples[@]}"; do
    IFS='|' read -r source target filter marker <<<"$entry"
    name="$(sample_name "$source" "$target")"
    if [ ! -s "$here/$name" ]; then
        echo "make-examples: $name is missing" >&2
        failed=1
        continue
    fi
    office --convert-to pdf --outdir "$work/check" "$here/$name"
    pdf="$work/check/${name%.*}.pdf"
    if [ -s "$pdf" ] && pdftotext "$pdf" - 2>/dev/null | grep -qF "$marker"; then
        echo "checked $name: converts to PDF showing \"$marker\""
    else
        echo "make-examples: $name does not convert to a PDF showing \"$marker\"" >&2
        failed=1
    fi
done
exit "$failed"
