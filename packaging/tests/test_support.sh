# Shared by the packaging tests (sourced, POSIX shell).
#
# Every test works in a private folder: HOME, the XDG folders, TMPDIR and the
# system-wide printer table all point into it, so the real user's files and
# the machine's /etc are never touched. The folder is removed at the end.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Makes $work and points the environment into it.
enter_private_folder() {
    work=$(mktemp -d "${TMPDIR:-/tmp}/scrivola-packaging-test.XXXXXX")
    render_services=""
    trap 'stop_render_services; rm -rf "$work"' EXIT
    mkdir -p "$work/home" "$work/config" "$work/data" "$work/tmp" "$work/run" "$work/cache"
    chmod 700 "$work/run"
    export XDG_RUNTIME_DIR="$work/run"
    export XDG_CACHE_HOME="$work/cache"
    export HOME="$work/home"
    export XDG_CONFIG_HOME="$work/config"
    export XDG_DATA_HOME="$work/data"
    export TMPDIR="$work/tmp"
    export SCRIVOLA_SYSTEM_PRINTERS="$work/etc/scrivola/printers.reg"
    export QT_QPA_PLATFORM=offscreen
    unset SCRIVOLA_OPEN_COMMAND SCRIVOLA_DEBUG_LOG XDG_DOCUMENTS_DIR
}

# Ends the render services the conversions started (the test's own, through
# its private runtime folder).
stop_render_services() {
    for program in $render_services; do
        "$program" --stop > /dev/null 2>&1 || true
    done
}

# A user of their own, with an empty settings folder.
become_new_user() {
    export HOME="$work/$1"
    export XDG_CONFIG_HOME="$work/$1/.config"
    export XDG_DATA_HOME="$work/$1/.local/share"
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
}

expect_link() {  # link target
    [ -L "$1" ] || fail "$1 is not a symbolic link"
    [ "$(readlink "$1")" = "$2" ] || fail "$1 points to $(readlink "$1"), not $2"
    [ -e "$1" ] || fail "$1 is a dangling link"
}

# Converts the example notes with the given scrivola and checks the PDF with
# the poppler tools: it must exist, have pages, carry the text and the title
# (the title shows that tools.cfg was found beside the real program).
convert_notes_with() {  # scrivola-program label
    scrivola=$1
    label=$2
    mkdir -p "$work/docs" "$work/out-$label"
    cp "$SCRIVOLA_SOURCE_DIR/examples/notes.txt" "$work/docs/notes.txt"
    output="$work/out-$label/notes.pdf"
    # Started from elsewhere, so nothing is found through the current folder.
    status=0
    (cd "$work/tmp" && "$scrivola" -t "Notes $label" -i "$work/docs/notes.txt" -o "$output") \
        > "$work/scrivola-$label.log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        cat "$work/scrivola-$label.log" >&2
        fail "$scrivola ended with status $status"
    fi
    render_services="$render_services $(dirname "$(readlink -f "$scrivola")")/scrivola_render"
    grep -q "result=1" "$work/scrivola-$label.log" || {
        cat "$work/scrivola-$label.log" >&2
        fail "no successful result line from $scrivola"
    }
    info=$(pdfinfo "$output") || fail "pdfinfo cannot read $output"
    echo "$info" | grep -Eq '^Pages: +[1-9]' || fail "$output has no pages"
    echo "$info" | grep -Eq "^Title: +Notes $label\$" ||
        fail "$output lacks the title: $info"
    pdftotext "$output" - | grep -q "Shopping for the weekend" ||
        fail "$output lacks the document's text"
    echo "converted: $output"
}
