#!/usr/bin/env bash
# A 3 GiB quote file of short sayings is indexed, and a saying printed and shown, by a program
# allowed 1 GiB of memory: the file is never held, only where its lines start. Needs 3 GiB of
# free disk in TMPDIR; labelled "large" so that small machines may leave it out.
set -euo pipefail
program=$1
. "$(dirname "$0")/lib.sh"
export XDG_DATA_HOME="$WORK/data"
mkdir -p "$WORK/bin" "$XDG_DATA_HOME/Dewmoth"
cp "$program" "$WORK/bin/"
quotes="$XDG_DATA_HOME/Dewmoth/TIPOFDAY.TXT"
# 60 million sayings of 51 bytes, and one last that differs.
{ yes "The tide comes back for those who wait on the shore." || true; } | head -c $((3 << 30)) >"$quotes"
printf '\nThe last saying of three gigabytes.\n' >>"$quotes"

# A memory cgroup where the machine offers one to us; else a limit on the address space, which
# is stricter (it counts what is mapped but never used, such as the program's libraries).
limit=(prlimit --as=$((1 << 30)) --)
how="address space limited with prlimit"
if systemd-run --user --scope --quiet -p MemoryMax=1G -p MemorySwapMax=0 true 2>/dev/null; then
    limit=(systemd-run --user --scope --quiet -p MemoryMax=1G -p MemorySwapMax=0 --)
    how="memory cgroup of 1 GiB"
fi
echo "limit: $how"

start=$(date +%s%N)
out=$("${limit[@]}" "$WORK/bin/dewmoth" --print) || { echo "FAILED: --print under the limit"; exit 1; }
echo "ok: --print under the limit printed \"$out\" in $((($(date +%s%N) - start) / 1000000)) ms"

export QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="dewmoth.quote_window.debug=true"
"${limit[@]}" "$WORK/bin/dewmoth" >"$WORK/window.log" 2>&1 &
pid=$!
for _ in $(seq 600); do
    grep -q "showing saying" "$WORK/window.log" && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if grep -q "showing saying" "$WORK/window.log"; then
    echo "ok: the window showed $(grep -o 'saying [0-9]* of [0-9]*' "$WORK/window.log")"
    kill -TERM "$pid"; wait "$pid" || true
else
    echo "FAILED: the window showed no saying under the limit"; cat "$WORK/window.log"
    kill -KILL "$pid" 2>/dev/null || true
    exit 1
fi
