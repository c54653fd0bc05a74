#!/usr/bin/env bash
# Replays every committed corpus input once through its fuzz target (a deterministic test),
# then runs every target side by side for SECONDS, each from the committed corpus plus what
# earlier runs found, and fails when any of them finds a crash.
set -uo pipefail
seconds=${1:-60}
cd "$(dirname "$0")/.."
pids=()
targets=(quote_file exec_line)
for t in "${targets[@]}"; do
    if ! "build/fuzz/bin/fuzz_$t" tests/fuzz/corpus/$t/* >"build/fuzz/$t.replay.log" 2>&1; then
        echo "fuzz_$t FAILED on the committed corpus:"; tail -n 60 "build/fuzz/$t.replay.log"
        exit 1
    fi
    echo "fuzz_$t: $(ls tests/fuzz/corpus/$t | wc -l) committed inputs replayed"
done
for t in "${targets[@]}"; do
    mkdir -p "build/fuzz/corpus/$t"
    "build/fuzz/bin/fuzz_$t" -max_total_time="$seconds" -max_len=4096 \
        "build/fuzz/corpus/$t" "tests/fuzz/corpus/$t" >"build/fuzz/$t.log" 2>&1 &
    pids+=($!)
done
status=0
for i in "${!targets[@]}"; do
    t=${targets[$i]}
    if wait "${pids[$i]}"; then
        echo "fuzz_$t: $(ls "build/fuzz/corpus/$t" | wc -l) inputs in its corpus; $(tail -n 1 "build/fuzz/$t.log")"
    else
        echo "fuzz_$t FAILED:"; tail -n 60 "build/fuzz/$t.log"; status=1
    fi
done
exit $status
