#!/usr/bin/env bash
# The Debian package: built as the README says, then taken apart and checked
# as a distribution would (dpkg-deb, lintian, desktop-file-validate,
# appstreamcli), and the unpacked twinoffset started on a private X server.
# Nothing is installed on the machine.
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

ensure_packages "${build_packages[@]}" "${test_packages[@]}" dpkg-dev file binutils \
    lintian appstream desktop-file-utils man-db
bash "$repo_root/scripts/package.sh" >/dev/null
cd "$repo_root"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/package/CMakeCache.txt)
deb=build/package/offset-calculators_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "FAIL: no package $deb" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The control fields.
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = offset-calculators ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "version $(field Version), project $version"
[ "$(field Section)" = math ] || fail "section $(field Section)"
field Maintainer | grep -q '<.*@.*>' || fail "no maintainer address"
for dependency in libqt6widgets6 libqt6printsupport6 libqt6svg6 libc6 qt6-qpa-plugins; do
    field Depends | grep -q "\b$dependency\b" || fail "Depends lacks $dependency: $(field Depends)"
done
field Description | grep -q versleping || fail "no long description"

# Its files.
dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/files"
for path in /usr/bin/twinoffset /usr/bin/solooffset /usr/bin/offsetcalc \
    /usr/share/applications/twinoffset.desktop /usr/share/applications/solooffset.desktop \
    /usr/share/metainfo/nl.offsetcalculators.twinoffset.metainfo.xml \
    /usr/share/metainfo/nl.offsetcalculators.solooffset.metainfo.xml \
    /usr/share/icons/hicolor/48x48/apps/offsetcalc.png \
    /usr/share/icons/hicolor/scalable/apps/offsetcalc.svg \
    /usr/share/man/man1/twinoffset.1.gz /usr/share/man/man1/solooffset.1.gz \
    /usr/share/man/nl/man1/twinoffset.1.gz /usr/share/man/nl/man1/solooffset.1.gz \
    /usr/share/man/man1/offsetcalc.1.gz /usr/share/man/nl/man1/offsetcalc.1.gz \
    /usr/share/doc/offset-calculators/copyright /usr/share/doc/offset-calculators/changelog.gz; do
    grep -qx "$path" "$work/files" || fail "the package lacks $path"
done

echo "== lintian"
lintian --fail-on error --display-info "$deb" || fail "lintian reports errors"

dpkg-deb --extract "$deb" "$work/root"
root=$work/root/usr
desktop-file-validate "$root"/share/applications/*.desktop || fail "desktop entries"
appstreamcli validate --no-net "$root"/share/metainfo/*.metainfo.xml || fail "AppStream metadata"
for program in twinoffset solooffset offsetcalc; do
    if readelf --dynamic "$root/bin/$program" | grep -E 'RPATH|RUNPATH'; then
        fail "$program carries a library path"
    fi
    [ "$("$root/bin/$program" --version)" = "$program $version" ] || fail "$program --version"
    # English by default, Dutch in a Dutch locale, as man chooses them.
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/share/man/man1/$program.1.gz" \
        2>"$work/warnings" | grep -q '^NAME' || fail "$program.1 has no NAME"
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/share/man/nl/man1/$program.1.gz" \
        2>>"$work/warnings" | grep -q '^NAAM' || fail "nl/$program.1 has no NAAM"
    [ ! -s "$work/warnings" ] || fail "manual page of $program: $(cat "$work/warnings")"
done

# The unpacked program, away from the build tree, opens its window.
(cd "$work" && env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=xcb \
    "$repo_root/tests/e2e/desktop-session.sh" -- bash -c \
    'source "$1"; start_program twinoffset "$2"; stop_program' _ \
    "$repo_root/tests/e2e/e2e-lib.sh" "$root/bin/twinoffset") ||
    fail "the unpacked twinoffset showed no window"
echo "package $deb: contents, lintian, desktop entries, metadata, manual pages and a start all pass"
