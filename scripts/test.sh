#!/usr/bin/env bash
# Builds and runs every test: core, windows (headless) and end to end (on a
# private X server and print server that the tests start and stop themselves).
# Optional argument: the preset, dev (default) or sanitize.
#
# With the dev preset, the stages in scripts/test.d then run in name order:
# each installs what it needs itself, builds its own preset and runs its
# checks (other toolchains, the web edition, the package, fuzzing).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

preset=${1:-dev}
ensure_packages "${build_packages[@]}" "${test_packages[@]}"
build_preset "$preset"
cd "$repo_root"
ctest --preset "$preset" --parallel "$(nproc)"

if [ "$preset" = dev ]; then
    for stage in "$repo_root"/scripts/test.d/*.sh; do
        [ -e "$stage" ] || continue
        echo "== Stage $(basename "$stage" .sh)"
        bash "$stage"
    done
fi
