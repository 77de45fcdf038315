#!/usr/bin/env bash
# Times the Report tab shown for each calculator's sample and a graph redraw on a scroll-bar
# step inside the desktop window (bench/window.sh [RUNS]). Targets: RMD, RMBD and SEPP under
# 60 ms, Stretch with all pages under 120 ms, a scroll step under 16 ms. On a display when there
# is one, else under xvfb-run when it is installed, else off screen. Not part of the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-11}
build=${BUILD_DIR:-build}
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target windowbench supportarchive >/dev/null
bench=("$build/bin/windowbench" "$build/bin/rmdcalc.icf" samples "$runs")
if [ -n "${DISPLAY:-}" ]; then
    "${bench[@]}"
elif command -v xvfb-run >/dev/null; then
    xvfb-run -a -s "-screen 0 1280x1024x24" "${bench[@]}"
else
    QT_QPA_PLATFORM=offscreen "${bench[@]}"
fi
