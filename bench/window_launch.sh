#!/usr/bin/env bash
# Time from launch until the window is mapped, and peak memory, of twinoffset
# and solooffset beside emptywindow --with-text: a Qt Widgets window of the
# same size holding one caption, the least a window with any text costs. Each
# calculator should stay within 1.10 times that floor in both. The bare
# emptywindow (no text, so no font database) is shown as a reference row
# beside it, not judged.
#
# Run by hand, on a quiet machine, after the bench build:
#
#   cmake --preset bench && cmake --build --preset bench
#   bench/window_launch.sh [RUNS]          # RUNS per program, default 15
#
# The Windows programs under Wine, against an empty Win32 window with one
# caption (bench/emptywindow_win32.cpp, built here with MinGW-w64), in a
# private Wine prefix:
#
#   cmake --preset windows && cmake --build --preset windows
#   tests/wine/wine-session.sh -- bench/window_launch.sh --wine [RUNS]
#
# Under Wine the figures are Wine's process (the program and Wine's own
# libraries), with the prefix's wineserver already running: it is shared by
# every program of the prefix and started once, before the runs.
#
# On a machine that is busy with other work, `nice -n -15 bench/window_launch.sh`
# (as root) keeps the launch times much closer together.
#
# BENCH_BUILD_DIR points at another build tree (default: build/bench in this
# repository).
#
# Needs the Debian packages xvfb (the X server this starts) and libx11-dev
# (to build bench/launchwait).
#
# How the map is seen: bench/launchwait starts the program itself and waits
# for the X server's MapNotify, so the figure runs from just before fork() to
# the moment the map is reported to us, with no polling step in it. Polling
# from here would not do: one `xdotool search --onlyvisible --name` costs
# about 11 ms and one `xwininfo -root -tree | grep` about 6.5 ms on the
# machine this was written on, so neither can look every 10 ms, and both take
# CPU from the program being timed. (`xdotool search --sync` only looks every
# 0.5 s.)
#
# Peak memory is VmHWM from /proc/PID/status, read once the window is mapped
# and the figure has not grown for 300 ms (it is read every 10 ms), so the
# first paint is in it. Then the program is ended.
#
# The table shows the median of the runs of each program and its ratio to
# the floor; the verdict judges launch time and peak memory. The cpu column
# (user + system time over the program's life, first paint included) is
# there because the wall-clock figures spread widely when other work runs:
# the CPU time hardly moves with the load, so it tells a slower program from
# a busier machine. The load average is printed for the same reason.
#
# Each program is started once before the runs that count, so that all find
# the font cache and their libraries in memory, and their runs alternate, so
# that a machine getting busier weighs on each alike.
set -euo pipefail

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${BENCH_BUILD_DIR:-$repo_root/build/bench}
wine=0
if [ "${1:-}" = "--wine" ]; then
    wine=1
    shift
fi
runs=${1:-15}
limit=1.10

