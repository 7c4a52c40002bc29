#!/usr/bin/env bash
# Makes the Debian package from the programs of this build, unpacks it into a
# temporary root and checks it as a user's machine would see it: the control
# fields, the files, the installed costdesk-admin running from that root, the
# desktop entry and lintian's verdict.
#   tst_package.sh BUILD_DIR SOURCE_DIR CPACK
set -uo pipefail
build=$1 source=$2 cpack=$3

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
need() { [ -e "$root/$1" ] || fail "the package holds no /$1"; }

tmp=$(mktemp -d /tmp/costdesk-package.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

version=$(sed -n 's/.*kProgramVersion = "\([0-9.]*\)".*/\1/p' "$source/src/core/Version.h")
[ -n "$version" ] || { echo "FAIL: no kProgramVersion in src/core/Version.h" >&2; exit 1; }
deb=$tmp/out/costdesk_${version}_$(dpkg --print-architecture).deb

if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1; then
  cat "$tmp/cpack.log" >&2
  echo "FAIL: cpack could not make the package" >&2
  exit 1
fi
[ -f "$deb" ] || { ls "$tmp/out" >&2; echo "FAIL: no $(basename "$deb")" >&2; exit 1; }

# Control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = costdesk ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', the program's is $version"
depends=$(field Depends) recommends=$(field Recommends) suggests=$(field Suggests)
# fonts-thai-tlwg is named by hand, the Qt library is found by dpkg-shlibdeps.
for p in fonts-thai-tlwg libqt6core6 libqt6widgets6 libxlsxwriter libqt6sql6-sqlite; do
  grep -q "\(^\|, \)$p" <<<"$depends" || fail "Depends lacks $p: $depends"
done
grep -q "\(^\|, \)postgresql-client\($\|,\)" <<<"$recommends" || fail "Recommends lacks postgresql-client: $recommends"
# apt installs what is recommended: the office suite must not come with it.
grep -q "\(^\|, \)libreoffice-calc\($\|,\)" <<<"$suggests" || fail "Suggests lacks libreoffice-calc: $suggests"
if grep -q libreoffice <<<"$depends, $recommends"; then fail "Depends or Recommends name LibreOffice: $depends; $recommends"; fi
# Installed on a fresh system it takes no other package's place.
for f in Conflicts Breaks Replaces Provides; do
  [ -z "$(field $f)" ] || fail "the package has $f: $(field $f)"
done

# The files, unpacked as dpkg would install them.
root=$tmp/root
dpkg -x "$deb" "$root" || { echo "FAIL: dpkg -x failed" >&2; exit 1; }
for f in usr/bin/costdesk usr/bin/costdesk-admin usr/share/applications/costdesk.desktop \
         usr/share/icons/hicolor/scalable/apps/costdesk.svg usr/share/icons/hicolor/256x256/apps/costdesk.png \
         usr/share/doc/costdesk/README.md usr/share/doc/costdesk/copyright usr/share/doc/costdesk/changelog.gz; do
  need "$f"
done
# The user guide the program's help opens, and its PDF.
for f in usr/share/doc/costdesk/คู่มือการใช้งาน.html usr/share/doc/costdesk/คู่มือการใช้งาน.pdf; do
  need "$f"
done
maintainer=$(field Maintainer)
grep -qxF "Upstream-Contact: $maintainer" "$root/usr/share/doc/costdesk/copyright" \
  || fail "the copyright file does not name the maintainer $maintainer"
[[ $maintainer =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer '$maintainer' is not a name and an address"

# The installed programs must not look into the build folder for anything.
for b in costdesk costdesk-admin; do
  if readelf -d "$root/usr/bin/$b" | grep -q 'R\(UN\)\?PATH'; then fail "/usr/bin/$b carries an RPATH"; fi
  if ldd "$root/usr/bin/$b" | grep -q 'not found'; then fail "/usr/bin/$b misses a library"; fi
done
png_size=$(od -An -tu1 -j16 -N8 "$root/usr/share/icons/hicolor/256x256/apps/costdesk.png" | tr -s ' ')
[ "$png_size" = " 0 0 1 0 0 0 1 0" ] || fail "the 256-pixel icon is not 256 by 256 (IHDR:$png_size)"

# The installed costdesk-admin, run from the unpacked root with the system's Qt.
export HOME=$tmp/home && mkdir -p "$HOME"
admin=$root/usr/bin/costdesk-admin
if ! shown=$("$admin" --version 2>&1); then
  fail "costdesk-admin --version failed: $shown"
elif ! grep -qF "$version" <<<"$shown"; then
  fail "costdesk-admin --version says '$shown', not $version"
fi
out=$("$admin" --help 2>"$tmp/help.err") || fail "costdesk-admin --help ended with $?"
grep -q "costdesk-admin upgrade URL" <<<"$out" && [ ! -s "$tmp/help.err" ] || fail "costdesk-admin --help: $out"
# The window program answers --help without a display.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/costdesk" --help 2>&1) \
  || fail "costdesk --help without a display ended with $?: $out"
grep -q "COSTDESK_DATABASE" <<<"$out" || fail "costdesk --help says: $out"
for page in costdesk costdesk-admin; do
  need "usr/share/man/man1/$page.1.gz"
done
db=$tmp/data/costdesk.sqlite
mkdir -p "$tmp/data"
out=$("$admin" init "sqlite:$db" 2>&1) || fail "costdesk-admin init failed: $out"
[ -s "$db" ] || fail "costdesk-admin init wrote no database"
if out=$("$admin" init "sqlite:$db" 2>&1); then fail "a second init over the same file was not refused: $out"; fi

# The desktop entry.
entry=$root/usr/share/applications/costdesk.desktop
validation=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $validation"
[ -z "$validation" ] || fail "desktop-file-validate: $validation"
for line in 'Type=Application' 'Name=CostDesk' 'Exec=costdesk' 'Icon=costdesk' 'Terminal=false' \
            'Categories=Office;Finance;'; do
  grep -qxF "$line" "$entry" || fail "the desktop entry lacks $line"
done
LC_ALL=C grep -q $'^Comment=.*\xe0[\xb8\xb9]' "$entry" || fail "the desktop entry has no Thai Comment"

# lintian: warnings are shown, an error fails the test.
if ! lintian --fail-on error "$deb" >"$tmp/lintian.log" 2>&1; then
  fail "lintian reports errors"
fi
grep -v 'running with root privileges' "$tmp/lintian.log" || true

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "costdesk_${version} package: $(stat -c %s "$deb") bytes, all checks passed"
