#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the desktop program's windows offscreen and saves them into docs/:
#   docs/main-window.png            the main window as it opens
#   docs/main-window-demo-data.png  the main window after "Load Dummy Data"
#   docs/instructions-window.png    the "Quick Instructions" window
#   docs/tornelle-window.png        the "Tornelle" window after rewriting the main demo article, a change menu open
#   docs/main-window-site.png       the main window holding a site opened from its file, "Site" menu open
#   docs/versions-report.png        the report of a build of ten versions of that site
#
# Builds what it needs into build/ (or QUORVALE_BUILD_DIR) and uses the sample
# data of the installation folder build/app. No display is needed.
#
#   scripts/screenshots.sh            write into the repository's docs/ folder
#   scripts/screenshots.sh OUT_DIR    write the pictures into OUT_DIR instead
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${QUORVALE_BUILD_DIR:-$ROOT/build}"
OUT="${1:-$ROOT/docs}"

if [[ ! -f "$BUILD_DIR/build.ninja" ]]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja ${QUORVALE_CMAKE_ARGS:-} >/dev/null
fi
cmake --build "$BUILD_DIR" --target gui_screenshots app_data

APP="$BUILD_DIR/app"
mkdir -p "$OUT"
if [[ -z "${XDG_RUNTIME_DIR:-}" ]]; then
    XDG_RUNTIME_DIR="$(mktemp -d)"
    export XDG_RUNTIME_DIR
    trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/scripts/screenshots/gui_screenshots" "$APP" "$APP/apparticles" "$OUT"
