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
today=12/01/2026
"$build/bin/rmdbatch" rep set --input samples/rep.json --data-folder "$data" --today "$today" >/dev/null
for sample in rmd rmbd sepp stretch; do
    "$build/bin/rmdbatch" save --input "samples/$sample.json" --data-folder "$data" --as-new \
        --today "$today" >/dev/null
done

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x960x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

mkdir -p "$out"
settle() { sleep "${1:-1.5}"; }
# The window whose title is exactly $1.
window() { xdotool search --onlyvisible --name "^$1\$" | head -1; }
shot() { # NAME TITLE
    local id
    id="$(window "$2")"
    [ -n "$id" ] || { echo "screenshots.sh: no window \"$2\" for $1.png" >&2; exit 1; }
    import -window "$id" "$out/$1.png"
    echo "$out/$1.png"
}
keys() { xdotool key --delay 120 "$@"; settle 0.8; }

"$build/bin/rmdcalc" /0 >"$work/rmdcalc.log" 2>&1 &
app_pid=$!
for _ in $(seq 100); do [ -n "$(window 'Saved Illustrations')" ] && break; sleep 0.2; done
settle
shot saved 'Saved Illustrations'

# Opens the saved illustration whose name begins with the letter (the grid's type-ahead).
open_sample() {
    keys ctrl+o
    for _ in $(seq 50); do [ -n "$(window 'Saved Illustrations')" ] && break; sleep 0.2; done
    keys "$1" && keys alt+o && settle
}
main='Retirement Distribution Planner.*'
keys "m" alt+o && settle
shot rmd "$main"
keys alt+r && settle 3
shot report "$main"
open_sample s && shot rmbd "$main"
open_sample p && shot sepp "$main"
open_sample r && shot stretch "$main"
keys alt+g && settle 3
shot graph "$main"
keys alt+o f && settle
shot representative 'Financial Representative Information'
keys Escape
keys F1 && settle
shot help 'Retirement Distribution Planner Help'
