#!/usr/bin/env bash
# Printing with little address space (ulimit -v), on a private print server
# (desktop-session.sh --printer). For each limit the real program starts
# under it, calculates its worked example and prints. Each print either
# reaches the print server or ends in a message within 15 seconds; the
# message must come before the print's answer limit of ten seconds, so that
# "Printer reageert niet" cannot pass for "Afdrukken mislukt" (the window
# tests check the words). Then the program closes with status 0 (twinoffset
# through its window's close button, solooffset with Afsluiten) and leaves
# nothing in its temporary folder. One line per limit, and a failure at the
# end when any limit failed.
#
#   print_low_memory_e2e.sh twinoffset|solooffset <binary> [limit in KiB...]
#
# Without limits it takes a handful across the range, for CI; the full sweep
# is run by hand:
#   desktop-session.sh --printer -- print_low_memory_e2e.sh solooffset \
#       build/release/solooffset/solooffset $(seq 100000 25000 600000)
# A program built with AddressSanitizer reserves terabytes of address space
# at start and cannot run under any such limit: then the test is skipped
# (status 77).
source "$(dirname "$0")/e2e-lib.sh"

program=$1
binary=$2
shift 2
limits=("$@")
[ "${#limits[@]}" -gt 0 ] || limits=(110000 150000 275000 350000 600000)
: "${PRINT_SPOOL:?run this inside desktop-session.sh --printer}"
print_button=${print_buttons[$program]:-}
[ -n "$print_button" ] || fail "unknown program $program"
case $(ldd "$binary" 2>/dev/null) in
*libasan*)
    echo "skipped: $binary is built with AddressSanitizer, which cannot run under ulimit -v"
    exit 77
    ;;
esac

work=$(mktemp -d)
finish() {
    stop_program
    rm -rf "$work"
}
on_exit finish

failures=0
# Runs the program under one limit; prints its line and returns 1 when the
# limit failed. In a subshell, so that a failing step ends only this limit.
run_under() (
    local limit=$1 tmp=$work/tmp-$1 log=$work/log-$1
    mkdir "$tmp"
    cat >"$work/limited" <<EOF
#!/usr/bin/env bash
ulimit -v $limit
exec "$binary"
EOF
    chmod +x "$work/limited"
    fail() {
        echo "$program under $limit KiB: FAIL: $*"
        sed 's/^/    /' "$log" | tail -n 5
        stop_program
        exit 1
    }
    jobs_before=$(jobs_received)
    TMPDIR=$tmp E2E_LOG=$log start_program "$program" "$work/limited"
    enter_worked_example "$program"

    local started=$SECONDS outcome=""
    answered() {
        if [ "$(jobs_received)" -gt "$jobs_before" ]; then
            outcome=printed
        elif message_box_shown; then
            outcome=message
        elif program_ended; then
            outcome=ended
        fi
        [ -n "$outcome" ]
    }
    click_control "$print_button"
    wait_until 15 answered || fail "neither printed nor showed a message within 15 seconds"
    local took=$((SECONDS - started))
    [ "$outcome" != ended ] || fail "the program ended while it printed"
    if [ "$outcome" = message ]; then
        [ "$took" -lt 9 ] || fail "the message came after $took seconds: the print system was left waiting"
        close_message_box
    fi

    if [ "$program" = solooffset ]; then
        click_control cmdAfsluiten
    else
        request_close
    fi
    expect_program_end 10
    local left
    left=$(find "$tmp" -type f)
    [ -z "$left" ] || fail "left behind in the temporary folder: $left"
    echo "$program under $limit KiB: $outcome after $took s, closed with status 0, nothing left"
)

for limit in "${limits[@]}"; do
    run_under "$limit" || failures=$((failures + 1))
done
[ "$failures" -eq 0 ] || fail "$failures of ${#limits[@]} limits failed"
