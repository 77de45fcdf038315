#!/usr/bin/env bash
# Installs the Debian packages the planner builds and tests with, when any is missing.
set -euo pipefail

# libcairo2-dev writes the PDF files; qt6-svg-dev renders the program icon; dpkg-dev,
# desktop-file-utils and appstream build and check the Debian package.
packages=(g++ cmake make pkg-config clang-format qt6-base-dev qt6-charts-dev libzip-dev libgif-dev
          libcairo2-dev libgtest-dev fonts-liberation2 poppler-utils python3
          qt6-svg-dev dpkg-dev desktop-file-utils appstream)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
