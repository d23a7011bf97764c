#!/usr/bin/env bash
# Plays the scripted games (the play and view tests) and one real start and
# shut-down of the game (the start-up probe) under LeakSanitizer, on a
# private X server with Mesa's software renderer. Memory that GTK, GLib,
# fontconfig, the X libraries and Mesa keep until exit is suppressed by
# tools/lsan.supp; anything else fails the run, every scene node included.
#   tools/leaks.sh [sanitizer build dir]   (default build/asan, as test.sh makes it)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build/asan}
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DPLAXEN_SANITIZE=ON -DPLAXEN_TESTS=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target play_test view_test plaxen_startup_probe

export LIBGL_ALWAYS_SOFTWARE=1 GDK_BACKEND=x11
# The sanitizer's record of dynamically loaded TLS goes wrong once GTK and
# Mesa have loaded and unloaded their modules a few times, and the leak check
# then crashes. Without the record those TLS blocks are not searched for
# pointers, which can only add reports, never hide one.
export ASAN_OPTIONS=detect_leaks=1:intercept_tls_get_addr=0
export LSAN_OPTIONS=suppressions=$top/tools/lsan.supp:print_suppressions=1
cd "$top" # the programs read res/ from here
status=0
for bin in tests/play/play_test tests/view/view_test tests/app/plaxen_startup_probe; do
    log=$build/leaks-$(basename "$bin").log
    if xvfb-run -a -s "-screen 0 1280x1024x24 +extension GLX" "$build/$bin" >"$log" 2>&1; then
        echo "$bin: no leaks ($(grep -A12 'Suppressions used' "$log" | awk 'NR > 2 && $1 ~ /^[0-9]+$/ { n += $1; b += $2 } END { printf "%d system allocations, %d bytes suppressed", n, b }'))"
    else
        echo "$bin: FAILED, see $log" >&2
        grep -E 'leak of|SUMMARY|FAILED' "$log" >&2 || true
        status=1
    fi
done
exit $status
