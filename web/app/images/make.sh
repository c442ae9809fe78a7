#!/usr/bin/env bash
# Remakes the web edition's install images from our own drawings and page,
# by hand when the icon or the page's look changes: the icons from
# resources/icon*.svg with rsvg-convert (Debian: librsvg2-bin), the two
# screenshots from a worked example in Debian's Chromium (make-screenshots.mjs).
#
#   web/app/images/make.sh SITE_FOLDER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
resources="$here/../../../resources"
site=${1:?usage: make.sh SITE_FOLDER (an assembled site, e.g. build/web/web/app/site)}

for size in 192 512; do
    rsvg-convert -w "$size" -h "$size" "$resources/icon.svg" -o "$here/icon-$size.png"
done
rsvg-convert -w 512 -h 512 "$resources/icon-maskable.svg" -o "$here/icon-maskable-512.png"
node "$here/make-screenshots.mjs" "$site" "$here"
