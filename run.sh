#!/usr/bin/env bash
# Builds the program and starts it. Without a display it says so and, once the report
# export is there, writes the sample project's report headless instead.
set -euo pipefail
cd "$(dirname "$0")"
./tools/setup.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target enervane

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display is available (neither DISPLAY nor WAYLAND_DISPLAY is set),"
    echo "so the Enervane window cannot be shown here."
    echo "Run it on a desktop, or under a virtual display: xvfb-run ./run.sh"
    exit 0
fi
exec ./build/src/app/enervane "$@"
