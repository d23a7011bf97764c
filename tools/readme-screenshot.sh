#!/usr/bin/env bash
# Regenerates the README's pictures: docs/screenshot.png, the game's first
# frame, and docs/evaluation-graph.png, a reviewed game with its move list
# and evaluation graph (tools/GraphShot.cpp), each taken on a private X
# server (tools/screenshot.sh) and cut down to the game's window.
#   tools/readme-screenshot.sh [plaxen binary [plaxen_graph_shot binary]]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
graph=${2:-$top/build/release/tools/plaxen_graph_shot}
if [ ! -x "$graph" ]; then
    cmake -S "$top" -B "$top/build/release" -DCMAKE_BUILD_TYPE=Release -DPLAXEN_TESTS=OFF >/dev/null
    cmake --build "$top/build/release" --target plaxen_graph_shot -j"$(nproc)"
fi
"$top/tools/screenshot.sh" "$work/screen.png" ${1:+"$1"} >/dev/null
# The shot is steady once the review has ended and the graph is up.
"$top/tools/screenshot.sh" "$work/graph.png" "$graph" >/dev/null
# Without a window manager the frame sits in the top left corner of a black
# screen; trimming the black margin leaves exactly the frame.
mkdir -p "$top/docs"
convert "$work/screen.png" -trim +repage "$top/docs/screenshot.png"
convert "$work/graph.png" -trim +repage "$top/docs/evaluation-graph.png"
echo "$top/docs/screenshot.png" "$top/docs/evaluation-graph.png"
