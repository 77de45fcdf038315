# Driving rmdcalc on a virtual X server, for the scripts that source this: a display, windows
# found by their titles, focus given by hand. Needs Xvfb and xdotool.

# Starts Xvfb on a display numbered from $1 up (random, so runs side by side do not meet),
# exports DISPLAY and sets xvfb_pid for the caller's clean-up.
start_display() {
    local display=":$(($1 + RANDOM % 100))"
    Xvfb "$display" -screen 0 1280x960x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY="$display"
    for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
}

# The first visible window whose title (without Qt's program suffix) matches; waits up to 30
# seconds, then fails.
window() {
    local id=""
    for _ in $(seq 150); do
        id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)"
        [ -n "$id" ] && break
        sleep 0.2
    done
    [ -n "$id" ] || { echo "no window \"$1\"" >&2; return 1; }
    echo "$id"
}

# Without a window manager nothing gives a window the focus: each one is focused by hand, then
# given $2 seconds (1 unless told) to draw.
focus() { xdotool windowfocus --sync "$1"; sleep "${2:-1}"; }
