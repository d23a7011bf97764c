#!/usr/bin/env bash
# Builds the whole test suite twice, plain and with AddressSanitizer +
# UndefinedBehaviorSanitizer, and runs it under a virtual X display with
# Mesa's software renderer, then fuzzes the file readers. Exits non-zero on
# the first failure.
set -euo pipefail
top=$(cd "$(dirname "$0")" && pwd)
"$top/tools/install-deps.sh" --test

jobs=$(nproc)
export LIBGL_ALWAYS_SOFTWARE=1
export GDK_BACKEND=x11

passed=0
run_suite() {
    local dir=$1; shift
    cmake -S "$top" -B "$dir" -DPLAXEN_TESTS=ON "$@" >/dev/null
    cmake --build "$dir" -j"$jobs"
    (cd "$dir" && xvfb-run -a -s "-screen 0 1280x1024x24 +extension GLX" \
        ctest --output-on-failure -j"$jobs" --timeout 600) | tee "$dir/ctest.log"
    # A failing suite has already stopped the script (pipefail); count the rest.
    local count
    count=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$dir/ctest.log")
    passed=$((passed + ${count:-0}))
}

# The readers of outside bytes (images, the board mesh, saved games, the
# engine's protocol) under libFuzzer for a minute each; needs clang, which
# --test installs.
run_fuzzers() {
    "$top/fuzz/run.sh"
}

run_suite "$top/build/test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
run_suite "$top/build/asan" -DCMAKE_BUILD_TYPE=Debug -DPLAXEN_SANITIZE=ON
run_fuzzers
# Every fuzzer ran its minute without a finding.
passed=$((passed + $("$top/fuzz/run.sh" --list | wc -w)))
echo "test.sh: $passed passed, 0 failed"
