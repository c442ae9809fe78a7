#!/usr/bin/env bash
# The real twinoffset on a real X server: pick an angle with the arrow keys,
# type an offset, click Bereken, read the results back through the clipboard.
source "$(dirname "$0")/e2e-lib.sh"

binary=$1
on_exit stop_program
start_program "$binary" "Versleping Kestravon Concentrisch 100/150"

# The focus starts in the angle box: Down twice picks "30".
press Down Down
click_control 1680 840 1455 375 # txtHorVersleping
type_text 500
click_control 1680 1560 1575 495 # cmdBereken

expect_box 76 840 3120 1455 375    # txtA
expect_box 41 840 3720 1455 375    # txtB
expect_box 883 4320 3120 1335 375  # txtLengte
expect_box 1013 4320 3720 1335 375 # txtHoogte
echo "twinoffset: 76, 41, 883 and 1013 as expected"
