#!/usr/bin/env bash
# The core built to WebAssembly (preset web: offsetcore.js and .wasm) and
# compared with the native core over generated clicks under Node; the core's
# own tests built to WebAssembly too (preset web-tests) and run under Node.
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

# emscripten brings Debian's nodejs where the machine has no Node yet; we
# never ask for nodejs or npm by name, which would clash with a Node.js the
# machine already has from elsewhere. The core's tests build GoogleTest from
# Debian's sources (package googletest) with em++.
ensure_packages "${web_packages[@]}" googletest
if ! command -v node >/dev/null; then
    echo "node is missing: the WebAssembly core cannot be checked" >&2
    exit 1
fi
build_preset web
build_preset web-tests
build_preset dev # its core_answers is the native side
cd "$repo_root"
ctest --preset web-tests
node tests/differential/core_differential.mjs build/web/web/bindings build/dev/tests/core_answers
