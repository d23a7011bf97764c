#!/usr/bin/env bash
# The game's resident memory through real clicks and whole games: builds the
# memory probe (Release, build/memory) and runs it on a private X server with
# Mesa's software renderer. Arguments go to the probe:
#   tools/memory.sh [clicks [warm-up [games [seed]]]]   (1000 100 5 1)
# It prints the resident set before and after the clicks, per click, and at
# the end of every game (random legal moves clicked square by square, then
# New Game).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/install-deps.sh"
build=${MEMORY_BUILD:-$top/build/memory}
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DPLAXEN_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target plaxen_memory_probe

export LIBGL_ALWAYS_SOFTWARE=1 GDK_BACKEND=x11
cd "$top" # the game reads res/ from here
xvfb-run -a -s "-screen 0 1024x768x24 +extension GLX" "$build/tools/plaxen_memory_probe" "$@" \
    2> >(grep -v -e 'Gtk-WARNING' -e '^$' >&2)
