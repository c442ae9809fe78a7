#!/usr/bin/env bash
# Fuzzing, briefly: each libFuzzer target of the core runs for a few seconds
# from its seed corpus in fuzz/corpus. Whatever it finds is written under a
# temporary folder and shown; longer runs are done by hand (fuzz/CMakeLists.txt).
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

ensure_packages clang libclang-rt-14-dev
build_preset fuzz

seconds_each=${FUZZ_SECONDS_EACH:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failed=0
for target in parse_number lengths_from_offset offsets_from_sections; do
    mkdir -p "$work/$target"
    # New inputs go to the first folder, so the seed corpus stays as it is.
    if "$repo_root/build/fuzz/fuzz/fuzz_$target" -max_total_time="$seconds_each" \
        -artifact_prefix="$work/" "$work/$target" "$repo_root/fuzz/corpus/$target" \
        >"$work/$target.log" 2>&1; then
        echo "fuzz_$target: $(grep -o 'Done [0-9]* runs' "$work/$target.log"), no finding"
    else
        echo "fuzz_$target found a fault:" >&2
        tail -n 40 "$work/$target.log" >&2
        for artifact in "$work"/crash-* "$work"/leak-* "$work"/timeout-*; do
            [ -e "$artifact" ] && echo "input: $(od -An -c "$artifact" | head -n 5)" >&2
        done
        failed=1
    fi
done
exit "$failed"
