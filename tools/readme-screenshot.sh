#!/usr/bin/env bash
# Regenerates docs/screenshot.png for the README: the game's first frame on
# a private X server (tools/screenshot.sh), cut down to the game's window.
#   tools/readme-screenshot.sh [path to the plaxen binary]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$top/tools/screenshot.sh" "$work/screen.png" "$@" >/dev/null
# Without a window manager the frame sits in the top left corner of a black
# screen; trimming the black margin leaves exactly the frame.
mkdir -p "$top/docs"
convert "$work/screen.png" -trim +repage "$top/docs/screenshot.png"
echo "$top/docs/screenshot.png"
