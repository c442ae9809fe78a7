#!/usr/bin/env bash
# The end-to-end scripts of tests/e2e, the very ones that drive the Linux
# programs, driving the Windows programs under Wine (E2E_FACE=win32): each
# script in a desktop-session.sh of its own, as ctest runs them for the
# Linux programs, all in the one Wine prefix of the session. Everything at
# 96 dpi; the scripts where the scale matters again at 144 dpi (150 %).
# Every script runs; the run fails if one did.
#
#   wine-session.sh -- e2e-run.sh <forms.sh> <twinoffset.exe> <solooffset.exe>
set -euo pipefail
: "${WINEPREFIX:?run this inside wine-session.sh}"

here=$(cd "$(dirname "$0")" && pwd)
e2e=$here/../e2e
source "$e2e/e2e-lib.sh" # fail, on_exit
forms=$1
twinoffset=$2
solooffset=$3

# The build's control places and each window's client size.
export OFFSET_FORMS=$forms E2E_FACE=win32

failed=()
# Usage: run <dpi> [desktop-session.sh options] -- <script> <arguments...>
run() {
    local dpi=$1 what="" argument script=0
    shift
    for argument; do
        [ "$script" -eq 0 ] || what+="${argument##*/} "
        [ "$argument" != -- ] || script=1
    done
    what+="at $dpi dpi"
    echo "-- $what ($SECONDS s)"
    # The limit ctest gives each of them, and a little for Wine's starts.
    if ! E2E_DPI=$dpi timeout --kill-after=10 180 "$e2e/desktop-session.sh" "$@"; then
        failed+=("$what")
    fi
}

run 96 -- "$e2e/twinoffset_e2e.sh" "$twinoffset"
run 96 --printer -- "$e2e/solooffset_e2e.sh" "$solooffset"
run 96 --printer -- "$e2e/twinoffset_report_e2e.sh" "$twinoffset"
run 96 -- "$e2e/print_failures_e2e.sh" no-server "$twinoffset"
run 96 --printer -- "$e2e/print_failures_e2e.sh" refused "$twinoffset" "$solooffset"
# Wine asks for the printers at every start: the print server that never
# answers begins as the private one (see start_against_silent_print_server).
run 96 --printer -- "$e2e/print_no_answer_e2e.sh" twinoffset "$twinoffset"
run 96 --printer -- "$e2e/print_no_answer_e2e.sh" solooffset "$solooffset"
run 96 --printer -- "$e2e/print_close_e2e.sh" twinoffset "$twinoffset" close
run 96 --printer -- "$e2e/print_close_e2e.sh" solooffset "$solooffset" close
run 96 --printer -- "$e2e/print_close_e2e.sh" solooffset "$solooffset" afsluiten

run 144 -- "$e2e/twinoffset_e2e.sh" "$twinoffset"
run 144 --printer -- "$e2e/solooffset_e2e.sh" "$solooffset"
DESKTOP_SCREEN=1366x768x24 run 144 -- "$e2e/smallscreen_e2e.sh" "$twinoffset"

echo "-- done ($SECONDS s)"
if [ "${#failed[@]}" -gt 0 ]; then
    printf 'FAIL: %s\n' "${failed[@]}" >&2
    exit 1
fi
