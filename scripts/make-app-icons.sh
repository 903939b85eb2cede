#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the application icon packaging/icons/org.quorvale.quorvale.svg into
# the PNG sizes of the hicolor icon theme:
#   packaging/icons/hicolor/<N>x<N>/apps/org.quorvale.quorvale.png
# The PNGs are committed, so building needs no SVG renderer; run this again
# after changing the SVG. Needs rsvg-convert (Debian package librsvg2-bin,
# installed here when missing).
#
#   scripts/make-app-icons.sh            write into the repository's packaging/icons/
#   scripts/make-app-icons.sh OUT_DIR    write the hicolor/ tree into OUT_DIR instead
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SVG="$ROOT/packaging/icons/org.quorvale.quorvale.svg"
OUT="${1:-$ROOT/packaging/icons}"

if ! command -v rsvg-convert >/dev/null 2>&1; then
    SUDO=""
    if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
    $SUDO apt-get install -y -qq --no-install-recommends librsvg2-bin >/dev/null
fi

for size in 16 22 24 32 48 64 128 256 512; do
    dir="$OUT/hicolor/${size}x${size}/apps"
    mkdir -p "$dir"
    rsvg-convert --width "$size" --height "$size" "$SVG" --output "$dir/org.quorvale.quorvale.png"
done
echo "Icons written to $OUT/hicolor"
