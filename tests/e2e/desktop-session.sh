#!/usr/bin/env bash
# Runs a command on a private desktop: its own X server and, with --printer,
# a CUPS print server whose default printer writes PDF files. Whatever this
# script starts, it stops again when the command ends.
#
#   desktop-session.sh [--printer] -- command [args...]
#
# DESKTOP_SCREEN sets the screen's size and depth (default 1280x1024x24).
# The command sees DISPLAY and, with --printer, PDF_OUTPUT_DIR: the folder in
# which the PDF printer leaves the jobs of this user.
set -euo pipefail

with_printer=0
if [ "${1:-}" = "--printer" ]; then
    with_printer=1
    shift
fi
[ "${1:-}" = "--" ] && shift

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# For wait_until.
source "$(dirname "$0")/e2e-lib.sh"

# libxkbcommon-x11, which every program on an X server loads, hands strndup a
# counted buffer without a closing NUL. AddressSanitizer's strict_string_checks
# then reports a read past it that strndup never makes, and stops the program
# at start. Our own code keeps the strict checks in the window tests, which run
# without an X server.
if [ -n "${ASAN_OPTIONS:-}" ]; then
    export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
fi

work=$(mktemp -d)
xvfb_pid=""
started_cups=0
added_printer=0
previous_default=""

cleanup() {
    # Leave the print server's printers as they were found.
    if [ "$added_printer" -eq 1 ]; then
        as_root lpadmin -x PDF 2>/dev/null || true
    fi
    if [ -n "$previous_default" ] && [ "$previous_default" != "PDF" ]; then
        as_root lpadmin -d "$previous_default" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    if [ "$started_cups" -eq 1 ]; then
        as_root pkill -x cupsd || true
        wait_until 10 sh -c '! pgrep -x cupsd >/dev/null' || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# -displayfd picks a free display and reports it once the server accepts
# clients; -noreset keeps it from resetting when one client leaves.
Xvfb -displayfd 3 -screen 0 "${DESKTOP_SCREEN:-1280x1024x24}" -noreset -nolisten tcp 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
if ! wait_until 20 test -s "$work/display"; then
    echo "The X server did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$(head -n 1 "$work/display")"

if [ "$with_printer" -eq 1 ]; then
    if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
        as_root /usr/sbin/cupsd
        started_cups=1
        if ! wait_until 20 sh -c "lpstat -r 2>/dev/null | grep -q 'is running'"; then
            echo "The print server did not start." >&2
            exit 1
        fi
    fi
    previous_default=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
    if ! lpstat -p PDF >/dev/null 2>&1; then
        as_root lpadmin -p PDF -v cups-pdf:/ -E -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
            2>/dev/null
        added_printer=1
    fi
    as_root lpadmin -d PDF
    home=$(getent passwd "$(id -un)" | cut -d: -f6)
    export PDF_OUTPUT_DIR="$home/PDF"
fi

"$@"
