#!/usr/bin/env bash
# Builds the fuzzers with clang (libFuzzer + AddressSanitizer + UBSan) in
# build/fuzz and runs each for FUZZ_SECONDS (default 60) on a fresh seed
# corpus plus the kept reproducers in fuzz/regressions/. Fails on any crash,
# leak, hang (10 s per input) or memory blow-up (2 GB). The last libFuzzer
# status line of each target (execs, cov, ft) is printed for the record.
# "run.sh --list" only prints the targets' names (test.sh counts them).
set -euo pipefail
targets=(texture mesh savegame engine pdn)
if [ "${1:-}" = --list ]; then
    echo "${targets[@]}"
    exit 0
fi
top=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-$top/build/fuzz}
seconds=${FUZZ_SECONDS:-60}

CC=clang CXX=clang++ cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPLAXEN_GUI=OFF -DPLAXEN_TESTS=OFF -DPLAXEN_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

seeds=$build/seeds
rm -rf "$seeds"
"$top/fuzz/make-corpus.sh" "$seeds"

status=0
for target in "${targets[@]}"; do
    corpus=$build/corpus/$target
    artifacts=$build/artifacts/$target/
    mkdir -p "$corpus" "$artifacts"
    dirs=("$corpus" "$seeds/$target")
    [ -d "$top/fuzz/regressions/$target" ] && dirs+=("$top/fuzz/regressions/$target")
    log=$build/fuzz_$target.log
    echo "fuzz_$target: ${seconds}s"
    if ! "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts" \
        "${dirs[@]}" >"$log" 2>&1; then
        echo "fuzz_$target FAILED; reproducer in $artifacts, log $log" >&2
        tail -n 40 "$log" >&2
        status=1
        continue
    fi
    grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true
done
exit $status
