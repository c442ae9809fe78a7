#!/usr/bin/env bash
# Runs a command on a private desktop: its own X server and, with --printer,
# its own print server, private to this run, whose one printer is its
# default and keeps every document it is sent. The machine's own print
# server, its printers and its default are never used or changed, whether
# one runs or not: the command reaches only the private server, or with no
# --printer no print server at all. Whatever this script starts it stops
# again by process id, also when the command fails or the script is
# interrupted.
#
#   desktop-session.sh [--printer] -- command [args...]
#
# DESKTOP_SCREEN sets the screen's size and depth (default 1280x1024x24).
# The command sees DISPLAY, CUPS_SERVER, a fresh HOME and XDG_RUNTIME_DIR and,
# with --printer, PRINT_SPOOL (where the server keeps each job's document as
# it was sent, dNNNNN-001) and TEST_PRINTER (the printer's name).
set -euo pipefail

with_printer=0
if [ "${1:-}" = "--printer" ]; then
    with_printer=1
    shift
fi
[ "${1:-}" = "--" ] && shift

# For wait_until and stop_process.
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
cupsd_pid=""
command_pid=""

cleanup() {
    stop_process "$command_pid"
    stop_process "$cupsd_pid"
    stop_process "$xvfb_pid"
    rm -rf "$work"
}
on_exit cleanup

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

# A print server of our own: configuration, spool, logs and socket in the
# work folder. The open policy lets a user who is not root manage it too.
start_print_server() {
    local dir=$work/cups
    mkdir -p "$dir/spool" "$dir/cache" "$dir/state" "$dir/tmp" "$dir/log"
    cat >"$dir/cupsd.conf" <<EOF
Listen $dir/sock
Browsing No
LogLevel warn
PreserveJobFiles Yes
DefaultAuthType None
DefaultPolicy open
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy open>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    cat >"$dir/cups-files.conf" <<EOF
ServerRoot $dir
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
FileDevice Yes
EOF
    /usr/sbin/cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
    cupsd_pid=$!
    if ! wait_until 20 lpstat -h "$dir/sock" -r >/dev/null 2>&1; then
        echo "The print server did not start:" >&2
        cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true
        exit 1
    fi
    # A raw queue hands on the document exactly as the program made it. A
    # server that has only just started may still drop a connection ("Bad
    # file descriptor"), so this is tried until it holds.
    add_printer() {
        lpadmin -h "$dir/sock" -p e2e -v file:///dev/null -E -m raw 2>"$dir/log/lpadmin" &&
            lpadmin -h "$dir/sock" -d e2e 2>>"$dir/log/lpadmin" &&
            lpstat -h "$dir/sock" -d 2>/dev/null | grep -q ': e2e$'
    }
    if ! wait_until 20 add_printer; then
        echo "The print server took no printer:" >&2
        cat "$dir/log/lpadmin" "$dir/log/error_log" >&2 2>/dev/null || true
        exit 1
    fi
    export CUPS_SERVER=$dir/sock PRINT_SPOOL=$dir/spool TEST_PRINTER=e2e
}

if [ "$with_printer" -eq 1 ]; then
    start_print_server
else
    # A socket where nothing listens: no print server can be reached.
    export CUPS_SERVER=$work/no-print-server
fi
# Nothing of the user's or the machine's print settings plays a part: no
# lpoptions, client.conf or printer from the environment, and the programs
# write into a home of their own.
mkdir -p "$work/cups-client" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
export CUPS_SERVERROOT=$work/cups-client HOME=$work/home XDG_RUNTIME_DIR=$work/runtime
unset PRINTER LPDEST

"$@" &
command_pid=$!
status=0
wait "$command_pid" || status=$?
command_pid=""
exit "$status"
