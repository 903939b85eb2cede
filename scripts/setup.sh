#!/usr/bin/env bash
# Installs what building, running and testing Quorvale needs on Debian 12, when
# it is missing, and configures and builds the project into build/ (or the
# folder given in QUORVALE_BUILD_DIR). Safe to run again and again.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${QUORVALE_BUILD_DIR:-$ROOT/build}"

PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libgl-dev libglx-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth fonts-dejavu-core
    chromium
    libxml2-utils
    mythes-en-us
)

missing=()
for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
# Node.js and npm may come from Debian or from elsewhere; only ask for them when absent.
if ! command -v npm >/dev/null 2>&1; then
    missing+=(nodejs npm)
fi
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    SUDO=""
    if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The browser check of the built sites uses an HTML validator from npm.
if [[ -f "$ROOT/tests/browser/package.json" && ! -d "$ROOT/tests/browser/node_modules" ]]; then
    (cd "$ROOT/tests/browser" && npm ci --no-audit --no-fund --loglevel=error)
fi

cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja ${QUORVALE_CMAKE_ARGS:-} >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
