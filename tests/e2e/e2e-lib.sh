# Helpers for driving a real window with xdotool as a person would. Sourced
# by the end-to-end tests, which run inside desktop-session.sh.
#
# The same scripts drive either face of the programs, as E2E_FACE says:
#   qt     the Linux programs (the default);
#   win32  the Windows programs, run by Wine inside tests/wine/wine-session.sh
#          (tests/wine/e2e-run.sh runs them), at E2E_DPI dots per inch
#          (default 96).

set -euo pipefail

E2E_FACE=${E2E_FACE:-qt}
E2E_DPI=${E2E_DPI:-96}
# The session's TMPDIR, where Debian's Wine keeps the socket of its server:
# every Wine command runs with it, and a Windows program given a temporary
# folder of its own gets that as its TEMP instead (see prepare_wine).
e2e_tmpdir=${TMPDIR:-/tmp}

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

# Each window's title, and each control's left top width height in twips
# from the top-left of its client area, as the build writes them from the
# windows' control tables (window_titles, twinoffset_controls,
# solooffset_controls): the clicks land where every face draws the control.
# A script that starts no window needs none of it.
if [ -n "${OFFSET_FORMS:-}" ]; then
    # shellcheck source=/dev/null
    source "$OFFSET_FORMS"
fi

# Starts a program and waits until its window is mapped; the controls named
# from then on are that window's.
# Usage: start_program twinoffset|solooffset <binary>; sets PROGRAM,
# PROGRAM_PID and WINDOW.
start_program() {
    local program=$1 binary=$2
    [ -n "${OFFSET_FORMS:-}" ] || fail "OFFSET_FORMS must name the build's forms/forms.sh"
    local title=${window_titles[$program]:-}
    [ -n "$title" ] || fail "no window known for '$program'"
    PROGRAM=$program
    if [ "$E2E_FACE" = win32 ]; then
        prepare_wine "${TMPDIR:-$e2e_tmpdir}"
        TMPDIR=$e2e_tmpdir wine "$binary" >"${E2E_LOG:-/dev/null}" 2>&1 &
    else
        "$binary" >"${E2E_LOG:-/dev/null}" 2>&1 &
    fi
    PROGRAM_PID=$!
    WINDOW=""
    find_window() {
        WINDOW=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1)
        [ -n "$WINDOW" ] || program_ended
    }
    wait_until 30 find_window || fail "the window '$title' did not appear"
    [ -n "$WINDOW" ] || fail "the program ended before its window appeared"
    find_client_area
}

# Wine's settings for the program about to start, in the session's prefix:
# a desktop of its own as large as the X screen (only there does a Wine
# window get the keyboard), the DPI, fonts in place of those Windows has and
# Wine lacks (metric-compatible: the captions take the room they take on
# Windows), and the given folder as the program's TEMP. A registry file is
# the one start of Wine that sets them all.
prepare_wine() {
    local temp=$1 screen settings
    screen=$(xdpyinfo | sed -n 's/^ *dimensions: *\([0-9]*x[0-9]*\) pixels.*/\1/p')
    # A Windows path of a Unix one, and the same escaped for a registry file.
    windows_path() { echo "Z:${1//\//\\}"; }
    escaped() { echo "${1//\\/\\\\}"; }
    settings=$(mktemp "$e2e_tmpdir/wine-XXXXXX.reg")
    # A desktop per script: a desktop outlives its last program by a few
    # seconds, and a program must not join one left on another X server.
    cat >"$settings" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="e2e-$$"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"e2e-$$"="$screen"

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"LogPixels"=dword:$(printf '%08x' "$E2E_DPI")

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
"Arial"="Liberation Sans"

[HKEY_CURRENT_USER\\Environment]
"TEMP"="$(escaped "$(windows_path "$temp")")"
"TMP"="$(escaped "$(windows_path "$temp")")"
REG
    TMPDIR=$e2e_tmpdir wine reg import "$(windows_path "$settings")" >/dev/null 2>&1 ||
        fail "Wine took no settings"
    rm -f "$settings"
}

