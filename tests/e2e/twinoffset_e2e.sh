#!/usr/bin/env bash
# The real twinoffset on a real X server: pick an angle with the arrow keys,
# type an offset, click Bereken, read the results back through the clipboard.
source "$(dirname "$0")/e2e-lib.sh"

binary=$1
on_exit stop_program
start_program twinoffset "$binary"

# The focus starts in the angle box: Down twice picks "30".
press Down Down
click_control txtHorVersleping
type_text 500
click_control cmdBereken

expect_box 76 txtA
expect_box 41 txtB
expect_box 883 txtLengte
expect_box 1013 txtHoogte
echo "twinoffset: 76, 41, 883 and 1013 as expected"
