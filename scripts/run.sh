#!/usr/bin/env bash
# Builds the planner and runs it: for now the headless calculator on the sample illustration.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
build/bin/rmdbatch calc --input samples/rmd.json --rep samples/rep.json "$@"
