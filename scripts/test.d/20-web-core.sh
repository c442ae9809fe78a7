#!/usr/bin/env bash
# The core built to WebAssembly (preset web: offsetcore.js and .wasm) and
# compared with the native core over a large grid of queries under Node.
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

# Node itself comes with the machine (see README); Debian's nodejs and npm
# packages would clash with it.
if ! command -v node >/dev/null; then
    echo "node is missing: the WebAssembly core cannot be checked" >&2
    exit 1
fi
ensure_packages emscripten node-acorn
build_preset web
build_preset dev # its core_answers is the native side
cd "$repo_root"
node tests/differential/core_differential.mjs build/web/web/bindings build/dev/tests/core_answers
