#!/usr/bin/env bash
# Starts the game on a private 1024x768 X server, waits until its first
# frame is on the screen and saves a picture of the whole screen.
#   tools/screenshot.sh <out.png> [path to the plaxen binary]
# Without a binary it uses build/release/app/plaxen, building it if needed.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
self="$top/tools/$(basename "$0")"

# Runs inside the X server: the game from the top of the tree (it reads
# res/ from there), then grabs until two grabs half a second apart agree
# and show more than an empty screen.
if [ "${1:-}" = "--inside" ]; then
    out=$2 bin=$3
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    LIBGL_ALWAYS_SOFTWARE=1 "$bin" &
    game=$!
    ok=0
    for _ in $(seq 1 60); do
        sleep 0.5
        kill -0 "$game" 2>/dev/null || break
        import -window root "$work/now.png"
        spread=$(convert "$work/now.png" -format '%[fx:standard_deviation]' info:)
        if [ -f "$work/last.png" ] && awk "BEGIN { exit !($spread > 0.05) }" &&
            [ "$(compare -metric AE "$work/last.png" "$work/now.png" null: 2>&1 || true)" = "0" ]; then
            cp "$work/now.png" "$out"
            ok=1
            break
        fi
        mv "$work/now.png" "$work/last.png"
    done
    kill "$game" 2>/dev/null || true
    wait "$game" 2>/dev/null || true
    [ "$ok" = 1 ] || { echo "screenshot.sh: no steady frame within 30 s" >&2; exit 1; }
    exit 0
fi

out=${1:?usage: tools/screenshot.sh <out.png> [plaxen binary]}
case "$out" in /*) ;; *) out="$PWD/$out" ;; esac
bin=${2:-$top/build/release/app/plaxen}
case "$bin" in /*) ;; *) bin="$PWD/$bin" ;; esac

if [ ! -x "$bin" ]; then
    cmake -S "$top" -B "$top/build/release" -DCMAKE_BUILD_TYPE=Release -DPLAXEN_TESTS=OFF >/dev/null
    cmake --build "$top/build/release" --target plaxen -j"$(nproc)"
fi


cd "$top"
xvfb-run -a -s "-screen 0 1024x768x24 +extension GLX" "$self" --inside "$out" "$bin"
echo "$out"
