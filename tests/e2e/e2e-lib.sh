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
    if [ -n "${PROGRAM_PID:-}" ] && kill -0 "$PROGRAM_PID" 2>/dev/null; then
        kill "$PROGRAM_PID" 2>/dev/null || true
        wait "$PROGRAM_PID" 2>/dev/null || true
    fi
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
