#!/usr/bin/env bash
# Builds the Debian package of both programs and the web edition from a
# release build: build/package/offset-calculators_<version>_<architecture>.deb.
# Installs what is missing first, as run.sh and test.sh do.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# dpkg-shlibdeps (dpkg-dev) computes the dependencies; CPack asks file(1)
# which installed files are programs. The web edition in the package is
# built with emscripten.
ensure_packages "${build_packages[@]}" "${web_packages[@]}" dpkg-dev file
build_preset package
cd "$repo_root"
cpack --preset package
ls -1t "$repo_root"/build/package/*.deb | head -n 1
