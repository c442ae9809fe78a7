#!/usr/bin/env bash
# The real programs when printing cannot work, each told by its message:
#   no-server: no print server can be reached (desktop-session.sh without
#              --printer): twinoffset's Test says "Geen printer beschikbaar";
#   refused:   the printer refuses jobs (desktop-session.sh --printer): Test in
#              twinoffset and Printen in solooffset say "Afdrukken mislukt",
#              and no job reaches the print server.
#
#   print_failures_e2e.sh no-server <twinoffset>
#   print_failures_e2e.sh refused <twinoffset> <solooffset>
source "$(dirname "$0")/e2e-lib.sh"

case=$1
twinoffset=$2
on_exit stop_program

# The box's title is all that can be read from outside (see
# close_message_box); its prompt is named here for the reader.
expect_message() {
    local prompt=$1 what=$2
    close_message_box
    echo "$what: a message box ('$prompt') was shown and closed"
}

# twinoffset: 30 degrees, 500 mm, Bereken, then Test.
twinoffset_test_click() {
    start_program twinoffset "$twinoffset"
    enter_worked_example twinoffset
    click_control cmdTest
}

case $case in
no-server)
    twinoffset_test_click
    expect_message "Geen printer beschikbaar" "twinoffset without a print server"
    ;;
refused)
    solooffset=$3
    cupsreject -r "refused by the test" "$TEST_PRINTER"
    twinoffset_test_click
    expect_message "Afdrukken mislukt" "twinoffset, printer refusing jobs"
    stop_program

    start_program solooffset "$solooffset"
    enter_worked_example solooffset
    click_control cmdPrinten
    expect_message "Afdrukken mislukt" "solooffset, printer refusing jobs"

    [ -z "$(lpstat -W all -o 2>/dev/null)" ] || fail "a job reached the print server: $(lpstat -W all -o)"
    ;;
*)
    fail "unknown case '$case'"
    ;;
esac
