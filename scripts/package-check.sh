#!/usr/bin/env bash
# Checks the desktop integration and the Debian package of a build in build/ (or the folder
# given) without changing the machine: installs into a scratch prefix and validates the desktop
# entry, the AppStream metainfo, the manual pages and the installed sample database there; then
# makes the package with CPack and checks its fields, its file list and lintian's verdict.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
id=example.velmor.Velmor
fail() { echo "package-check.sh: $*" >&2; exit 1; }

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

# Neither validator may report an error or a warning (hints and notes are fine).
desktop="$prefix/share/applications/$id.desktop"
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
if grep -Eiq 'error|warning' <<<"$report"; then fail "desktop-file-validate: $report"; fi
report=$(appstreamcli validate --no-net --no-color "$prefix/share/metainfo/$id.metainfo.xml" 2>&1) ||
    fail "appstreamcli: $report"
if grep -Eq '^[EW]:' <<<"$report"; then fail "appstreamcli: $report"; fi

# The entry starts the installed program in the folder holding the sample database.
grep -qx "Exec=$prefix/bin/velmor" "$desktop" || fail "Exec= does not name $prefix/bin/velmor"
grep -qx "Path=$prefix/share/velmor" "$desktop" || fail "Path= is not $prefix/share/velmor"
"$prefix/bin/velmor-kdb" check "$prefix/share/velmor/cmc.kdb" >/dev/null
"$prefix/bin/velmor-kdb" --help >/dev/null
# Both answer --version without a display.
for program in velmor velmor-kdb; do
    version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$program" --version) ||
        fail "$program --version failed"
    [[ "$version" =~ ^$program\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "$program --version: $version"
done
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/velmor" --help >/dev/null ||
    fail "velmor --help failed"
# Docks group the window with its entry by the window's class, which the entry names.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
[ -n "$wm_class" ] || fail "the desktop entry has no StartupWMClass"
shown=$(cd "$prefix/share/velmor" && xvfb-run -a sh -c '
    "$0" & pid=$!
    for i in $(seq 50); do
        w=$(xdotool search --name "化学试剂库" 2>/dev/null | head -n 1)
        [ -n "$w" ] && break
        sleep 0.2
    done
    [ -n "$w" ] && xprop -id "$w" WM_CLASS
    kill "$pid"' "$prefix/bin/velmor" 2>/dev/null) || true
grep -q ", \"$wm_class\"\$" <<<"$shown" || fail "StartupWMClass=$wm_class, the window's class: $shown"
for page in velmor velmor-kdb; do
    man_page="$prefix/share/man/man1/$page.1.gz"
    problems=$(MANWIDTH=80 man --warnings -l "$man_page" 2>&1 >/dev/null)
    [ -z "$problems" ] || fail "man $page: $problems"
done
echo "Desktop entry, metainfo, manual pages and installed sample database: valid"

rm -f "$build"/velmor_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/velmor_*.deb)
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/velmor ./usr/bin/velmor-kdb ./usr/share/velmor/cmc.kdb \
    ./usr/share/velmor/structures/64-17-5.png ./usr/share/applications/$id.desktop \
    ./usr/share/metainfo/$id.metainfo.xml ./usr/share/icons/hicolor/scalable/apps/$id.svg \
    ./usr/share/icons/hicolor/48x48/apps/$id.png ./usr/share/man/man1/velmor.1.gz \
    ./usr/share/man/man1/velmor-kdb.1.gz ./usr/share/doc/velmor/copyright \
    ./usr/share/doc/velmor/changelog.Debian.gz; do
    grep -qx "$file" <<<"$listing" || fail "$deb lacks $file"
done
packaged_desktop=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/share/applications/$id.desktop")
grep -qx "Path=/usr/share/velmor" <<<"$packaged_desktop" || fail "the package's Path= is wrong"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libicu72 fonts-liberation fonts-noto-cjk qt6-translations-l10n; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
dpkg-deb -f "$deb" Recommends | grep -q xdg-utils || fail "Recommends lacks xdg-utils"
version=$(dpkg-deb -f "$deb" Version)
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+-[0-9]+$ ]] || fail "Version $version has no Debian revision"
# No error or warning, and none of the tags of an unhardened or unstripped program.
verdict=$(lintian -I --fail-on error,warning "$deb" 2>&1) || fail "lintian: $verdict"
if grep -Eq 'hardening-|binary-has-unneeded-section' <<<"$verdict"; then fail "lintian: $verdict"; fi
echo "$(basename "$deb"): $(wc -l <<<"$listing") entries, Depends: $depends; lintian: no errors, warnings or hardening tags"