stop_program() {
    stop_process "${PROGRAM_PID:-}"
    PROGRAM_PID=""
}

# The window's place on the screen and its size, frame and all: sets X, Y,
# WIDTH and HEIGHT. (xdotool counts a window inside Wine's desktop window
# twice from the screen's corner.)
window_geometry() {
    read -r X Y WIDTH HEIGHT < <(xwininfo -id "$WINDOW" | awk '
        /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
        $1 == "Width:" { w = $2 } $1 == "Height:" { h = $2 } END { print x, y, w, h }')
}

# Pixels of twips at E2E_DPI, rounded as Windows' MulDiv rounds them.
pixels() {
    echo $((($1 * E2E_DPI + 720) / 1440))
}

# Where the client area starts inside the window's X window, in pixels: a
# Qt window is its client area; Wine draws the frame of a Windows program
# inside its X window, as wide to the left, right and bottom, and with the
# title bar on top. Sets CLIENT_LEFT and CLIENT_TOP.
find_client_area() {
    CLIENT_LEFT=0
    CLIENT_TOP=0
    [ "$E2E_FACE" = win32 ] || return 0
    local size
    size=${window_client_sizes[$PROGRAM]:-}
    [ -n "$size" ] || fail "OFFSET_FORMS gives no client size of $PROGRAM's window"
    read -r -a size <<<"$size"
    local X Y WIDTH HEIGHT
    window_geometry
    CLIENT_LEFT=$(((WIDTH - $(pixels "${size[0]}")) / 2))
    CLIENT_TOP=$((HEIGHT - $(pixels "${size[1]}") - CLIENT_LEFT))
}

# Clicks at a point given in twips from the top-left of the client area.
click_at() {
    xdotool mousemove --window "$WINDOW" $((CLIENT_LEFT + $(pixels "$1"))) \
        $((CLIENT_TOP + $(pixels "$2"))) click 1
}

# Sets CONTROL to the named control's left top width height. A name the
# window lacks ends the test: it is a fault in the test, not in the window.
find_control() {
    local -n controls=${PROGRAM:?no program started}_controls
    [ -n "${controls[$1]:-}" ] || fail "$PROGRAM's window has no control '$1'"
    read -r -a CONTROL <<<"${controls[$1]}"
}

# Clicks in the middle of the named control.
click_control() {
    find_control "$1"
    click_at $((CONTROL[0] + CONTROL[2] / 2)) $((CONTROL[1] + CONTROL[3] / 2))
}

type_text() {
    xdotool type --delay 15 "$1"
}

press() {
    xdotool key "$@"
}

# The text of the named box, read as a person would: select it all and
# copy. (A Windows box under Wine knows no Ctrl+A.)
read_box() {
    click_control "$1"
    press Home shift+End ctrl+c
    xclip -o -selection clipboard 2>/dev/null
}

# Waits until the named box shows the expected text.
expect_box() {
    local expected=$1 name=$2
    # Looked up here as well: inside the wait a wrong name would only be
    # told as a box that never shows the text.
    find_control "$name"
    local actual=""
    box_is() {
        actual=$(read_box "$name")
        [ "$actual" = "$expected" ]
    }
    wait_until 10 box_is || fail "expected '$expected', $name shows '$actual'"
}

# The worked example of a window, entered as a person would from the focus
# the window starts with; waits until its height (txtHoogte) shows.
#   twinoffset: 30 degrees and 500 mm give 1013.
#   solooffset: 45 degrees, diameter 125 and 500 mm give 792.
enter_worked_example() {
    case $1 in
    twinoffset)
        press Down Down # cmbHoek: "30"
        click_control txtHorVersleping
        type_text 500
        click_control cmdBereken
        expect_box 1013 txtHoogte
        ;;
    solooffset)
        press Down Down Down # cmbHoek: "45"
        click_control cmbDiameter
        press Down # "125"
        click_control txtHorVersleping
        type_text 500
        click_control cmdBereken
        expect_box 792 txtHoogte
        ;;
    *) fail "no worked example for '$1'" ;;
    esac
}

