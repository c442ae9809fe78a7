#!/usr/bin/env bash
# The core built to WebAssembly (preset web: offsetcore.js and .wasm) and
# compared with the native core over a large grid of queries under Node.
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

# emscripten brings Debian's nodejs where the machine has no Node yet; we
# never ask for nodejs or npm by name, which would clash with a Node.js the
# machine already has from elsewhere.
ensure_packages "${web_packages[@]}"
if ! command -v node >/dev/null; then
    echo "node is missing: the WebAssembly core cannot be checked" >&2
    exit 1
fi
build_preset web
build_preset dev # its core_answers is the native side
cd "$repo_root"
node tests/differential/core_differential.mjs build/web/web/bindings build/dev/tests/core_answers
