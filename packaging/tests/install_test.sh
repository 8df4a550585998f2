#!/bin/sh
# `cmake --install` into a temporary prefix: the programs side by side in
# lib/scrivola, links in bin, the desktop files and manual pages, and the
# installed copy converting a document through those links.
#
#   install_test.sh CMAKE BUILD_DIR
set -eu
cmake=$1
build=$2
. "$(dirname "$0")/test_support.sh"
enter_private_folder

prefix="$work/prefix"
"$cmake" --install "$build" --prefix "$prefix" > "$work/install.log" ||
    { cat "$work/install.log" >&2; fail "cmake --install failed"; }

programs="$prefix/lib/scrivola"
for program in scrivola tools.cfg folivoprint scrivola_win scrivola_render pdfcrypt; do
    [ -f "$programs/$program" ] && [ -x "$programs/$program" ] ||
        fail "$programs/$program is missing or not executable"
done
[ -f "$programs/help.htm" ] || fail "help.htm is not beside scrivola_win"
for program in scrivola scrivola_win folivoprint; do
    expect_link "$prefix/bin/$program" "../lib/scrivola/$program"
done
for file in share/applications/scrivola_win.desktop \
    share/icons/hicolor/scalable/apps/scrivola_win.svg \
    share/man/man1/scrivola.1.gz share/man/man1/folivoprint.1.gz \
    share/man/man1/tools.cfg.1.gz share/man/man1/scrivola_win.1.gz; do
    [ -f "$prefix/$file" ] || fail "$prefix/$file is missing"
done

# The printer installed through the link records the real program as its
# backend: /proc/self/exe resolves the link.
"$prefix/bin/folivoprint" --install > /dev/null
backend=$(grep '^"Backend"=' "$XDG_CONFIG_HOME/scrivola/registry.reg") ||
    fail "folivoprint --install recorded no backend"
case "$backend" in
    *"$programs/folivoprint"*) ;;
    *) fail "the backend is not $programs/folivoprint: $backend" ;;
esac

convert_notes_with "$prefix/bin/scrivola" installed

# The front end starts from its link and shows its window.
"$prefix/bin/scrivola_win" --screenshot "$work/shots" > "$work/shots.log" 2>&1 ||
    { cat "$work/shots.log" >&2; fail "scrivola_win did not start"; }
[ -s "$work/shots/main_window.png" ] || fail "scrivola_win saved no window picture"

echo "installed layout and conversion ok"
