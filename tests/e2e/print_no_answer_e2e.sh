#!/usr/bin/env bash
# A print server that takes the connection and never answers: the real
# program, on a real X server, asked to print after a calculation, gives up
# after its limit of about ten seconds with a message ("Printer reageert
# niet": the one message that comes only after that wait; the window tests
# check its text), answers again, and can try once more. No report file is
# left behind.
#
#   print_no_answer_e2e.sh twinoffset|solooffset <binary>
#
# Needs only an X server (desktop-session.sh without --printer): the silent
# server is started here, on a free port of the loopback address, and the
# program is pointed at it alone through CUPS_SERVER.
source "$(dirname "$0")/e2e-lib.sh"

program=$1
binary=$2
work=$(mktemp -d)
listener_pid=""
finish() {
    stop_program
    if [ -n "$listener_pid" ]; then
        kill "$listener_pid" 2>/dev/null || true
        wait "$listener_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
on_exit finish

# Debian's own interpreter, not whatever wrapper comes first on the PATH.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
"$python" -c '
import socket, sys
server = socket.socket()
server.bind(("127.0.0.1", 0))
server.listen(16)
with open(sys.argv[1], "w") as f:
    f.write(str(server.getsockname()[1]))
held = []
while True:
    held.append(server.accept()[0])  # kept open, never answered
' "$work/port.tmp" &
listener_pid=$!
wait_until 30 test -s "$work/port.tmp" || fail "the silent server did not start"
port=$(cat "$work/port.tmp")
mkdir "$work/tmp"

case $program in
twinoffset) print_button=cmdTest ;;
solooffset) print_button=cmdPrinten ;;
*) fail "unknown program $program" ;;
esac

CUPS_SERVER=127.0.0.1:$port TMPDIR=$work/tmp start_program "$program" "$binary"

# A calculation, so that there is something to print.
enter_worked_example "$program"

message_gone() { ! message_box_shown; }
no_file_left() { [ -z "$(find "$work/tmp" -type f -name "${program}-*")" ]; }

for attempt in 1 2; do
    started=$SECONDS
    click_control "$print_button"
    wait_until 30 message_box_shown || fail "attempt $attempt: no message within 30 seconds"
    waited=$((SECONDS - started))
    [ "$waited" -ge 8 ] && [ "$waited" -le 16 ] ||
        fail "attempt $attempt: the message came after $waited seconds, not about 10"
    no_file_left || fail "attempt $attempt: left behind: $(find "$work/tmp" -type f)"
    press Return
    wait_until 10 message_gone || fail "attempt $attempt: the message box did not close"
    echo "$program: attempt $attempt gave up with a message after $waited seconds"
done

# The window still answers: a new offset gives new results ("e": the bends
# would overlap).
if [ "$program" = twinoffset ]; then
    short_offset=58
else
    short_offset=100
fi
click_control txtHorVersleping
press ctrl+a
type_text "$short_offset"
click_control cmdBereken
expect_box e txtHoogte
echo "$program: the window answers after the print gave up"

# The jobs that never got an answer do not hold the program up at its end.
if [ "$program" = solooffset ]; then
    afsluiten_ends_program
    echo "$program: Afsluiten ended the program"
fi
