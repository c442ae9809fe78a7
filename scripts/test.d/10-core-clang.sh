#!/usr/bin/env bash
# The core and its tests built with Clang and LLVM's libc++ (preset clang),
# so that it stays free of what only GCC's library offers. GoogleTest is built
# from Debian's sources (package googletest) against libc++.
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

ensure_packages clang libc++-dev libc++abi-dev googletest
build_preset clang
cd "$repo_root"
ctest --preset clang --parallel "$(nproc)"
