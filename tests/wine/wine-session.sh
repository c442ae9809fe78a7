#!/usr/bin/env bash
# Runs a command with a Wine of its own: a fresh prefix in a temporary folder,
# made once for the whole command (wineboot takes several seconds), so that
# the command may run Windows programs in it as often as it likes. Nothing of
# the user's is used or changed: not ~/.wine, not the home folder (where Wine
# would otherwise put menus and desktop entries), not the display, not the
# print server. At the end the prefix's wineserver and every process in the
# prefix are stopped, and the folder goes; a Wine process of the prefix that
# is still there afterwards fails the run.
#
#   wine-session.sh -- command [args...]
#
# The command sees WINEPREFIX, WINEDEBUG=-all, a fresh HOME, XDG folders and
# TMPDIR inside the session's folder, and a PATH on which wine64 is found (Debian
# keeps it in /usr/lib/wine). It has no display, which console programs do
# not need; a command that shows windows runs in tests/e2e/desktop-session.sh
# inside this, which gives it a private X server.
set -euo pipefail

[ "${1:-}" = "--" ] && shift
[ "$#" -gt 0 ] || {
    echo "usage: wine-session.sh -- command [args...]" >&2
    exit 2
}

# For wait_until, stop_process and on_exit.
source "$(dirname "$0")/../e2e/e2e-lib.sh"

work=$(mktemp -d)
prefix=$work/prefix
command_pid=""

# The processes, not yet ended, that were started with this prefix.
prefix_processes() {
    local environ pid
    for environ in /proc/[0-9]*/environ; do
        pid=${environ#/proc/}
        pid=${pid%/environ}
        [ "$pid" != "$$" ] || continue
        grep -qxzF "WINEPREFIX=$prefix" "$environ" 2>/dev/null || continue
        case $(ps -o stat= -p "$pid" 2>/dev/null) in
        "" | Z*) ;;
        *) echo "$pid" ;;
        esac
    done
}

cleanup() {
    local status=$?
    stop_process "$command_pid"
    # From here on only what is named below gets the prefix, so that the
    # tools that look for what is left are not found themselves.
    export -n WINEPREFIX
    if [ -d "$prefix" ]; then
        # -k ends this prefix's server and with it every program of the
        # prefix; -w returns once the server has gone.
        WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
        WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
    fi
    if [ -d "$prefix" ]; then
        no_prefix_processes() { [ -z "$(prefix_processes)" ]; }
        if ! wait_until 10 no_prefix_processes; then
            local left
            left=$(prefix_processes | xargs)
            echo "FAIL: processes of the session were left behind: $left" >&2
            ps -o pid,args -p "${left// /,}" >&2 || true
            # They are this session's own: ended by their ids.
            # shellcheck disable=SC2086
            kill -KILL $left 2>/dev/null || true
            status=1
        fi
    fi
    rm -rf "$work"
    exit "$status"
}
on_exit cleanup

mkdir -p "$work/home" "$work/tmp" "$work/runtime" "$work/cups-client"
chmod 700 "$work/runtime"
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime
export XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_CACHE_HOME=$work/home/.cache
# Debian's wineserver keeps its socket in a folder it makes in TMPDIR, and
# leaves the folder behind: here it goes with the rest.
export TMPDIR=$work/tmp
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all
# No menu entries, and no offer to fetch Mono or Gecko, which a new prefix
# makes when they are not installed.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
# Wine lists the print server's printers in every new prefix: here it finds
# none, as nothing listens on that socket.
export CUPS_SERVER=$work/no-print-server CUPS_SERVERROOT=$work/cups-client
unset PRINTER LPDEST WAYLAND_DISPLAY
if ! command -v wine64 >/dev/null && [ -x /usr/lib/wine/wine64 ]; then
    export PATH=/usr/lib/wine:$PATH
fi

unset DISPLAY

if ! wineboot -i >"$work/wineboot.log" 2>&1; then
    echo "The Wine prefix could not be made:" >&2
    cat "$work/wineboot.log" >&2
    exit 1
fi

# Standard input stays the caller's.
"$@" <&0 &
command_pid=$!
status=0
wait "$command_pid" || status=$?
command_pid=""
exit "$status"
