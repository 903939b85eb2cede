#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what Quorvale needs on Debian 12, when it is missing, and configures
# and builds the project. Safe to run again and again.
#
#   scripts/setup.sh --run    what building and running the program needs; builds
#                             the two executables and the installation folder
#                             (Release) into build-release/
#   scripts/setup.sh [--test] everything the tests, benchmarks and package checks
#                             need as well; builds every target into build/
#
# QUORVALE_BUILD_DIR names another build folder, QUORVALE_CMAKE_ARGS adds
# options to the configuration.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
MODE="test"
case "${1:-}" in
--run) MODE=run ;;
--test | "") ;;
*)
    echo "usage: $0 [--run | --test]" >&2
    exit 2
    ;;
esac

# Building and running the program.
PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libgl-dev libglx-dev
    qt6-image-formats-plugins
)
# The tests, the benchmarks, the screenshots and the package checks.
TEST_PACKAGES=(
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth fonts-dejavu-core
    chromium
    libxml2-utils
    mythes-en-us
    desktop-file-utils appstream shared-mime-info lintian man-db file
)
if [[ $MODE == test ]]; then
    PACKAGES+=("${TEST_PACKAGES[@]}")
    BUILD_DIR="${QUORVALE_BUILD_DIR:-$ROOT/build}"
else
    BUILD_DIR="${QUORVALE_BUILD_DIR:-$ROOT/build-release}"
fi

missing=()
for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
# Node.js and npm may come from Debian or from elsewhere; only ask for them when absent.
if [[ $MODE == test ]] && ! command -v npm >/dev/null 2>&1; then
    missing+=(nodejs npm)
fi
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    SUDO=""
    if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if [[ $MODE == run ]]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVALE_BUILD_TESTS=OFF \
        -DQUORVALE_BUILD_BENCH=OFF ${QUORVALE_CMAKE_ARGS:-} >/dev/null
    cmake --build "$BUILD_DIR" -j"$(nproc)" --target quorvale quorvale-cli app_data
    exit 0
fi

# The browser check of the built sites uses npm packages (an HTML validator,
# axe-core, playwright-core); they are installed again whenever the lock file changed.
BROWSER="$ROOT/tests/browser"
if [[ -f "$BROWSER/package-lock.json" ]] && ! cmp -s "$BROWSER/package-lock.json" "$BROWSER/node_modules/.installed-lock.json"; then
    (cd "$BROWSER" && npm ci --no-audit --no-fund --loglevel=error && cp package-lock.json node_modules/.installed-lock.json)
fi

cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja ${QUORVALE_CMAKE_ARGS:-} >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
