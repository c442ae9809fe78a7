#!/usr/bin/env bash
# Closing the window while a print waits for a print server that never
# answers: the program ends at once, with status 0 and without a message,
# the job left behind, and no file of its own or of the print system left in
# its temporary folder.
#
#   print_close_e2e.sh twinoffset|solooffset <binary> close|afsluiten
#
# close asks the window to close as a window manager's close button does;
# afsluiten clicks solooffset's Afsluiten. Needs only an X server
# (desktop-session.sh without --printer; the Windows programs need --printer
# as well, see start_against_silent_print_server).
source "$(dirname "$0")/e2e-lib.sh"

program=$1
binary=$2
how=$3
start_against_silent_print_server "$program" "$binary"
enter_worked_example "$program"

# The print waits for an answer; the silent server holds its connection.
connected() { [ "$(silent_connections)" -gt 0 ]; }
click_control "$print_button"
wait_until 10 connected || fail "the print never reached the print server"

started=$SECONDS
case $how in
close) request_close ;;
afsluiten) click_control cmdAfsluiten ;;
*) fail "unknown way to close: $how" ;;
esac
expect_program_end 5
message_box_shown && fail "a message box was shown"
echo "$program: closed during the wait ($how), ended in $((SECONDS - started)) s with status 0"

left=$(find "$work/tmp" -type f)
[ -z "$left" ] || fail "left behind in the temporary folder: $left"
