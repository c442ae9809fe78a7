#!/usr/bin/env bash
# The real program as a screen reader meets it: on a session bus of its own
# with the accessibility bus that Linux screen readers use (AT-SPI), read and
# driven through pyatspi alone (accessibility_e2e.py). Everything started
# here is stopped here again, by process id.
#
#   accessibility_e2e.sh twinoffset|solooffset <binary>
#
# Runs inside desktop-session.sh, which gives the X server, a fresh HOME and
# XDG_RUNTIME_DIR (where the accessibility bus puts its socket).
source "$(dirname "$0")/e2e-lib.sh"

program=$1
binary=$2
work=$(mktemp -d)
bus_pid=""
launcher_pid=""
helper_pids=()

finish() {
    stop_program
    # The registry and the accessibility bus were started on our behalf, not
    # by this script: they are stopped by the ids they reported, and are
    # gone once they have ended (their parent, not this script, reaps them).
    local pid
    for pid in "${helper_pids[@]}"; do
        kill "$pid" 2>/dev/null || continue
        helper_gone() { [ "$(ps -o stat= -p "$pid" 2>/dev/null)" = "" ] ||
            [ "$(ps -o stat= -p "$pid" 2>/dev/null | cut -c1)" = Z ]; }
        wait_until 10 helper_gone || kill -KILL "$pid" 2>/dev/null || true
    done
    stop_process "$launcher_pid"
    stop_process "$bus_pid"
    rm -rf "$work"
}
on_exit finish

# Debian's own interpreter, which has pyatspi; not whatever comes first on
# the PATH.
python=/usr/bin/python3
"$python" -c 'import pyatspi' 2>/dev/null || fail "pyatspi is missing (Debian: python3-pyatspi)"

# A session bus of our own: nothing reaches the user's session or its
# screen reader, and tests may run side by side.
dbus-daemon --session --nofork --nopidfile --address="unix:path=$work/session-bus" \
    --print-address=3 3>"$work/session-address" >"$work/session-bus.log" 2>&1 &
bus_pid=$!
wait_until 20 test -s "$work/session-address" || fail "the session bus did not start"
export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/session-address")

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/launcher.log" 2>&1 &
launcher_pid=$!
a11y_address=""
a11y_bus_up() {
    a11y_address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress 2>/dev/null) || return 1
    a11y_address=$(echo $a11y_address)
    [ -n "$a11y_address" ]
}
wait_until 20 a11y_bus_up || fail "the accessibility bus did not start: $(cat "$work/launcher.log")"

# Qt exports its accessibility tree only when it is told that assistive
# technology is on; a desktop says so through the bus, this says so here.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
E2E_LOG=$work/program.log start_program "$program" "$binary"

# The accessibility bus itself, and the registry it starts for the program
# (which may come a moment after the window), by the ids they report.
pid_on_a11y_bus() {
    dbus-send --bus="$a11y_address" --print-reply=literal --dest=org.freedesktop.DBus \
        /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID "string:$1" \
        2>/dev/null | awk '{print $NF}' || true
}
registry_up() {
    local pid
    pid=$(pid_on_a11y_bus org.a11y.atspi.Registry)
    [ -n "$pid" ] && helper_pids+=("$pid")
}
wait_until 20 registry_up || fail "no accessibility registry came for the program"
pid=$(pid_on_a11y_bus org.freedesktop.DBus)
[ -z "$pid" ] || helper_pids+=("$pid")

"$python" "$(dirname "$0")/accessibility_e2e.py" "$program" "${window_titles[$program]}" "$WINDOW" ||
    fail "$program as read through AT-SPI (program output: $(cat "$work/program.log"))"
echo "$program: read and driven through AT-SPI as expected"
