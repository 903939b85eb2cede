#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the PNG icons of both designs from their favicon.svg, for browsers
# and home screens that take no SVG icon:
#   data/template<N>/assets/images/favicon-32.png        32x32, transparent corners like the SVG
#   data/template<N>/assets/images/apple-touch-icon.png  180x180, square and opaque: iOS rounds
#                                                        the corners itself and shows transparency as black
#
# Uses Debian's Chromium (headless), which the browser check needs anyway.
# Run it again after changing a favicon.svg and commit the PNGs it writes.
set -euo pipefail

CHROMIUM=${CHROMIUM:-/usr/bin/chromium}
if [[ ! -x "$CHROMIUM" ]]; then
    echo "make-favicons.sh: Chromium not found at $CHROMIUM (set CHROMIUM=...)" >&2
    exit 1
fi

ROOT=$(cd "$(dirname "$0")/.." && pwd)
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

# render SVG SIZE PNG: the SVG fills a SIZE x SIZE window on a transparent page.
render() {
    rm -f "$3"
    "$CHROMIUM" --headless --no-sandbox --disable-gpu --hide-scrollbars --force-device-scale-factor=1 \
        --user-data-dir="$TMP/profile" --default-background-color=00000000 \
        --window-size="$2,$2" --screenshot="$3" "file://$1" >/dev/null 2>&1 || true
    if [[ ! -s "$3" ]]; then
        echo "make-favicons.sh: Chromium rendered no $3" >&2
        exit 1
    fi
}

for design in template1 template2; do
    images="$ROOT/data/$design/assets/images"
    render "$images/favicon.svg" 32 "$images/favicon-32.png"
    # The touch icon drops the rounded corners of the 64x64 tile.
    sed 's/\(<rect width="64" height="64"\) rx="[^"]*"/\1/g' \
        "$images/favicon.svg" >"$TMP/$design-square.svg"
    if cmp -s "$images/favicon.svg" "$TMP/$design-square.svg"; then
        echo "make-favicons.sh: $design/assets/images/favicon.svg has no rounded 64x64 square" >&2
        exit 1
    fi
    render "$TMP/$design-square.svg" 180 "$images/apple-touch-icon.png"
done
