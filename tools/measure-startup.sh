#!/usr/bin/env bash
# Times Plaxen's start-up to its first painted frame under Xvfb: the
# start-up probe (built with the tests) runs the real start-up and closes the
# frame once the view has painted. Prints hyperfine's summary (median of 5).
# Usage: tools/measure-startup.sh [build-dir]   (default: build/test)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build/test}
probe=$build/tests/app/plaxen_startup_probe
[ -x "$probe" ] || { echo "no start-up probe in $build (build with -DPLAXEN_TESTS=ON)" >&2; exit 1; }
cd "$top"
export LIBGL_ALWAYS_SOFTWARE=1 GDK_BACKEND=x11
xvfb-run -a -s "-screen 0 1280x1024x24 +extension GLX" \
    hyperfine --warmup 1 --runs 5 --style basic --export-json /dev/stdout "$probe" |
    sed -n '/"median"/p;/Time (mean/p;/Range/p'
