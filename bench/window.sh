#!/usr/bin/env bash
# Times the Report tab shown for each calculator's sample and a graph redraw on a scroll-bar
# step inside the desktop window (bench/window.sh [RUNS]). Targets: RMD, RMBD and SEPP under
# 60 ms, Stretch with all pages under 120 ms, a scroll step under 16 ms. On a display when there
# is one, else under xvfb-run when it is installed, else off screen. Not part of the tests.
set -euo pipefail
exec "$(dirname "$0")/display.sh" windowbench "${1:-11}"
