#!/usr/bin/env bash
# Builds and starts a calculator: twinoffset (the default) or solooffset;
# or builds the web edition and serves it on http://localhost:8080 (web).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

program=${1:-twinoffset}
case "$program" in
    twinoffset | solooffset) ;;
    web)
        ensure_packages "${web_packages[@]}" "${serve_packages[@]}"
        build_preset web
        # nginx with the configuration a firm uses, as this user, in the
        # foreground: Ctrl+C reaches it and this script alike, and once it has
        # stopped the folder with its logs goes.
        prefix=$(mktemp -d "${TMPDIR:-/tmp}/offset-web-nginx.XXXXXX")
        trap 'rm -rf "$prefix"' EXIT
        echo "Serving the web edition on http://localhost:8080/ (nginx, web/server/site.conf)."
        echo "Stop with Ctrl+C."
        status=0
        "$repo_root/web/server/serve.sh" "$repo_root/build/web/web/app/site" 8080 "$prefix" \
            || status=$?
        # Ctrl+C is how it is meant to end.
        if [ "$status" -ne 0 ] && [ "$status" -ne 130 ]; then
            echo "nginx ended with status $status." >&2
            exit "$status"
        fi
        exit 0
        ;;
    *) echo "Unknown program '$program': use twinoffset, solooffset or web." >&2; exit 2 ;;
esac

ensure_packages "${build_packages[@]}"
build_preset release

binary="$repo_root/build/release/$program/$program"
if [ ! -x "$binary" ]; then
    echo "$program does not exist yet in this version of the project." >&2
    exit 1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set): $program is a desktop" >&2
    echo "program and needs a graphical session to show its window." >&2
    exit 1
fi
exec "$binary"
