#!/usr/bin/env bash
# The real twinoffset prints its report on a real print server: a
# calculation, then Test, and the private printer receives one page that
# reads as the report, with no message shown and no report file left behind.
# Once the offset is changed, the results on screen belong to the old one:
# Test then asks for Bereken first and sends nothing, and after Bereken it
# prints the new results.
# Run by desktop-session.sh --printer.
source "$(dirname "$0")/e2e-lib.sh"

binary=$1
[ -n "${PRINT_SPOOL:-}" ] || fail "no printer: run under desktop-session.sh --printer"

# The program gets a temporary folder of its own, so that a report file it
# leaves behind shows.
report_tmp=$(mktemp -d)
cleanup() {
    stop_program
    rm -rf "$report_tmp"
}
on_exit cleanup
TMPDIR=$report_tmp start_program twinoffset "$binary"

# The report as the page reads for the given angle, offset, A, B, length
# and height: each line without the blanks around it, and no empty lines,
# which is how a PDF (Qt) and a PostScript page (Wine) give it back alike.
# The values stand in one column.
report() {
    cat <<REPORT
Kestravon Versleping Concentrisch systeem
------------------------------------------------------
Hoek in graden:                              $1
Lengte horizontale- versleping in mm:        $2
A:                                           $3
B:                                           $4
Lengte tussen de bochten in mm:              $5
Lengte van de verticale versleping in mm:    $6
######################################################
Aan deze waarden kunnen geen rechten worden ontleent
######################################################
REPORT
}

# Waits for the given job's document and checks that it is one page that
# reads as the expected report, that no message box appeared and that no
# report file was left behind.
# Usage: check_report <job number> <expected report>
check_report() {
    local job=$1 expected=$2 document pages text
    document=$(printed_document "$job")
    pages=$(document_pages "$document")
    [ "$pages" = 1 ] || fail "report $job came out on $pages pages"
    text=$(document_text "$document" | tr -d '\r\f' | sed 's/^ *//; s/ *$//' | grep -v '^$' || true)
    [ "$text" = "$expected" ] || fail "printed report $job reads
$text
instead of
$expected"

    if message_box_shown; then
        fail "a message box appeared with report $job"
    fi
    # Qt keeps a runtime folder there too; a report would be a file.
    no_file_left() { [ -z "$(find "$report_tmp" -type f)" ]; }
    wait_until 10 no_file_left || fail "left behind: $(find "$report_tmp" -type f)"
}

enter_worked_example twinoffset
click_control cmdTest
check_report 1 "$(report 30 500 76 41 883 1013)"
echo "twinoffset: the report arrived as one page that reads as expected and left no file behind"

# A new offset over the one calculated: 883 and 1013 still show, but they
# are not its results.
click_control txtHorVersleping
press Home shift+End
type_text 1200
expect_box 1200 txtHorVersleping
click_control cmdTest
# The box's title is all that can be read from outside (see
# close_message_box); its prompt is "Druk eerst op Bereken".
answered() { message_box_shown || [ "$(jobs_received)" -gt 1 ]; }
wait_until 30 answered || fail "Test after a new offset neither printed nor showed a message"
[ "$(jobs_received)" -eq 1 ] || fail "Test printed results that belong to the old offset"
close_message_box
[ "$(jobs_received)" -eq 1 ] || fail "Test printed results that belong to the old offset"
echo "twinoffset: Test after a new offset asked for Bereken and printed nothing"

click_control cmdBereken
expect_box 2283 txtLengte
expect_box 2225 txtHoogte
click_control cmdTest
check_report 2 "$(report 30 1200 76 41 2283 2225)"
[ "$(jobs_received)" -eq 2 ] || fail "the print server got $(jobs_received) jobs, not 2"
echo "twinoffset: after Bereken, Test printed the new results"
