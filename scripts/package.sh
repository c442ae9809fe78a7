#!/usr/bin/env bash
# Builds the packages from a release build. Installs what is missing first,
# as run.sh and test.sh do.
#
#   package.sh           the Debian package of both programs and the web
#                        edition: build/package/offset-calculators_<version>_<architecture>.deb
#   package.sh windows   the Windows installer and portable zip, signed when
#                        OFFSET_SIGN_PKCS12 and OFFSET_SIGN_PASSWORD are set
#                        (packaging/windows/pack.sh): build/package-windows/
#                        offset-calculators-<version>-x64.msi and
#                        offset-calculators-<version>-x64-portable.zip
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

case "${1:-}" in
"")
    # dpkg-shlibdeps (dpkg-dev) computes the dependencies; CPack asks file(1)
    # which installed files are programs. The web edition in the package is
    # built with emscripten.
    ensure_packages "${build_packages[@]}" "${web_packages[@]}" dpkg-dev file
    build_preset package
    cd "$repo_root"
    cpack --preset package
    ls -1t "$repo_root"/build/package/*.deb | head -n 1
    ;;
windows)
    # MinGW-w64 builds the programs; rsvg-convert and icotool make their
    # diagrams and icon, man renders the manual pages as text; wixl makes the
    # installer, zip the portable archive and osslsigncode signs both.
    # osslsigncode 2.5 of Debian 12 itself is enough (bookworm-backports has
    # a newer one, which serves as well).
    ensure_packages cmake ninja-build g++-mingw-w64-x86-64-posix libfast-float-dev libfmt-dev \
        librsvg2-bin icoutils man-db groff-base wixl zip osslsigncode
    cd "$repo_root"
    # The windows preset's release build without its tests, in a folder of
    # its own; configured every time, so that the packaging option is on
    # whatever the folder held.
    build=build/package-windows
    cmake --preset windows -B "$build" -DBUILD_TESTING=OFF -DOFFSET_WINDOWS_PACKAGE=ON >/dev/null
    cmake --build "$build"
    bash "$repo_root/packaging/windows/pack.sh" "$build/windows-package" "$build"
    ;;
*)
    echo "usage: package.sh [windows]" >&2
    exit 2
    ;;
esac
