#!/usr/bin/env bash
# Start to first frame under Wine: dewmoth.exe against the minimal Qt window built the same way
# (static, same Qt, same compiler), run by run in turns on one private Xvfb, with one Wine
# server kept running for both. The frame counts when the X server shows the window as viewable.
# Also prints the stripped size of dewmoth.exe. Usage: wine_startup.sh PROGRAM REFERENCE [RUNS]
set -euo pipefail
program=$1; reference=$2; runs=${3:-15}
. "$(dirname "$0")/../tests/e2e/lib.sh"
start_xvfb "" 1280x1024
start_wine
wineserver -p # stays up between runs, as it does on a desktop that has run anything
mkdir -p "$WORK/app" "$WORK/ref"
cp "$program" "$(dirname "$program")/TIPOFDAY.TXT" "$WORK/app/"
cp "$reference" "$WORK/ref/"

once() { # once EXE TITLE: milliseconds from start until its window is viewable
    local start end pid
    start=$(date +%s%N)
    wine "$1" >/dev/null 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --name "$2" >/dev/null 2>&1; do
        # A start that never shows its window is a fault, not a slow sample.
        [ $(($(date +%s%N) - start)) -lt 30000000000 ] || { echo "$1 showed no window" >&2; exit 1; }
    done
    end=$(date +%s%N)
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    wait_for 10 sh -c "! xdotool search --name '$2' | grep -q ." || true
    echo $(((end - start) / 1000000))
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

ref_exe="$WORK/ref/$(basename "$reference")"
ref_title="^$(basename "$reference" .exe)\$"
once "$WORK/app/dewmoth.exe" '^Dewmoth$' >/dev/null # warm the caches for both
once "$ref_exe" "$ref_title" >/dev/null
: >"$WORK/ours" ; : >"$WORK/theirs"
for _ in $(seq "$runs"); do
    once "$WORK/app/dewmoth.exe" '^Dewmoth$' >>"$WORK/ours"
    once "$ref_exe" "$ref_title" >>"$WORK/theirs"
done
ours=$(median <"$WORK/ours"); theirs=$(median <"$WORK/theirs")
echo "start to first frame under Wine, median of $runs: dewmoth.exe $ours ms," \
     "minimal window $theirs ms, ratio $(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.2f", a / b }')"
x86_64-w64-mingw32-strip -o "$WORK/stripped.exe" "$program"
echo "dewmoth.exe: $(stat -c %s "$program") bytes, stripped $(stat -c %s "$WORK/stripped.exe") bytes"