program_ended() {
    case $(ps -o stat= -p "$PROGRAM_PID" 2>/dev/null) in
    "" | Z*) return 0 ;;
    *) return 1 ;;
    esac
}

# Waits up to the given seconds for the program to end by itself and checks
# that it ended with status 0.
expect_program_end() {
    local seconds=$1 status=0
    wait_until "$seconds" program_ended || fail "the program still runs after $seconds seconds"
    wait "$PROGRAM_PID" || status=$?
    PROGRAM_PID=""
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# Clicks solooffset's Afsluiten and checks that the program ends, with
# status 0.
afsluiten_ends_program() {
    click_control cmdAfsluiten
    expect_program_end 10
}

message_box_shown() {
    xdotool search --onlyvisible --name '^Let op!$' >/dev/null 2>&1
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
    gone() { ! message_box_shown; }
    wait_until 10 gone || fail "the message box did not close"
}

# How many jobs the private print server has been sent, finished or not.
jobs_received() {
    lpstat -W all -o 2>/dev/null | wc -l
}

# Waits until the private print server has finished the given number of
# jobs (one unless told) and prints the path of the newest document in its
# spool: the highest job number, as two jobs may share a time stamp.
printed_document() {
    local jobs=${1:-1} document=""
    job_done() {
        [ "$(lpstat -W completed -o 2>/dev/null | wc -l)" -ge "$jobs" ] || return 1
        document=$(ls -1 "$PRINT_SPOOL"/d*-001 2>/dev/null | tail -n 1)
        [ -n "$document" ]
    }
    wait_until 60 job_done || fail "the print server did not complete $jobs job(s)"
    echo "$document"
}

# What a printed document holds, read alike from the PDF a Qt program sends
# and the PostScript of Wine's printer driver.
document_type() {
    case $(head -c 4 "$1") in
    %PDF) echo pdf ;;
    %!PS) echo postscript ;;
    *) fail "$1 is neither PDF nor PostScript" ;;
    esac
}

# How many pages the document has.
document_pages() {
    if [ "$(document_type "$1")" = pdf ]; then
        pdfinfo "$1" | awk '/^Pages:/ { print $2 }'
    else
        # The bounding box device tells one box per page.
        gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=bbox "$1" 2>&1 | grep -c '^%%BoundingBox:'
    fi
}

# The document's text, laid out in its columns.
document_text() {
    if [ "$(document_type "$1")" = pdf ]; then
        pdftotext -layout "$1" -
    else
        gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=txtwrite -sOutputFile=- "$1"
    fi
}

# The first page as a grey image (PGM, one byte a pixel) at the given dots
# per inch.
# Usage: document_image <document> <dpi> <image file>
document_image() {
    if [ "$(document_type "$1")" = pdf ]; then
        pdftoppm -r "$2" -gray -singlefile "$1" "${3%.pgm}"
    else
        gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pgmraw -r"$2" -dFirstPage=1 -dLastPage=1 \
            -sOutputFile="$3" "$1"
    fi
}

# Debian's own interpreter, not whatever wrapper comes first on the PATH.
python=/usr/bin/python3
[ -x "$python" ] || python=python3

# Asks the program's window to close, as a window manager does when its close
# button is clicked: a WM_DELETE_WINDOW message. (xdotool can only destroy a
# window, which no program gets to answer.)
request_close() {
    "$python" - "$WINDOW" <<'PYTHON'
import ctypes, sys

x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]

class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

class Event(ctypes.Union):
    _fields_ = [("client", ClientMessage), ("pad", ctypes.c_long * 24)]

x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                         ctypes.POINTER(Event)]
display = x.XOpenDisplay(None)
if not display:
    sys.exit("no display")
