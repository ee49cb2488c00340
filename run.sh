#!/usr/bin/env bash
# Builds the program and starts it. Without a display it says so and exports the bundled
# sample project headless instead (its results and graphs), with enervane-cli.
set -euo pipefail
cd "$(dirname "$0")"
./tools/setup.sh

# The same configuration as ./test.sh, so switching between the two rebuilds nothing.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DENERVANE_STRICT=ON >/dev/null
cmake --build build -j "$(nproc)" --target enervane enervane-cli

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display is available (neither DISPLAY nor WAYLAND_DISPLAY is set), so the"
    echo "Enervane window cannot be shown here. To see it, run it on a desktop or under a"
    echo "virtual display: xvfb-run ./run.sh"
    echo
    out=build/sample
    mkdir -p "$out"
    echo "Exporting the sample project samples/Sample.KSF headless to $out/ instead:"
    ./build/src/cli/enervane-cli calc samples/Sample.KSF >"$out/results.json"
    echo "  $out/results.json (yearly costs, savings and paybacks)"
    for graph in cost hours time; do
        ./build/src/cli/enervane-cli chart samples/Sample.KSF --graph "$graph" \
            --output "$out/$graph.png" 2>/dev/null
        echo "  $out/$graph.png"
    done
    exit 0
fi
exec ./build/src/app/enervane "$@"
