#!/usr/bin/env bash
# The Windows build (preset windows) under Wine, held to the native build:
#  - the core's tests, core_tests.exe, and the windows' presenters and print
#    flow, forms_tests.exe;
#  - offsetcalc.exe through the same command-line checks as the native
#    offsetcalc, and byte for byte against it where Windows could part from
#    it: arguments outside ASCII, line ends, the error stream;
#  - core_answers.exe against the native core_answers over the generated
#    clicks of the WebAssembly comparison.
# Run inside wine-session.sh, which gives the private prefix:
#
#   wine-session.sh -- windows_tests.sh <build/windows> <build/dev>
set -euo pipefail
: "${WINEPREFIX:?run this inside wine-session.sh}"

windows=$(cd "$1" && pwd)
native=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/e2e-lib.sh" # fail

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$windows/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in $windows/CMakeCache.txt"
work=$(mktemp -d)
on_exit 'rm -rf "$work"'

step() {
    echo "-- $* ($SECONDS s)"
}

step "core_tests.exe"
wine64 "$windows/tests/core_tests.exe" --gtest_brief=1 || fail "core_tests.exe failed under Wine"

step "forms_tests.exe"
# The presenters and the print flow as the Windows programs have them: the
# report's file made, written, read back and removed through Windows' calls.
wine64 "$windows/tests/forms_tests.exe" --gtest_brief=1 || fail "forms_tests.exe failed under Wine"

step "offsetcalc.exe: the command-line checks"
# The checks take one program to run.
printf '#!/bin/sh\nexec wine64 %q "$@"\n' "$windows/cli/offsetcalc.exe" >"$work/offsetcalc"
chmod +x "$work/offsetcalc"
"$here/../cli/offsetcalc_test.sh" "$work/offsetcalc" "$version"

step "offsetcalc.exe against the native offsetcalc"
# same_as_native <locale> <arguments...>: the same output, error output and
# exit status, byte for byte. Wine hands the program its arguments as the
# locale's character set reads them, so the texts outside ASCII go with a
# UTF-8 locale; the Dutch ones keep to ASCII (nl_NL need not be installed).
same_as_native() {
    local locale=$1
    shift
    local side status stream
    for side in native windows; do
        status=0
        if [ "$side" = native ]; then
            LC_ALL=$locale "$native/cli/offsetcalc" "$@" >"$work/$side.out" 2>"$work/$side.err" \
                </dev/null || status=$?
        else
            LC_ALL=$locale "$work/offsetcalc" "$@" >"$work/$side.out" 2>"$work/$side.err" \
                </dev/null || status=$?
        fi
        echo "$status" >"$work/$side.status"
    done
    for stream in out err status; do
        cmp -s "$work/native.$stream" "$work/windows.$stream" || fail "offsetcalc $*: the $stream
differs: native
$(od -c "$work/native.$stream" | head -n 8)
windows
$(od -c "$work/windows.$stream" | head -n 8)"
    done
}
same_as_native C.UTF-8 lengths --system concentric --angle 30 --offset 500
same_as_native C.UTF-8 lengths --system concentric --angle 30 --offset 500 --format csv
same_as_native C.UTF-8 plan --system singlewall --diameter 125 --offset 700 --format json
same_as_native C.UTF-8 chart --system concentric --angle 87 --format csv
same_as_native C.UTF-8 lengths --system concentric --angle 30 --hoekë 30
same_as_native C.UTF-8 berekenø --system concentric
same_as_native C.UTF-8 lengths --system concentric --angle ٣٠ --offset 500
same_as_native C.UTF-8 lengths --system concentric --angle 30 --offset ５００
same_as_native C.UTF-8 offsets --system concentric --angle 30 --sections 1,0,½
same_as_native C.UTF-8 lengths --system=singlewall --angle=45 --diameter=125 --offset=$'500\xc2\xa0'
same_as_native nl_NL.UTF-8 --help
same_as_native nl_NL.UTF-8 lengths --system concentric --angle 30 --offset 500,5

step "core_answers.exe against the native core_answers"
command -v node >/dev/null || fail "node is missing: core_answers.exe cannot be compared"
node "$here/../differential/core_differential.mjs" "$native/tests/core_answers" \
    wine64 "$windows/tests/core_answers.exe"
step "done"
