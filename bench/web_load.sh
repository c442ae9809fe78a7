#!/usr/bin/env bash
# Builds the web edition and measures its cold load in headless Chromium
# beside an empty page and a page that only loads the core and calls it once
# (bench/web_load.mjs). Run by hand:
#
#   bench/web_load.sh [RUNS]        # RUNS rounds, default 15
#
# SITE names an assembled site of another build tree instead; nothing is
# built then, and the core's files are taken from that tree's web/bindings
# (SITE/../../bindings), or from CORE when that is set:
#
#   SITE=/tmp/build-web/web/app/site bench/web_load.sh 15
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/common.sh"

ensure_packages "${web_packages[@]}" "${serve_packages[@]}" chromium
if [ -z "${SITE:-}" ]; then
    build_preset web
    SITE=$repo_root/build/web/web/app/site
fi
CORE=${CORE:-$SITE/../../bindings}
if [ ! -d "$repo_root/tests/web/node_modules" ]; then
    (cd "$repo_root/tests/web" && npm ci --no-audit --no-fund)
fi
node "$repo_root/bench/web_load.mjs" "$SITE" "$CORE" "$@"
