#!/usr/bin/env bash
# The programs built for 64-bit Windows with MinGW-w64 (preset windows) and
# run under Wine, in a prefix of their own that lives as long as the stage:
# the core's tests, the windows' presenters and print flow, offsetcalc.exe
# through the command-line checks and
# against the native offsetcalc, and core_answers.exe against the native one
# over the generated clicks (tests/wine/windows_tests.sh).
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

# wine64 runs 64-bit programs without the i386 architecture; wine brings
# wineboot and wineserver. GoogleTest is built from Debian's sources
# (package googletest) with the cross compiler. The two windows' diagrams
# are rendered at build time (librsvg2-bin) and their icon made
# (icoutils).
ensure_packages "${build_packages[@]}" g++-mingw-w64-x86-64-posix wine64 wine googletest \
    librsvg2-bin icoutils
# The comparison runs under Node. Debian's only where there is no Node at
# all: one from elsewhere would clash with it.
command -v node >/dev/null || ensure_packages nodejs
build_preset windows
# The native side: the dev build's offsetcalc and core_answers (test.sh has
# built them already).
cd "$repo_root"
[ -f build/dev/build.ninja ] || cmake --preset dev
cmake --build --preset dev --target offsetcalc core_answers
tests/wine/wine-session.sh -- tests/wine/windows_tests.sh build/windows build/dev
