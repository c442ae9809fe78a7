#!/usr/bin/env bash
# The web edition in a real browser: builds the site (web preset), installs
# the pinned test tools from tests/web/package-lock.json and runs the browser
# tests in Debian's Chromium, headless, against a server on a free port.
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

ensure_packages "${web_packages[@]}" chromium poppler-utils
# The machine's own Node.js and npm (see README); Debian's npm would clash.
if ! command -v npm >/dev/null; then
    echo "npm is missing: the browser tests cannot install their tools" >&2
    exit 1
fi
build_preset web

cd "$repo_root/tests/web"
npm ci --no-audit --no-fund
OFFSET_WEB_SITE="$repo_root/build/web/web/app/site" node --test
