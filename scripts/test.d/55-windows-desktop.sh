#!/usr/bin/env bash
# The Windows programs (preset windows) driven as a person would, by the same
# end-to-end scripts as the Linux programs: under Wine, each script on a
# private X server and print server of its own, all in one Wine prefix that
# lives as long as the stage (tests/wine/e2e-run.sh in wine-session.sh).
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

# The build of the programs renders their diagrams and icon with
# rsvg-convert and icotool; Wine's PostScript comes back as text and images
# through Ghostscript.
ensure_packages "${build_packages[@]}" "${test_packages[@]}" g++-mingw-w64-x86-64-posix \
    wine64 wine googletest icoutils librsvg2-bin ghostscript
build_preset windows
cd "$repo_root"
# The control places, written by the dev build (test.sh has built it).
[ -f build/dev/build.ninja ] || cmake --preset dev
cmake --build --preset dev --target forms_script
tests/wine/wine-session.sh -- tests/wine/e2e-run.sh build/dev/forms/forms.sh \
    build/windows/win32/twinoffset.exe build/windows/win32/solooffset.exe
