#!/usr/bin/env bash
# Builds a window benchmark and runs it on the display when there is one, else under xvfb-run
# when it is installed, else off screen (bench/display.sh TARGET RUNS).
set -euo pipefail
cd "$(dirname "$0")/.."
target=$1
runs=$2
build=${BUILD_DIR:-build}
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target "$target" supportarchive >/dev/null
bench=("$build/bin/$target" "$build/bin/rmdcalc.icf" samples "$runs")
if [ -n "${DISPLAY:-}" ]; then
    "${bench[@]}"
elif command -v xvfb-run >/dev/null; then
    xvfb-run -a -s "-screen 0 1280x1024x24" "${bench[@]}"
else
    QT_QPA_PLATFORM=offscreen "${bench[@]}"
fi
