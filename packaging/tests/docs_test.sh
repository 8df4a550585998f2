#!/bin/sh
# The manual pages and the desktop entry: they format without warnings,
# validate, and document every option the programs take.
#
#   docs_test.sh PACKAGING_SOURCE_DIR
set -eu
packaging=$1
. "$(dirname "$0")/test_support.sh"
enter_private_folder

for page in "$packaging"/man/*.1; do
    name=$(basename "$page")
    warnings=$(groff -t -man -Tutf8 -ww -z "$page" 2>&1)
    [ -z "$warnings" ] || fail "$name formats with warnings: $warnings"
    for section in NAME SYNOPSIS DESCRIPTION "SEE ALSO"; do
        grep -q "^\.SH \"*$section" "$page" || fail "$name has no $section section"
    done
done

# Each option as the page writes it (roff escapes a minus as \-).
expect_documented() {  # page option...
    page="$packaging/man/$1"
    shift
    for option in "$@"; do
        grep -qF -- "$option" "$page" || fail "$(basename "$page") does not document $option"
    done
}
expect_documented scrivola.1 '\-i' '\-o' '\-j' '\-t' '\-a' '\-k' '\-p' '\-V' '\-?' \
    '\-w' '\-h' '\-b' '\-z' '\-c' '\-q' '\-r' '\-v' "EXIT STATUS" "COLLISION MODES" \
    XDG_CONFIG_HOME SCRIVOLA_OPEN_COMMAND SCRIVOLA_DEBUG_LOG SCRIVOLA_SYSTEM_PRINTERS
expect_documented folivoprint.1 '\-\-install' '\-\-uninstall' '\-\-system' '\-\-status' \
    '\-\-help' "EXIT STATUS" XDG_CONFIG_HOME SCRIVOLA_OPEN_COMMAND SCRIVOLA_DEBUG_LOG \
    SCRIVOLA_SYSTEM_PRINTERS
expect_documented tools.cfg.1 '\-i' '\-o' '\-t' '\-a' '\-s' '\-k' '\-*' '1|0|' "EXIT STATUS"
expect_documented scrivola_win.1 '\-\-screenshot' XDG_CONFIG_HOME SCRIVOLA_OPEN_COMMAND \
    SCRIVOLA_DEBUG_LOG

desktop-file-validate "$packaging/scrivola_win.desktop" || fail "the desktop entry is not valid"
grep -qx 'Exec=scrivola_win %F' "$packaging/scrivola_win.desktop" ||
    fail "the desktop entry does not hand its documents to scrivola_win"

echo "manual pages and desktop entry ok"
