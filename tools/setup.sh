#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when any is missing.
set -euo pipefail

PACKAGES=(
    g++ cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-svg-dev qt6-image-formats-plugins
    libgif-dev libtiff-dev libbenchmark-dev
    clang libclang-rt-14-dev
    fonts-liberation2 xdg-utils poppler-utils xvfb xauth
)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
