#!/usr/bin/env bash
# A print server that takes the connection and never answers: the real
# program, on a real X server, asked to print after a calculation, gives up
# after its limit of about ten seconds with a message ("Printer reageert
# niet": the one message that comes only after that wait; the window tests
# check its text) and answers again. While that job is still stuck, every
# further try answers at once, and none adds a thread or an open file: a
# stuck print system holds one job of the program, not one per try. No report
# file is left behind.
#
#   print_no_answer_e2e.sh twinoffset|solooffset <binary>
#
# Needs only an X server (desktop-session.sh without --printer): the silent
# server is started here, and the program is pointed at it alone through
# CUPS_SERVER. The Windows programs need --printer as well (see
# start_against_silent_print_server).
source "$(dirname "$0")/e2e-lib.sh"

program=$1
binary=$2
start_against_silent_print_server "$program" "$binary"

# A calculation, so that there is something to print.
enter_worked_example "$program"

message_gone() { ! message_box_shown; }
no_file_left() { [ -z "$(find "$work/tmp" -type f)" ]; }
threads() { ls "/proc/$PROGRAM_PID/task" | wc -l; }
open_files() { ls "/proc/$PROGRAM_PID/fd" | wc -l; }

# Clicks the print button and waits for the message; sets WAITED to the
# seconds it took.
try_print() {
    local attempt=$1 started=$SECONDS
    click_control "$print_button"
    wait_until 30 message_box_shown || fail "attempt $attempt: no message within 30 seconds"
    WAITED=$((SECONDS - started))
    no_file_left || fail "attempt $attempt: left behind: $(find "$work/tmp" -type f)"
    press Return
    wait_until 10 message_gone || fail "attempt $attempt: the message box did not close"
}

try_print 1
[ "$WAITED" -ge 8 ] && [ "$WAITED" -le 16 ] ||
    fail "attempt 1: the message came after $WAITED seconds, not about 10"
echo "$program: attempt 1 gave up with a message after $WAITED seconds"
threads_then=$(threads)
files_then=$(open_files)

for attempt in 2 3 4; do
    try_print "$attempt"
    [ "$WAITED" -le 3 ] ||
        fail "attempt $attempt: with a job still stuck, the message took $WAITED seconds"
done
[ "$(threads)" -le "$threads_then" ] ||
    fail "the tries while stuck left $(($(threads) - threads_then)) thread(s) more"
[ "$(open_files)" -le "$files_then" ] ||
    fail "the tries while stuck left $(($(open_files) - files_then)) open file(s) more"
echo "$program: attempts 2 to 4 answered at once, with no thread or open file more"

# The window still answers: a new offset gives new results ("e": the bends
# would overlap).
if [ "$program" = twinoffset ]; then
    short_offset=58
else
    short_offset=100
fi
click_control txtHorVersleping
press Home shift+End
type_text "$short_offset"
click_control cmdBereken
expect_box e txtHoogte
echo "$program: the window answers after the print gave up"

# The job that never got an answer does not hold the program up at its end.
if [ "$program" = solooffset ]; then
    afsluiten_ends_program
    echo "$program: Afsluiten ended the program"
fi
