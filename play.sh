#!/usr/bin/env bash
# Builds Plaxen and starts it. The game reads its art from res/ under the
# working directory, so it runs from the top of the source tree.
set -euo pipefail
top=$(cd "$(dirname "$0")" && pwd)
"$top/tools/install-deps.sh"
cmake -S "$top" -B "$top/build/release" -DCMAKE_BUILD_TYPE=Release -DPLAXEN_TESTS=OFF >/dev/null
cmake --build "$top/build/release" -j"$(nproc)"
cd "$top"
if [ -x build/release/app/plaxen ]; then
    exec build/release/app/plaxen "$@"
fi
echo "Built everything there is; the game window is not part of the build yet."
