#!/usr/bin/env bash
# --help and --version: a short text on standard output, nothing on standard
# error, exit status 0, and no window: the test runs with an X server asked
# for and none there, so a program that tried to open a window would fail.
#
#   commandline_test.sh <program binary> <version>
set -euo pipefail

binary=$1
version=$2
name=$(basename "$binary")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# expect <case> <text the output must hold> [env assignments...] -- <arguments...>
expect() {
    local case=$1 wanted=$2
    shift 2
    local assignments=()
    while [ "$1" != "--" ]; do
        assignments+=("$1")
        shift
    done
    shift
    local status=0
    env "${assignments[@]}" "$binary" "$@" >"$work/out" 2>"$work/err" </dev/null || status=$?
    [ "$status" -eq 0 ] || fail "$case: exit status $status ($(cat "$work/err"))"
    [ ! -s "$work/err" ] || fail "$case: wrote to standard error: $(cat "$work/err")"
    grep -qF -- "$wanted" "$work/out" || fail "$case: no '$wanted' in: $(cat "$work/out")"
    [ "$(wc -l <"$work/out")" -le 12 ] || fail "$case: more than a short text"
}

expect "--version" "$name $version" LANG=C.UTF-8 -- --version
[ "$(cat "$work/out")" = "$name $version" ] || fail "--version says more than its version"
expect "--help" "Usage: $name" LANG=C.UTF-8 -- --help
expect "--help lists --version" "--version" LANG=C.UTF-8 -- --help
expect "-h" "Usage: $name" LANG=C.UTF-8 -- -h
expect "Dutch --help" "Gebruik: $name" LANG=nl_NL.UTF-8 -- --help
expect "after Qt's options" "$name $version" LANG=C.UTF-8 -- -platform offscreen --version
expect "among other arguments" "Usage: $name" LANG=C.UTF-8 -- something --help

# Without either option the program goes on to its window, which here has no
# display to open: it says so in one line, in the user's language, and ends
# with status 1 (not as if it had answered, nor in an abort).
no_display() {
    local language=$1 wanted=$2
    local status=0
    env LANG="$language" "$binary" --something >"$work/out" 2>"$work/err" </dev/null || status=$?
    [ "$status" -eq 1 ] || fail "no display ($language): exit status $status"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "no display ($language): $(cat "$work/err")"
    grep -qF "$name: $wanted" "$work/err" || fail "no display ($language): $(cat "$work/err")"
}
no_display C.UTF-8 "no display"
no_display nl_NL.UTF-8 "geen beeldscherm"
echo "$name: --help and --version answer without a window"
