#!/usr/bin/env bash
# Redraws docs/screenshots/ from the sample illustrations: rmdcalc runs on a virtual X server
# (Xvfb) with a fresh home folder holding the samples, is driven with xdotool keys, and each
# window is captured with ImageMagick's import. Needs xvfb, xdotool and imagemagick.
#   scripts/screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
out=docs/screenshots
for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "screenshots.sh: $tool is missing (apt-get install xvfb xdotool imagemagick)" >&2; exit 1; }
done
[ -x "$build/bin/rmdcalc" ] || { echo "screenshots.sh: $build/bin/rmdcalc is not built" >&2; exit 1; }

work="$(mktemp -d)"
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A home of its own: the samples in its database, the sample representative, no settings.
export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" XDG_CONFIG_HOME="$work/home/.config"
export XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
data="$XDG_DATA_HOME/Brantex"
mkdir -p "$data"
today=12/01/2026
"$build/bin/rmdbatch" rep set --input samples/rep.json --data-folder "$data" --today "$today" >/dev/null
for sample in rmd rmbd sepp stretch; do
    "$build/bin/rmdbatch" save --input "samples/$sample.json" --data-folder "$data" --as-new \
        --today "$today" >/dev/null
done

source scripts/xdisplay.sh
start_display 90

mkdir -p "$out"
settle() { sleep "${1:-1.5}"; }
shot() { import -window "$2" "$out/$1.png" && echo "$out/$1.png"; }
keys() { xdotool key --delay 150 "$@"; settle 0.8; }

"$build/bin/rmdcalc" /0 >"$work/rmdcalc.log" 2>&1 &
app_pid=$!
# The first window is the main one (xdotool matches the title without Qt's program suffix).
main="$(window '.')"
focus "$main"
xdotool windowsize --sync "$main" 860 760
# Opens the saved illustration in the grid's row (0: the first saved, the RMD sample).
open_sample() {
    local list
    list="$(window 'Saved Illustrations')"
    focus "$list"
    [ "$1" -eq 0 ] && shot saved "$list"
    keys Home
    for _ in $(seq "$1"); do keys Down; done
    keys alt+o
    settle
    focus "$main"
}
open_sample 0
shot rmd "$main"
keys alt+r && settle 3
shot report "$main"
keys ctrl+o && open_sample 1 && shot rmbd "$main"
# The SEPP tab's payments are refreshed when the tab is shown again after the report.
keys ctrl+o && open_sample 2 && keys alt+r && settle 3 && keys alt+e && shot sepp "$main"
keys ctrl+o && open_sample 3 && shot stretch "$main"
keys alt+g && settle 3
shot graph "$main"
keys alt+o f
rep="$(window 'Financial Representative Information')"
focus "$rep"
shot representative "$rep"
keys Escape
focus "$main"
keys F1
help="$(window 'Retirement Distribution Planner Help')"
focus "$help"
shot help "$help"
