#!/usr/bin/env bash
# A small laptop screen: 1366 x 768 at a scale of 1.5 leaves 910 x 512 for a
# window of 750 x 627. The window must fit the screen (and scroll), where at
# full size it would run 176 pixels below it. Run by desktop-session.sh with
# DESKTOP_SCREEN=1366x768x24 and QT_SCALE_FACTOR=1.5 (E2E_DPI=144 for the
# Windows programs).
source "$(dirname "$0")/e2e-lib.sh"

binary=$1
on_exit stop_program

read -r screen_w screen_h < <(xdpyinfo | sed -n 's/^ *dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p')
[ "$screen_w" = 1366 ] && [ "$screen_h" = 768 ] || fail "the screen is ${screen_w}x${screen_h}"
if [ "$E2E_FACE" = win32 ]; then
    [ "$E2E_DPI" = 144 ] || fail "E2E_DPI is $E2E_DPI"
else
    [ "${QT_SCALE_FACTOR:-}" = 1.5 ] || fail "QT_SCALE_FACTOR is '${QT_SCALE_FACTOR:-}'"
fi

start_program twinoffset "$binary"
window_geometry
echo "window at ${X},${Y}, ${WIDTH}x${HEIGHT} on a ${screen_w}x${screen_h} screen"
[ "$X" -ge 0 ] && [ "$Y" -ge 0 ] || fail "the window starts off the screen"
[ $((X + WIDTH)) -le "$screen_w" ] || fail "the window runs off the right of the screen"
[ $((Y + HEIGHT)) -le "$screen_h" ] || fail "the window runs off the bottom of the screen"
# At full size it would be 1125 x 940 pixels: it did shrink, and kept its width.
[ "$HEIGHT" -lt 940 ] || fail "the window kept its full height"
[ "$WIDTH" -ge 1125 ] || fail "the window lost width it had room for"

echo "twinoffset fits a 1366x768 screen at 150 %"
