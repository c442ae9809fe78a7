#!/usr/bin/env bash
# The real twinoffset prints its report on a real print server: a
# calculation, then Test, and the private printer receives one page that
# reads as the report, with no message shown and no report file left behind.
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
TMPDIR=$report_tmp start_program "$binary" "Versleping Kestravon Concentrisch 100/150"

enter_worked_example twinoffset
click_control 4200 1560 975 495 # cmdTest

document=$(printed_document)
pages=$(pdfinfo "$document" | awk '/^Pages:/ {print $2}')
[ "$pages" = 1 ] || fail "the report came out on $pages pages"
text=$(pdftotext -layout "$document" -)
for line in "Hoek in graden: +30" "Lengte tussen de bochten in mm: +883" \
    "Lengte van de verticale versleping in mm: +1013"; do
    grep -Eq "$line" <<<"$text" || fail "the printed report lacks '$line':
$text"
done

if xdotool search --onlyvisible --name '^Let op!$' >/dev/null 2>&1; then
    fail "a message box appeared"
fi
# Qt keeps a runtime folder there too; a report would be a file.
no_file_left() { [ -z "$(find "$report_tmp" -type f)" ]; }
wait_until 10 no_file_left || fail "left behind: $(find "$report_tmp" -type f)"

echo "twinoffset: the report arrived as one page with its values and left no file behind"
