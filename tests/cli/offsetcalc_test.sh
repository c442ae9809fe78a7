#!/usr/bin/env bash
# offsetcalc as a script would use it: each command in each format gives the
# windows' figures on standard output and nothing on standard error; every
# refusal is one line on standard error, in the user's language, with exit
# status 2 and nothing on standard output.
#
#   offsetcalc_test.sh <offsetcalc binary> <version>
set -euo pipefail

binary=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# answers <case> <expected output> <arguments...>: exactly that output.
answers() {
    local case=$1 wanted=$2
    shift 2
    local status=0
    LANG=C.UTF-8 "$binary" "$@" >"$work/out" 2>"$work/err" </dev/null || status=$?
    [ "$status" -eq 0 ] || fail "$case: exit status $status ($(cat "$work/err"))"
    [ ! -s "$work/err" ] || fail "$case: wrote to standard error: $(cat "$work/err")"
    [ "$(cat "$work/out")" = "$wanted" ] || fail "$case: got
$(cat "$work/out")"
}

# refuses <case> <language> <line on standard error> <arguments...>
refuses() {
    local case=$1 language=$2 wanted=$3
    shift 3
    local status=0
    LANG=$language "$binary" "$@" >"$work/out" 2>"$work/err" </dev/null || status=$?
    [ "$status" -eq 2 ] || fail "$case: exit status $status"
    [ ! -s "$work/out" ] || fail "$case: wrote to standard output: $(cat "$work/out")"
    [ "$(cat "$work/err")" = "offsetcalc: $wanted" ] || fail "$case: said $(cat "$work/err")"
}

answers "lengths as text" "A   B   length between the bends  vertical offset
76  41  883                       1013" lengths --system concentric --angle 30 --offset 500
answers "lengths as csv, the marker kept" $'a,b,length,vertical\r\n76,41,e,e\r' \
    lengths --system concentric --angle 30 --offset 58 --format csv
answers "single-wall lengths as json" '[
  {"a": "146", "b": "96", "length": "465", "vertical": "792"}
]' lengths --system=singlewall --angle=45 --diameter=125 --offset=500 --format=json
answers "offsets with a fraction read with a point" $'horizontal,vertical\r\n769,1480\r' \
    offsets --system concentric --angle 30 --sections 1.5,0,0 --format csv
answers "single-wall offsets" "horizontal offset  vertical offset
981                1273" offsets --system singlewall --angle 45 --diameter 125 --sections 1,0,1

LANG=C.UTF-8 "$binary" plan --system concentric --offset 900 --format csv >"$work/plan"
grep -qx '43,75,41,1204,1111,0,0,6,902,+2,1113,\*.' "$work/plan" ||
    fail "plan: no marked 43 degree row in $(cat "$work/plan")"
[ "$(grep -c '^87,' "$work/plan")" -eq 5 ] || fail "plan: not five rows at 87 degrees"
LANG=C.UTF-8 "$binary" plan --system singlewall --diameter 125 --offset 700 --format json \
    >"$work/plan.json"
grep -qF '"angle": "45", "a": "146", "b": "96", "length": "748", "vertical": "992", "n1000": "0", "n500": "0", "n250": "4", "horizontal": "731", "difference": "+31"' \
    "$work/plan.json" || fail "single-wall plan: $(head -c 400 "$work/plan.json")"
answers "chart within a total" "1000  500  250  horizontal  vertical
0     0    0    242         285
0     0    1    442         295
0     0    2    643         306
0     1    0    691         308" chart --system concentric --angle 87 --total 500

refuses "the core's problem in English" C.UTF-8 "Enter an offset" \
    lengths --system concentric --angle 30
refuses "the core's problem in Dutch" nl_NL.UTF-8 "Versleping is geen geldig getal" \
    lengths --system concentric --angle 30 --offset 500,5
refuses "no bend" C.UTF-8 "No bend dimensions for this angle and diameter" \
    offsets --system singlewall --angle 15 --diameter 300 --sections 1,0,0
refuses "a count no number" C.UTF-8 "A number of sections is not a valid number" \
    offsets --system concentric --angle 30 --sections 1,x,0
refuses "two counts" C.UTF-8 "--sections takes three counts: N1000,N500,N250" \
    offsets --system concentric --angle 30 --sections 1,0
refuses "no system" nl_NL.UTF-8 "--system moet concentric of singlewall zijn" \
    plan --offset 900
refuses "unknown format" C.UTF-8 "--format must be text, csv or json" \
    plan --system concentric --offset 900 --format xml
refuses "unknown option" C.UTF-8 "unknown option --hoek" lengths --hoek 30
refuses "option without value" C.UTF-8 "--offset needs a value" lengths --offset
refuses "unknown command" C.UTF-8 "unknown command 'bereken' (see --help)" \
    bereken --system concentric
refuses "total no number" C.UTF-8 "The total length is not a valid number" \
    chart --system concentric --angle 30 --total lang

LANG=C.UTF-8 "$binary" --help | grep -qF "'.' as the decimal separator" || fail "--help"
LANG=nl_NL.UTF-8 "$binary" --help | grep -qF "Gebruik: offsetcalc" || fail "Dutch --help"
[ "$("$binary" --version)" = "offsetcalc $version" ] || fail "--version"
echo "offsetcalc: every command, format and refusal as expected"
