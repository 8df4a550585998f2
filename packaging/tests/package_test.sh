#!/bin/sh
# The Debian package: built with CPack from the build folder, its control
# data naming the run-time packages, its maintainer scripts installing the
# printer for every user, and its files unpacked by dpkg into a throw-away
# root exactly where the installation puts them; the unpacked programs then
# convert a document with the printer installed system-wide.
#
#   package_test.sh CPACK BUILD_DIR VERSION
set -eu
cpack=$1
build=$2
version=$3
. "$(dirname "$0")/test_support.sh"
enter_private_folder

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" > "$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
set -- "$work/package"/scrivola_"$version"_*.deb
[ $# -eq 1 ] && [ -f "$1" ] || fail "expected one scrivola_${version}_<arch>.deb, found: $*"
deb=$1
echo "built: $(basename "$deb")"

# Control data.
dpkg-deb --info "$deb" > "$work/info"
cat "$work/info"
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = scrivola ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "version $(field Version)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture $(field Architecture)"
depends=$(field Depends)
for needed in "libreoffice-writer | libreoffice-writer-nogui" \
    "libreoffice-calc | libreoffice-calc-nogui" \
    "libreoffice-impress | libreoffice-impress-nogui" \
    "libreoffice-draw | libreoffice-draw-nogui" \
    ghostscript xdg-utils libqpdf29 libqt6core6 libqt6gui6 libqt6widgets6; do
    case ", $depends," in
        *", $needed,"* | *", $needed "*) ;;
        *) fail "Depends lacks $needed: $depends" ;;
    esac
done

# Maintainer scripts.
dpkg-deb --control "$deb" "$work/control"
for script in postinst prerm postrm; do
    [ -x "$work/control/$script" ] || fail "$script is missing or not executable"
    sh -n "$work/control/$script" || fail "$script is not a valid shell script"
done
grep -q '"/usr/lib/scrivola/folivoprint" --install --system' "$work/control/postinst" ||
    fail "postinst does not install the printer for every user"
grep -q '"/usr/lib/scrivola/folivoprint" --uninstall --system' "$work/control/prerm" ||
    fail "prerm does not remove the printer"
grep -q '"/usr/lib/scrivola/scrivola_render" --stop' "$work/control/prerm" ||
    fail "prerm does not stop running render services"

# Unpacked by dpkg into a clean root with a database of its own.
root="$work/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
not_root=""
[ "$(id -u)" -eq 0 ] || not_root="--force-not-root"
# dpkg's action log would otherwise go to the machine's /var/log.
dpkg --root="$root" --log="$work/dpkg-actions.log" $not_root --force-depends --unpack "$deb" > "$work/dpkg.log" 2>&1 ||
    { cat "$work/dpkg.log" >&2; fail "dpkg --unpack failed"; }
dpkg --root="$root" -L scrivola | sort > "$work/listed"
(cd "$root" && find usr \( -type f -o -type l \) | sed 's|^|/|' | sort) > "$work/unpacked"
sort > "$work/expected" <<'LIST'
/usr/bin/folivoprint
/usr/bin/scrivola
/usr/bin/scrivola_win
/usr/lib/scrivola/folivoprint
/usr/lib/scrivola/help.htm
/usr/lib/scrivola/pdfcrypt
/usr/lib/scrivola/scrivola
/usr/lib/scrivola/scrivola_render
/usr/lib/scrivola/scrivola_win
/usr/lib/scrivola/tools.cfg
/usr/share/applications/scrivola_win.desktop
/usr/share/icons/hicolor/scalable/apps/scrivola_win.svg
/usr/share/man/man1/folivoprint.1.gz
/usr/share/man/man1/scrivola.1.gz
/usr/share/man/man1/scrivola_win.1.gz
/usr/share/man/man1/tools.cfg.1.gz
LIST
diff -u "$work/expected" "$work/unpacked" || fail "the package's files differ from the layout"
# dpkg also lists the folders; every file must be among its entries.
missing=$(comm -23 "$work/expected" "$work/listed")
[ -z "$missing" ] || fail "dpkg does not list: $missing"
for program in scrivola scrivola_win folivoprint; do
    expect_link "$root/usr/bin/$program" "../lib/scrivola/$program"
done
desktop-file-validate "$root/usr/share/applications/scrivola_win.desktop" ||
    fail "the desktop entry is not valid"
for page in "$root"/usr/share/man/man1/*.gz; do
    gzip -t "$page" || fail "$page is not a valid gzip file"
done
[ ! -e "$root/etc/scrivola" ] || fail "the package ships the printer table; postinst writes it"

# What postinst does, from the unpacked copy and into the test's own table;
# then a user who never installed the printer converts a document.
"$root/usr/lib/scrivola/folivoprint" --install --system > /dev/null ||
    fail "folivoprint --install --system failed"
[ "$(stat -c %a "$SCRIVOLA_SYSTEM_PRINTERS")" = 644 ] || fail "the printer table is not readable by all"
become_new_user user-without-printer
"$root/usr/bin/folivoprint" --status | grep -q "installed for every user" ||
    fail "the new user does not see the printer installed for every user"
convert_notes_with "$root/usr/bin/scrivola" packaged
[ -n "$(grep -i '^"DefaultPrinter"' "$XDG_CONFIG_HOME/scrivola/registry.reg" || true)" ] ||
    fail "the user's default printer was not kept in the user's own registry"
if grep -qi 'DefaultPrinter' "$SCRIVOLA_SYSTEM_PRINTERS"; then
    fail "a user's default printer leaked into the system-wide table"
fi

echo "package ok"
