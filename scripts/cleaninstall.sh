#!/usr/bin/env bash
# Installs the Debian package into a clean Debian system and runs the installed programs there:
# rmdbatch demo, then rmdcalc started by its desktop entry on a virtual X server, F1 pressed,
# and the windows captured. The clean system is a debootstrap folder (made on first use, so
# this needs the network and root; not part of CI).
#   scripts/cleaninstall.sh PACKAGE.deb [ROOT_FOLDER] [OUT_FOLDER]
set -euo pipefail
deb="$(readlink -f "$1")"
root="${2:-/tmp/rmdcalc-clean-root}"
out="$(mkdir -p "${3:-/tmp/rmdcalc-clean-check}" && readlink -f "${3:-/tmp/rmdcalc-clean-check}")"
[ "$(id -u)" -eq 0 ] || { echo "cleaninstall.sh: run as root (debootstrap and chroot)" >&2; exit 1; }
for tool in debootstrap Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "cleaninstall.sh: $tool is missing" >&2; exit 1; }
done

if [ ! -x "$root/usr/bin/apt-get" ]; then
    debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
fi
# A copy per run, so every check starts from the same clean system.
system="$(mktemp -d /tmp/rmdcalc-clean-XXXXXX)"
xvfb_pid=""
mounts=()
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[$i]}" 2>/dev/null || true; done
    # A bind mount still in place would let rm reach the host's own files.
    if grep -q " $system/" /proc/mounts; then
        echo "cleaninstall.sh: $system still has mounts; left in place" >&2
    else
        rm -rf --one-file-system "$system"
    fi
}
trap cleanup EXIT
cp -a "$root/." "$system/"
for fs in proc sys dev tmp/.X11-unix; do
    mkdir -p "$system/$fs" "/$fs"
    mount --bind "/$fs" "$system/$fs"
    mounts+=("$system/$fs")
done
cp /etc/resolv.conf "$system/etc/resolv.conf"
cp "$deb" "$system/root/"
in_system() { chroot "$system" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }

echo "== installing $(basename "$deb") into a clean bookworm"
in_system apt-get update -qq
in_system env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "/root/$(basename "$deb")" \
    >"$out/apt.log" 2>&1 || { tail -20 "$out/apt.log"; exit 1; }
in_system dpkg -s rmdcalc | grep -E '^(Status|Version|Depends):'
if in_system dpkg -l | grep -E '^ii +(qt6-base-dev|libqt6core6-dev|g\+\+|cmake) '; then
    echo "cleaninstall.sh: development packages came with the package" >&2
    exit 1
fi

echo "== rmdbatch in the clean system (from /tmp)"
in_system sh -c 'cd /tmp && rmdbatch --version && rmdbatch demo --out /tmp/demo --today 12/01/2026'
ls -l "$system/tmp/demo" | tee "$out/demo.txt"
for pdf in "$system"/tmp/demo/*.pdf; do cp "$pdf" "$out/"; done

echo "== rmdcalc from its desktop entry on Xvfb"
exec_line="$(sed -n 's/^Exec=//p' "$system/usr/share/applications/rmdcalc.desktop" | sed 's/ *%[a-zA-Z]//g')"
echo "Exec: $exec_line; Icon: $(sed -n 's/^Icon=//p' "$system/usr/share/applications/rmdcalc.desktop")"
ls "$system/usr/share/icons/hicolor/"*/apps/rmdcalc.*
source "$(dirname "$0")/xdisplay.sh"
start_display 200
in_system rmdbatch rep set --input /usr/share/doc/rmdcalc/examples/rep.json --today 12/01/2026 >/dev/null
chroot "$system" env -i HOME=/root PATH=/usr/bin:/bin LANG=C.UTF-8 DISPLAY="$DISPLAY" \
    sh -c "cd / && exec $exec_line" >"$out/rmdcalc.log" 2>&1 &
app_pid=$!
fail() { cat "$out/rmdcalc.log"; echo "cleaninstall.sh: $1" >&2; exit 1; }
startup="$(window 'Choose an Option')" || fail "rmdcalc showed no start-up window"
focus "$startup"
import -window root "$out/startup.png"
xdotool key Return
main="$(window 'Calculator')" || fail "Ok in the start-up window opened no main window"
focus "$main"
list="$(window 'Saved Illustrations')" || fail "the main window offered no saved illustrations"
focus "$list"
xdotool key alt+n && sleep 1 # New: the database is empty
focus "$main"
import -window root "$out/main.png"
xdotool key F1
help="$(window 'Retirement Distribution Planner Help')" || fail "F1 opened no help window"
focus "$help"
import -window root "$out/help.png"
xprop -id "$main" WM_CLASS
kill "$app_pid" 2>/dev/null || true
echo "== passed; pictures and demo reports in $out"
