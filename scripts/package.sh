#!/usr/bin/env bash
# Builds the Debian package from a finished build and checks it: the files it must hold, its
# name, version and dependencies, and the desktop entry and metainfo as desktops read them.
#   scripts/package.sh [BUILD_DIR]     prints the package's path
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(cd "${1:-build}" && pwd)"
fail() { echo "package.sh: $*" >&2; exit 1; }

rm -rf "$build/package"
(cd "$build" && cpack -G DEB -B "$build/package" >"$build/package.log" 2>&1) ||
    { cat "$build/package.log" >&2; fail "cpack failed"; }
debs=("$build"/package/rmdcalc_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single rmdcalc_*.deb"
deb="${debs[0]}"

version="$(sed -n 's/^project(rmdcalc VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
[ "$(dpkg-deb -f "$deb" Package)" = rmdcalc ] || fail "$deb: the package is not named rmdcalc"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] ||
    fail "$deb: version $(dpkg-deb -f "$deb" Version), the project's is $version"
depends="$(dpkg-deb -f "$deb" Depends)"
for needed in fonts-liberation2 libqt6widgets6 libqt6charts6 libzip4 libcairo2; do
    grep -q "\b$needed\b" <<<"$depends" || fail "$deb: Depends lacks $needed: $depends"
done

files="$(dpkg-deb -c "$deb" | awk '{print $6}')"
expected=(
    ./usr/bin/rmdcalc ./usr/bin/rmdbatch
    ./usr/share/rmdcalc/rmdcalc.icf ./usr/share/rmdcalc/help/index.html
    ./usr/share/applications/rmdcalc.desktop
    ./usr/share/icons/hicolor/scalable/apps/rmdcalc.svg
    ./usr/share/metainfo/com.brantex.rmdcalc.metainfo.xml
    ./usr/share/man/man1/rmdcalc.1 ./usr/share/man/man1/rmdbatch.1
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/rmdcalc.png")
done
for help in docs/help/*.html; do
    expected+=("./usr/share/rmdcalc/help/$(basename "$help")")
done
for file in "${expected[@]}"; do
    grep -qxF "$file" <<<"$files" || fail "$deb does not hold $file"
done

unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/rmdcalc.desktop" ||
    fail "desktop-file-validate refuses rmdcalc.desktop"
# --no-net: the screenshot addresses are not fetched, so the check needs no network.
appstreamcli validate --no-net --pedantic \
    "$unpacked/usr/share/metainfo/com.brantex.rmdcalc.metainfo.xml" >/dev/null ||
    fail "appstreamcli validate refuses the metainfo"
echo "$deb"
