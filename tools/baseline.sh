#!/bin/sh
# Builds the fixed opponent every engine change is measured against: the
# engine as it stood at commit 074db16, before time use, history, learned
# evaluation and book, with one addition (tools/baseline-nodes.patch) so it
# understands "go nodes <n>" the way the current engine does; its play is
# unchanged. The program lands in build/baseline/plaxen-engine, where
# plaxen_match's "baseline" finds it.
#
#   tools/baseline.sh            # build it if it is not there yet
#   tools/baseline.sh --force    # build it again
set -eu

commit=074db16
top=$(cd "$(dirname "$0")/.." && pwd)
out="$top/build/baseline"
if [ -x "$out/plaxen-engine" ] && [ "${1:-}" != "--force" ]; then
    echo "baseline engine already built: $out/plaxen-engine"
    exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# An export rather than a git worktree: nothing in the repository changes.
git -C "$top" archive "$commit" | tar -x -C "$work/"
patch -d "$work" -p1 --quiet <"$top/tools/baseline-nodes.patch"
cmake -S "$work" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DPLAXEN_GUI=OFF \
    -DPLAXEN_TESTS=OFF >/dev/null
cmake --build "$work/build" --target plaxen-engine -j"${JOBS:-2}" >/dev/null
mkdir -p "$out"
cp "$work/build/engine/plaxen-engine" "$out/plaxen-engine"
echo "baseline engine ($commit): $out/plaxen-engine"
