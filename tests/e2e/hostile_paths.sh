#!/usr/bin/env bash
# Runs the program from folders whose names hold blanks, quotes, "$", "%", a newline and bytes
# that are not UTF-8, and checks that it finds its quote file beside it every time.
set -euo pipefail
program=$1
. "$(dirname "$0")/lib.sh"
export QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="dewmoth.quote_window.debug=true"

status=0
for name in "two words" "say \"hi\" it's" "\$HOME and %f %%" $'new\nline' $'latin1 caf\xe9' \
            $'bad \xff\xfe bytes' "back\\slash"; do
    folder="$WORK/$name"
    mkdir -p "$folder"
    cp "$program" "$(dirname "$program")/TIPOFDAY.TXT" "$folder/"
    log="$WORK/run.log"
    "$folder/dewmoth" >"$log" 2>&1 &
    app=$!
    for _ in $(seq 100); do grep -q "first frame painted" "$log" && break; sleep 0.1; done
    kill -TERM "$app"; wait "$app" || true
    if grep -q "showing saying" "$log"; then
        echo "ok: $(printf '%q' "$name")"
    else
        echo "FAILED: $(printf '%q' "$name")"; cat "$log"; status=1
    fi
done
exit $status
