#!/usr/bin/env bash
# Builds Plaxen in Release with the benchmarks (build/bench) and runs every
# one of them on a private X server with Mesa's software renderer, the
# window at 1024 x 768 where a window is measured. Each prints medians.
# Quiet machine, please: other load shows up in every figure.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/install-deps.sh"
build=${BENCH_BUILD:-$top/build/bench}
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DPLAXEN_TESTS=OFF -DPLAXEN_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)"

export LIBGL_ALWAYS_SOFTWARE=1 GDK_BACKEND=x11
b=$build/bench
x() { xvfb-run -a -s "-screen 0 1280x1024x24 +extension GLX" "$@"; }
cd "$top" # the game reads res/ from here

echo "== start-up, memory and idle: the game beside a bare wxGLCanvas window"
x "$b/plaxen_bench_startup" "$b/libplaxen_bench_firstframe.so" "$build/app/plaxen" \
    "$b/plaxen_bench_bare" 9
echo "== frames and PlaceChips"
x "$b/plaxen_bench_release"
echo "== one pick, left press to decision"
x "$b/plaxen_bench_pick"
echo "== a frame with the analysis running beside one without"
x "$b/plaxen_bench_analysis"
echo "== one chip's cylinder"
"$b/plaxen_bench_scene" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
echo "== the engine: perft 10, search speed, depth in a second, bench fingerprint"
"$b/plaxen_bench_engine"
echo "== stopping the computer's search"
"$b/plaxen_bench_cancel"
