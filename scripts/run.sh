#!/usr/bin/env bash
# Builds the planner and starts the desktop program. Without a display it says so and writes the
# sample reports with the headless calculator instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    out="${TMPDIR:-/tmp}/rmdcalc-demo"
    echo "No display to open rmdcalc on: writing the sample reports into $out with rmdbatch demo."
    exec build/bin/rmdbatch demo --out "$out"
fi
exec build/bin/rmdcalc "$@"
