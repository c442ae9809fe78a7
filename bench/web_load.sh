#!/usr/bin/env bash
# Builds the web edition and measures its cold load in headless Chromium
# (bench/web_load.mjs). Run by hand.
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/common.sh"

ensure_packages "${web_packages[@]}" "${serve_packages[@]}" chromium
build_preset web
(cd "$repo_root/tests/web" && npm ci --no-audit --no-fund)
node "$repo_root/bench/web_load.mjs" "$repo_root/build/web/web/app/site" "$@"