event = Event()
event.client.type = 33  # ClientMessage
event.client.window = int(sys.argv[1])
event.client.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.client.format = 32
event.client.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
x.XSendEvent(display, event.client.window, 0, 0, ctypes.byref(event))
x.XCloseDisplay(display)  # sends what is queued
PYTHON
}

# Starts the program against a print server that never answers, with a
# temporary folder of its own (work) whose tmp is the program's TMPDIR, and
# print_button its print button; on exit both are stopped and the folder goes.
#
# A Windows program under Wine asks the print server for its printers as it
# starts (Wine's print spooler does, before the window shows), and would
# wait there for ever: in that face the server passes everything on to the
# private print server (desktop-session.sh --printer) until the window is
# up, and from then on answers no more, ending what it passed on. The
# program then knows the private printer as its default, as a Windows
# program knows its printers, and printing waits for an answer.
start_against_silent_print_server() {
    local program=$1 binary=$2 relay_to=""
    work=$(mktemp -d)
    SILENT_PID=""
    on_exit stop_silent_session
    if [ "$E2E_FACE" = win32 ]; then
        [ -n "${PRINT_SPOOL:-}" ] || fail "the Windows programs need desktop-session.sh --printer"
        relay_to=$CUPS_SERVER
    fi
    start_silent_print_server "$work" "$relay_to"
    mkdir "$work/tmp"
    print_button=${print_buttons[$program]:-}
    [ -n "$print_button" ] || fail "unknown program $program"
    CUPS_SERVER=127.0.0.1:$SILENT_PORT TMPDIR=$work/tmp start_program "$program" "$binary"
    if [ -n "$relay_to" ]; then
        touch "$work/silent"
        none_left() { [ "$(silent_connections)" -eq 0 ]; }
        wait_until 10 none_left || fail "the print server did not fall silent"
    fi
}

stop_silent_session() {
    stop_program
    stop_process "$SILENT_PID"
    rm -rf "$work"
}

# A print server that takes every connection and never answers, on a free
# port of the loopback address; point a program at it with
# CUPS_SERVER=127.0.0.1:$SILENT_PORT. Sets SILENT_PORT and SILENT_PID; stop
# it with stop_process "$SILENT_PID". The folder given holds its port file.
# Given a print server's socket as well, it passes every connection on to
# that server until a file "silent" appears in the folder, and then ends
# those it passed on.
# Usage: start_silent_print_server <folder> [<socket to pass on to>]
start_silent_print_server() {
    local folder=$1 relay_to=${2:-}
    "$python" -c '
import os, select, socket, sys, threading
folder, relay_to = sys.argv[1], sys.argv[2]
silent = os.path.join(folder, "silent")
server = socket.socket()
server.bind(("127.0.0.1", 0))
server.listen(16)
with open(folder + "/silent-port.tmp", "w") as f:
    f.write(str(server.getsockname()[1]))
os.rename(folder + "/silent-port.tmp", folder + "/silent-port")

def relay(client):
    with client, socket.socket(socket.AF_UNIX) as upstream:
        upstream.connect(relay_to)
        while not os.path.exists(silent):
            for end in select.select([client, upstream], [], [], 0.05)[0]:
                data = end.recv(65536)
                if not data:
                    return
                (upstream if end is client else client).sendall(data)

held = []
while True:
    connection = server.accept()[0]
    if relay_to and not os.path.exists(silent):
        threading.Thread(target=relay, args=(connection,), daemon=True).start()
    else:
        held.append(connection)  # kept open, never answered
' "$folder" "$relay_to" &
    SILENT_PID=$!
    wait_until 30 test -s "$folder/silent-port" || fail "the silent print server did not start"
    SILENT_PORT=$(cat "$folder/silent-port")
}

# How many connections the silent print server holds open.
silent_connections() {
    local port
    port=$(printf '%04X' "$SILENT_PORT")
    awk -v remote="0100007F:$port" '$3 == remote && $4 == "01"' /proc/net/tcp | wc -l
}

# The button that prints in each window.
declare -gA print_buttons=([twinoffset]=cmdTest [solooffset]=cmdPrinten)