if ! [[ "$runs" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [RUNS]   (RUNS: how often each program is started, default 15)" >&2
    exit 2
fi

launchwait=$build_dir/bench/launchwait
# role | name | binary | argument | exact window title. The floor comes first,
# so that every row after it can be set against it. The bare window is a
# reference, shown but not judged: it never loads the font database, which
# any window with text needs before its first map, so it tells that share
# apart from what the calculators add on top.
programs=(
    "floor|empty+text|$build_dir/bench/emptywindow|--with-text|Leeg venster met tekst"
    "reference|emptywindow|$build_dir/bench/emptywindow||Leeg venster"
    "judged|twinoffset|$build_dir/qt/twinoffset||Versleping Kestravon Concentrisch 100/150"
    "judged|solooffset|$build_dir/qt/solooffset||Kestravon Versleping Enkelwandig"
)
launcher=()
work=$(mktemp -d)
if [ "$wine" = 1 ]; then
    [ -n "${WINEPREFIX:-}" ] || {
        echo "Run it in a Wine of its own: tests/wine/wine-session.sh -- $0 --wine" >&2
        exit 2
    }
    windows_build=${BENCH_WINDOWS_BUILD_DIR:-$repo_root/build/windows}
    x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -municode -mwindows -static \
        -D_WIN32_WINNT=0x0A00 -DWINVER=0x0A00 "$repo_root/bench/emptywindow_win32.cpp" \
        -o "$work/emptywindow.exe"
    programs=(
        "floor|empty+text|$work/emptywindow.exe||Leeg venster met tekst"
        "judged|twinoffset|$windows_build/win32/twinoffset.exe||Versleping Kestravon Concentrisch 100/150"
        "judged|solooffset|$windows_build/win32/solooffset.exe||Kestravon Versleping Enkelwandig"
    )
    launcher=(wine64)
fi

binaries=("$launchwait")
for entry in "${programs[@]}"; do
    IFS='|' read -r _ _ binary _ <<<"$entry"
    binaries+=("$binary")
done
for binary in "${binaries[@]}"; do
    if [ ! -x "$binary" ]; then
        echo "Not built: $binary" >&2
        echo "Build first: cmake --preset bench && cmake --build --preset bench" >&2
        exit 1
    fi
done

xvfb_pid=""
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# -displayfd picks a free display and reports it once the server accepts
# clients; -noreset keeps it from resetting each time a program leaves.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1000); do
    [ -s "$work/display" ] && break
    sleep 0.02
done
if [ ! -s "$work/display" ]; then
    echo "The X server did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$(head -n 1 "$work/display")"
unset QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
if [ "$wine" = 1 ]; then
    # Kept running for the whole measurement, as on a desktop where Wine
    # already runs; ended with the prefix by wine-session.sh. (It refuses
    # when the prefix's server runs already, which is as good.)
    wineserver -p 2>/dev/null || true
fi

# Starts one program until its window is mapped; prints "ms kB cpu-ms".
measure() {
    local binary=$1 argument=$2 title=$3 line
    local command=("${launcher[@]}" "$binary")
    [ -n "$argument" ] && command+=("$argument")
    if ! line=$("$launchwait" --title "$title" --settle-ms 300 -- "${command[@]}" \
        2>"$work/program.log"); then
        echo "Measuring $binary failed:" >&2
        cat "$work/program.log" >&2
        exit 1
    fi
    [[ "$line" =~ mapped_ms=([0-9.]+)\ hwm_kb=([0-9]+).*cpu_ms=([0-9.]+) ]] || {
        echo "Unexpected answer from launchwait: $line" >&2
        exit 1
    }
    echo "${BASH_REMATCH[1]} ${BASH_REMATCH[2]} ${BASH_REMATCH[3]}"
}

median() {
    sort -g | awk '{ v[NR] = $1 } END {
        if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

for index in "${!programs[@]}"; do
    IFS='|' read -r _ _ binary argument title <<<"${programs[$index]}"
    measure "$binary" "$argument" "$title" >/dev/null
    : >"$work/$index.runs"
done

echo "Display $DISPLAY, $runs runs per program, load average $(cut -d' ' -f1-3 /proc/loadavg)"
for ((run = 1; run <= runs; run++)); do
    for index in "${!programs[@]}"; do
        IFS='|' read -r _ _ binary argument title <<<"${programs[$index]}"
        measure "$binary" "$argument" "$title" >>"$work/$index.runs"
    done
    printf '.'
done
echo " load average at the end $(cut -d' ' -f1-3 /proc/loadavg)"

printf '\n%-12s %9s %15s %8s %9s %7s %7s %9s\n' program "mapped ms" "(min-max)" "cpu ms" \
    "peak MiB" "time x" "cpu x" "memory x"
floor=() verdicts=()
for index in "${!programs[@]}"; do
    IFS='|' read -r role name _ <<<"${programs[$index]}"
    runs_file=$work/$index.runs
    ms=$(cut -d' ' -f1 "$runs_file" | median)
    kb=$(cut -d' ' -f2 "$runs_file" | median)
    cpu=$(cut -d' ' -f3 "$runs_file" | median)
    range=$(cut -d' ' -f1 "$runs_file" | sort -g | sed -n '1p;$p' | paste -sd' ' |
        awk '{ printf "(%.1f-%.1f)", $1, $2 }')
    [ "$role" = floor ] && floor=("$ms" "$kb" "$cpu")
    awk -v name="$name" -v ms="$ms" -v kb="$kb" -v cpu="$cpu" -v range="$range" \
        -v fms="${floor[0]}" -v fkb="${floor[1]}" -v fcpu="${floor[2]}" 'BEGIN {
        printf "%-12s %9.1f %15s %8.1f %9.1f %7.2f %7.2f %9.2f\n", name, ms, range, cpu,
               kb / 1024, ms / fms, cpu / fcpu, kb / fkb }'
    if [ "$role" = judged ]; then
        verdicts+=("$(awk -v name="$name" -v ms="$ms" -v kb="$kb" -v fms="${floor[0]}" \
            -v fkb="${floor[1]}" -v limit="$limit" 'BEGIN {
            t = ms / fms <= limit ? "within" : "ABOVE"
            m = kb / fkb <= limit ? "within" : "ABOVE"
            printf "%s: launch time %.2f x, %s %s x the floor; peak memory %.2f x, %s %s x the floor",
                   name, ms / fms, t, limit, kb / fkb, m, limit }')")
    fi
done
echo
printf '%s\n' "${verdicts[@]}"
