#!/usr/bin/env bash
# Builds the planner and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
# Every source file as the committed .clang-format lays it out.
if ! git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror; then
    echo "Some files are not formatted: run clang-format -i on the files named above." >&2
    exit 1
fi
ctest --test-dir build --output-on-failure -j"$(nproc)"
# The Debian package: its files, desktop entry and metainfo.
scripts/package.sh build >/dev/null
