#!/usr/bin/env bash
# Builds and runs every test: core, windows (headless) and end to end (on a
# private X server and print server that the tests start and stop themselves).
# Optional argument: the preset, dev (default) or sanitize.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

preset=${1:-dev}
ensure_packages "${build_packages[@]}" "${test_packages[@]}"
build_preset "$preset"
cd "$repo_root"
ctest --preset "$preset" --parallel "$(nproc)"
