#!/usr/bin/env bash
# The web edition in a real browser: builds the site (web preset), installs
# the pinned test tools from tests/web/package-lock.json and runs the browser
# tests in Debian's Chromium, headless, against nginx serving the site with
# the project's configuration on a free port; and a handful of plain requests
# against that server.
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

ensure_packages "${web_packages[@]}" "${serve_packages[@]}" chromium poppler-utils
# A Node.js from elsewhere (NodeSource's, say) brings its own npm, and
# Debian's npm package would clash with it; only Debian's nodejs, which
# emscripten pulls in where there was no Node, needs Debian's npm.
if ! command -v npm >/dev/null; then
    ensure_packages npm
fi
build_preset web

cd "$repo_root/tests/web"
npm ci --no-audit --no-fund
OFFSET_WEB_SITE="$repo_root/build/web/web/app/site" node --test
