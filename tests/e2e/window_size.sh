#!/usr/bin/env bash
# Starts the program three times in a row under X11 with a window manager, X11 without one and
# Wayland, closes it each time, and checks that the stored outer size never changes.
set -euo pipefail
program=$1
. "$(dirname "$0")/lib.sh"

export QT_LOGGING_RULES="dewmoth.quote_window.debug=true"
ini="$XDG_CONFIG_HOME/Dewmoth/$(basename "$program").ini"

run_once() { # prints the stored "width height" after one start and close
    local log="$WORK/run.log"
    "$program" >"$log" 2>&1 &
    local app=$!
    if ! wait_for 15 grep -q "first expose" "$log"; then
        echo "the window never appeared:" >&2; cat "$log" >&2; kill "$app"; return 1
    fi
    sleep 1 # the frame correction and the window manager's answer
    kill -TERM "$app" # closes the window the ordinary way, as at logout
    wait "$app"
    echo "$(sed -n 's/^Width=//p' "$ini") $(sed -n 's/^Height=//p' "$ini")"
}

check() { # check NAME: three runs from nothing stored, then three from a stored size
    local name=$1 first second third
    rm -f "$ini"
    first=$(run_once); second=$(run_once); third=$(run_once)
    echo "$name: $first / $second / $third"
    [ -n "$first" ] && [ "$first" = "$second" ] && [ "$second" = "$third" ] || return 1
    printf '[size]\nWidth=9000\nHeight=7200\n' >"$ini"
    first=$(run_once); second=$(run_once)
    echo "$name, from 9000 x 7200: $first / $second"
    [ "$first" = "9000 7200" ] && [ "$second" = "9000 7200" ]
}

status=0
start_xvfb wm && check "X11 with openbox" || status=1
stop_servers
start_xvfb && check "X11 without a window manager" || status=1
stop_servers
start_weston && check "Wayland (weston)" || status=1
stop_servers
exit $status
