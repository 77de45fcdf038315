#!/usr/bin/env bash
# Builds and runs the illustration database benchmark: bench/storage.sh [ILLUSTRATIONS] [FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target storagebench rmdbatch >/dev/null
"$build"/bin/storagebench "$@"
