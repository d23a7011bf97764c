#!/bin/sh
# Makes engine/weights/eval.txt from nothing but the engine's own games:
# 16,000 self-play games of the engine as it stood at commit b0c8aa3 (its
# hand-made evaluation; the generator is rebuilt from that commit), then
# logistic regression by today's trainer. Everything is seeded, so the same
# weights come out every time. About 45 minutes on two busy cores; the
# games are kept in build/train/ and not played again when present.
#
#   tools/train/make-weights.sh
set -eu

commit=b0c8aa3
top=$(cd "$(dirname "$0")/../.." && pwd)
data="$top/build/train"
mkdir -p "$data"

if [ ! -x "$data/plaxen_selfplay" ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    git -C "$top" archive "$commit" | tar -x -C "$work/"
    cmake -S "$work" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DPLAXEN_GUI=OFF \
        -DPLAXEN_TESTS=OFF >/dev/null
    cmake --build "$work/build" --target plaxen_selfplay -j"${JOBS:-2}" >/dev/null
    cp "$work/build/tools/plaxen_selfplay" "$data/plaxen_selfplay"
fi
for seed in 1 2 3 4 5 6 7 8; do
    [ -s "$data/selfplay-$seed.bin" ] ||
        nice -n 19 "$data/plaxen_selfplay" "$data/selfplay-$seed.bin" 2000 1500 "$seed" 2
done

cmake -S "$top" -B "$top/build/rel" -DCMAKE_BUILD_TYPE=Release -DPLAXEN_GUI=OFF \
    -DPLAXEN_TESTS=OFF >/dev/null
cmake --build "$top/build/rel" --target plaxen_train -j"${JOBS:-2}" >/dev/null
nice -n 19 "$top/build/rel/tools/plaxen_train" "$top/engine/weights/eval.txt" \
    "$data"/selfplay-[1-8].bin --epochs 150 --lambda 2e-8 --scale 150
