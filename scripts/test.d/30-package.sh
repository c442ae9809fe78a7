#!/usr/bin/env bash
# The Debian package: built as the README says, then taken apart and checked
# as a distribution would (dpkg-deb, lintian, desktop-file-validate,
# appstreamcli), the unpacked twinoffset started on a private X server, and
# the unpacked web edition served by nginx through the unpacked snippet.
# Nothing is installed on the machine.
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

ensure_packages "${build_packages[@]}" "${test_packages[@]}" "${serve_packages[@]}" dpkg-dev \
    file binutils lintian appstream desktop-file-utils man-db curl
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

# The control fields. (grep reads all it is given: "grep -q" would leave as
# soon as it matched, and under pipefail the writer cut short fails the
# check now and then.)
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = offset-calculators ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "version $(field Version), project $version"
[ "$(field Section)" = math ] || fail "section $(field Section)"
field Maintainer | grep '<.*@.*>' >/dev/null || fail "no maintainer address"
for dependency in libqt6widgets6 libqt6printsupport6 libqt6svg6 libc6 qt6-qpa-plugins; do
    field Depends | grep "\b$dependency\b" >/dev/null || fail "Depends lacks $dependency: $(field Depends)"
done
field Description | grep versleping >/dev/null || fail "no long description"

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
    /usr/share/doc/offset-calculators/copyright /usr/share/doc/offset-calculators/changelog.gz \
    /usr/share/offsetcalculators/web/index.html /usr/share/offsetcalculators/web/sw.js \
    /usr/share/offsetcalculators/web/app.js /usr/share/offsetcalculators/web/app.js.gz \
    /usr/share/offsetcalculators/web/offsetcore.wasm /usr/share/offsetcalculators/web/offsetcore.wasm.gz \
    /usr/share/offsetcalculators/nginx/site.conf; do
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
        2>"$work/warnings" | grep '^NAME' >/dev/null || fail "$program.1 has no NAME"
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/share/man/nl/man1/$program.1.gz" \
        2>>"$work/warnings" | grep '^NAAM' >/dev/null || fail "nl/$program.1 has no NAAM"
    [ ! -s "$work/warnings" ] || fail "manual page of $program: $(cat "$work/warnings")"
done

# The unpacked program, away from the build tree, opens its window.
# It is found by its title, as the build wrote it from the tables.
(cd "$work" && env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=xcb \
    OFFSET_FORMS="$repo_root/build/package/forms/forms.sh" \
    "$repo_root/tests/e2e/desktop-session.sh" -- bash -c \
    'source "$1"; start_program twinoffset "$2"; stop_program' _ \
    "$repo_root/tests/e2e/e2e-lib.sh" "$root/bin/twinoffset") ||
    fail "the unpacked twinoffset showed no window"
# The unpacked web edition, served as README.md tells a firm to: a server
# block of its own with the site as root and the snippet included; nginx as
# this user on a free port, stopped by its process id.
web=$root/share/offsetcalculators
mkdir -p "$work/nginx/logs" "$work/nginx/temp"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
user_setting=
if [ "$(id -u)" -eq 0 ]; then
    user_setting='user root root;'
fi
cat >"$work/nginx/nginx.conf" <<CONF
pid nginx.pid;
error_log stderr warn;
$user_setting
events {}
http {
    access_log logs/access.log;
    client_body_temp_path temp/body;
    proxy_temp_path temp/proxy;
    fastcgi_temp_path temp/fastcgi;
    uwsgi_temp_path temp/uwsgi;
    scgi_temp_path temp/scgi;
    server {
        listen 127.0.0.1:$port;
        root $web/web;
        include $web/nginx/site.conf;
    }
}
CONF
/usr/sbin/nginx -p "$work/nginx/" -c nginx.conf -g 'daemon off;' &
nginx_pid=$!
trap 'kill "$nginx_pid" 2>/dev/null; wait "$nginx_pid" 2>/dev/null; rm -rf "$work"' EXIT
until curl -s -o /dev/null "http://127.0.0.1:$port/"; do
    kill -0 "$nginx_pid" 2>/dev/null || fail "nginx did not start with the packaged site.conf"
    sleep 0.05
done
curl -s -o /dev/null -D "$work/headers" -H 'Accept-Encoding: gzip' \
    "http://127.0.0.1:$port/offsetcore.wasm"
grep -qi '^content-type: application/wasm' "$work/headers" ||
    fail "the packaged site sends .wasm as: $(grep -i '^content-type' "$work/headers")"
grep -qi '^content-encoding: gzip' "$work/headers" || fail "the packaged site sends no gzip copy"
[ "$(curl -s -o /dev/null -w '%{http_code}' "http://127.0.0.1:$port/")" = 200 ] ||
    fail "the packaged site sends no page"
kill "$nginx_pid"
wait "$nginx_pid" || true
trap 'rm -rf "$work"' EXIT

echo "package $deb: contents, lintian, desktop entries, metadata, manual pages, a start and the served web edition all pass"
