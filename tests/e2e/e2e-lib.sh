# Helpers for driving a real window with xdotool as a person would. Sourced
# by the end-to-end tests, which run inside desktop-session.sh.

set -euo pipefail

# Polls until the command succeeds or the seconds run out.
wait_until() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            return 1
        fi
        sleep 0.02
    done
}

# Runs the given command when the script ends, however it ends: normally, by
# a failure, or interrupted or terminated (which end the script first).
on_exit() {
    trap "$1" EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

# Stops a process this script started, by the id it got at start: asks it
# to end, and ends it after ten seconds if it has not. An empty id is none.
stop_process() {
    local pid=$1
    [ -n "$pid" ] || return 0
    kill "$pid" 2>/dev/null || return 0
    process_gone() {
        case $(ps -o stat= -p "$pid" 2>/dev/null) in
        "" | Z*) return 0 ;;
        *) return 1 ;;
        esac
    }
    wait_until 10 process_gone || kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts a program and prints the id of its visible window once it is mapped.
# Usage: start_program <binary> <exact window title>; sets PROGRAM_PID, WINDOW.
start_program() {
    local binary=$1 title=$2
    "$binary" >"${E2E_LOG:-/dev/null}" 2>&1 &
    PROGRAM_PID=$!
    WINDOW=""
    find_window() {
        WINDOW=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1)
        [ -n "$WINDOW" ]
    }
    wait_until 30 find_window || fail "the window '$title' did not appear"
}

stop_program() {
    stop_process "${PROGRAM_PID:-}"
    PROGRAM_PID=""
}

# Clicks at a point given in twips from the top-left of the client area.
click_at() {
    xdotool mousemove --window "$WINDOW" $(($1 / 15)) $(($2 / 15)) click 1
}

# Clicks in the middle of a control given as left top width height, in twips.
click_control() {
    click_at $(($1 + $3 / 2)) $(($2 + $4 / 2))
}

type_text() {
    xdotool type --delay 15 "$1"
}

press() {
    xdotool key "$@"
}

# The text of a box, read as a person would: select all and copy.
read_box() {
    click_control "$@"
    press ctrl+a ctrl+c
    xclip -o -selection clipboard 2>/dev/null
}

# Waits until a box shows the expected text.
expect_box() {
    local expected=$1
    shift
    local actual=""
    box_is() {
        actual=$(read_box "$@")
        [ "$actual" = "$expected" ]
    }
    wait_until 10 box_is "$@" || fail "expected '$expected', the box shows '$actual'"
}

# The worked example of a window, entered as a person would from the focus
# the window starts with; waits until its height (txtHoogte) shows.
#   twinoffset: 30 degrees and 500 mm give 1013.
#   solooffset: 45 degrees, diameter 125 and 500 mm give 792.
enter_worked_example() {
    case $1 in
    twinoffset)
        press Down Down                    # cmbHoek: "30"
        click_control 1680 840 1455 375    # txtHorVersleping
        type_text 500
        click_control 1680 1560 1575 495   # cmdBereken
        expect_box 1013 4320 3720 1335 375 # txtHoogte
        ;;
    solooffset)
        press Down Down Down              # cmbHoek: "45"
        click_control 1680 840 1455 315   # cmbDiameter
        press Down                        # "125"
        click_control 1680 1440 1455 375  # txtHorVersleping
        type_text 500
        click_control 1560 2160 1575 495  # cmdBereken
        expect_box 792 4320 3720 1335 375 # txtHoogte
        ;;
    *) fail "no worked example for '$1'" ;;
    esac
}

# Clicks solooffset's Afsluiten and checks that the program ends, with
# status 0.
afsluiten_ends_program() {
    program_ended() {
        case $(ps -o stat= -p "$PROGRAM_PID" 2>/dev/null) in
        "" | Z*) return 0 ;;
        *) return 1 ;;
        esac
    }
    click_control 9480 7080 975 495 # cmdAfsluiten
    wait_until 10 program_ended || fail "the program still runs after Afsluiten"
    local status=0
    wait "$PROGRAM_PID" || status=$?
    PROGRAM_PID=""
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# Waits for a message box titled "Let op!" and closes it with Enter. Only
# its title can be read from outside: a message box copies its text on
# Ctrl+C on Windows alone, and its label cannot be selected. The window
# tests check each prompt's words.
close_message_box() {
    local box=""
    find_box() {
        box=$(xdotool search --onlyvisible --name '^Let op!$' 2>/dev/null | head -n 1)
        [ -n "$box" ]
    }
    wait_until 30 find_box || fail "no message box titled 'Let op!' appeared"
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    xdotool key Return
    gone() { ! xdotool search --onlyvisible --name '^Let op!$' >/dev/null 2>&1; }
    wait_until 10 gone || fail "the message box did not close"
}

# Waits until the private print server has finished a job and prints the
# path of the newest document in its spool.
printed_document() {
    local document=""
    job_done() {
        [ -n "$(lpstat -W completed -o 2>/dev/null)" ] || return 1
        document=$(ls -1t "$PRINT_SPOOL"/d*-001 2>/dev/null | head -n 1)
        [ -n "$document" ]
    }
    wait_until 60 job_done || fail "no job was completed by the print server"
    echo "$document"
}
