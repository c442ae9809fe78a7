#!/usr/bin/env bash
# The real twinoffset prints its report on a real print server: a
# calculation, then Test, and one page arrives at the PDF printer, with no
# message shown and no report file left behind. Run by
# desktop-session.sh --printer, which makes the PDF printer the default.
source "$(dirname "$0")/e2e-lib.sh"

binary=$1
[ -n "${PDF_OUTPUT_DIR:-}" ] || fail "no PDF printer: run under desktop-session.sh --printer"

# The program gets a temporary folder of its own, so that a report file it
# leaves behind shows.
report_tmp=$(mktemp -d)
earlier=$(mktemp)
pdf=""
cleanup() {
    stop_program
    rm -rf "$report_tmp" "$earlier"
    [ -z "$pdf" ] || rm -f "$pdf"
}
trap cleanup EXIT
mkdir -p "$PDF_OUTPUT_DIR"
ls -1 "$PDF_OUTPUT_DIR" | sort >"$earlier"
TMPDIR=$report_tmp start_program "$binary" "Versleping Kestravon Concentrisch 100/150"

press Down Down # cmbHoek: "30"
click_control 1680 840 1455 375 # txtHorVersleping
type_text 500
click_control 1680 1560 1575 495 # cmdBereken
expect_box 1013 4320 3720 1335 375 # txtHoogte
click_control 4200 1560 975 495 # cmdTest

new_pdf_complete() {
    local name
    name=$(ls -1 "$PDF_OUTPUT_DIR" | sort | comm -13 "$earlier" - | grep '\.pdf$' | head -n 1)
    [ -n "$name" ] || return 1
    pdf="$PDF_OUTPUT_DIR/$name"
    # The printer writes the file in pieces; it is done when it reads whole.
    pdfinfo "$pdf" >/dev/null 2>&1
}
wait_until 60 new_pdf_complete || fail "no PDF arrived in $PDF_OUTPUT_DIR"
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
[ "$pages" = 1 ] || fail "the report came out on $pages pages"

if xdotool search --onlyvisible --name '^Let op!$' >/dev/null 2>&1; then
    fail "a message box appeared"
fi
# Qt keeps a runtime folder there too; a report would be a file.
no_file_left() { [ -z "$(find "$report_tmp" -type f)" ]; }
wait_until 10 no_file_left || fail "left behind: $(find "$report_tmp" -type f)"

echo "twinoffset: the report arrived as one page in $pdf and left no file behind"
