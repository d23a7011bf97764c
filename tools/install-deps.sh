#!/usr/bin/env bash
# Installs the Debian packages Plaxen needs to build, run and test; skips
# what is already there. Uses sudo when not run as root.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    libwxgtk3.2-dev libgtk-3-dev libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth
    scdoc # builds the manual pages
)
if [ "${1:-}" = "--test" ]; then
    packages+=(clang libclang-rt-14-dev imagemagick)
    # The package test: Debian's checks of the .deb, its metainfo and desktop
    # entry, and xwininfo/xprop to see which windows the installed game opens.
    packages+=(lintian appstream desktop-file-utils x11-utils)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
