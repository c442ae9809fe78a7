#!/usr/bin/env bash
# The real solooffset on a real X server and print server: pick an angle and
# a diameter with the arrow keys, type an offset, click Bereken and read the
# results back through the clipboard; print the window and find it in the
# spool of the private print server; close it with Afsluiten.
source "$(dirname "$0")/e2e-lib.sh"

binary=$1
: "${PRINT_SPOOL:?run this inside desktop-session.sh --printer}"
work=$(mktemp -d)
finish() {
    stop_program
    rm -rf "$work"
}
on_exit finish

start_program solooffset "$binary"

# The focus starts in the angle box: Down three times picks "45", and the
# pick opens the diameter box with the diameters of 45 degrees.
press Down Down Down
expect_box 45 cmbHoek
click_control cmbDiameter
press Down # its first item, "125"
expect_box 125 cmbDiameter
click_control txtHorVersleping
type_text 500
click_control cmdBereken

expect_box 146 txtA
expect_box 96 txtB
expect_box 465 txtLengte
expect_box 792 txtHoogte
echo "solooffset: 146, 96, 465 and 792 as expected"

# Printen: the document the program sent is kept in the print server's spool.
click_control cmdPrinten
printed=$(printed_document)
pages=$(document_pages "$printed")
[ "$pages" = 1 ] || fail "the printed window has $pages pages"

# Not a blank page: count the pixels darker than light grey at 20 dpi. The
# grey page image is three header lines and then one byte per pixel.
document_image "$printed" 20 "$work/page.pgm"
header=$(head -n 3 "$work/page.pgm" | wc -c)
dark=$(tail -c +$((header + 1)) "$work/page.pgm" | od -An -v -tu1 |
    awk '{ for (i = 1; i <= NF; i++) if ($i < 200) n++ } END { print n + 0 }')
[ "$dark" -ge 200 ] || fail "the printed page is blank ($dark dark pixels)"
echo "solooffset: printed one page ($dark dark pixels at 20 dpi)"

# Afsluiten ends the program.
afsluiten_ends_program
echo "solooffset: Afsluiten ended the program"
