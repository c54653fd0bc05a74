#!/usr/bin/env bash
# Starts the program three times in a row under X11 with a window manager, X11 without one and
# Wayland, closes it each time, and checks that the stored outer size never changes. Then the
# cases where the size must not be lost or the window not be lost: SIGHUP, a stored size too
# small to show the window, a settings folder held by another process or spoilt by a leftover
# lock, and a first start on a screen smaller than the window. The window opens centred, its
# real frame counted, with and without a window manager.
set -euo pipefail
program=$1
. "$(dirname "$0")/lib.sh"

export QT_LOGGING_RULES="dewmoth.quote_window.debug=true"
ini="$XDG_CONFIG_HOME/Dewmoth/$(basename "$program").ini"

settle() { # after the first expose: waits for the window manager's frame, where there is one
    local window
    if [ -n "${DISPLAY:-}" ] && xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"; then
        window=$(xdotool search --onlyvisible --name '^Dewmoth$' | head -n 1)
        [ -n "$window" ] && wait_for 5 sh -c "xprop -id $window _NET_FRAME_EXTENTS | grep -q ="
    fi
    sleep 0.5 # the program's answer to the frame
}

try_case() { # try_case NAME COMMAND...: runs a case, once more when it fails (a busy machine
    # may answer late), and names it in a FAILED line when it fails twice
    local name=$1; shift
    "$@" && return 0
    echo "retrying: $name"
    "$@" && return 0
    echo "FAILED: $name"
    return 1
}

run_once() { # run_once [SIGNAL]: prints the stored "width height" after one start and close
    local log="$WORK/run.log"
    "$program" >"$log" 2>&1 &
    local app=$!
    if ! wait_for 15 grep -q "first expose" "$log"; then
        echo "the window never appeared:" >&2; cat "$log" >&2; kill "$app"; return 1
    fi
    settle >&2
    kill "-${1:-TERM}" "$app" # closes the window the ordinary way, as at logout
    wait "$app"
    echo "$(sed -n 's/^Width=//p' "$ini") $(sed -n 's/^Height=//p' "$ini")"
}

check() { # check NAME: three runs from nothing stored, then three from a stored size
    local name=$1 first second third
    rm -f "$ini"
    first=$(run_once); second=$(run_once); third=$(run_once)
    echo "$name: $first / $second / $third"
    [[ "$first" =~ ^[0-9]+\ [0-9]+$ ]] && [ "$first" = "$second" ] && [ "$second" = "$third" ] || return 1
    printf '[size]\nWidth=9000\nHeight=7200\n' >"$ini"
    first=$(run_once); second=$(run_once)
    echo "$name, from 9000 x 7200: $first / $second"
    [ "$first" = "9000 7200" ] && [ "$second" = "9000 7200" ]
}

stored() { echo "$(sed -n 's/^Width=//p' "$ini") $(sed -n 's/^Height=//p' "$ini")"; }

hostile() { # the size survives, or the window shows, whatever stands in the way
    local design closed start
    rm -f "$ini"; design=$(run_once)
    rm -f "$ini"; [ "$(run_once HUP)" = "$design" ] || { echo "SIGHUP lost the size"; return 1; }
    printf '[size]\nWidth=1\nHeight=1\n' >"$ini"
    [ "$(run_once)" = "$design" ] || { echo "a 1-twip size was restored: $(stored)"; return 1; }
    mkdir "$ini.lock"
    printf '[size]\nWidth=9000\nHeight=7200\n' >"$ini"
    [ "$(run_once)" = "9000 7200" ] || { echo "a lock folder stopped the store"; return 1; }
    rmdir "$ini.lock"
    # Another process holds the settings folder for longer than anyone should wait.
    flock --close "$(dirname "$ini")" sleep 30 &
    local holder=$!
    sleep 0.3
    start=$(date +%s%N)
    closed=$(run_once)
    kill "$holder"; wait "$holder" 2>/dev/null || true
    echo "held folder: closed in $(( ($(date +%s%N) - start) / 1000000 - 1000 )) ms after the wait"
    [ "$closed" = "9000 7200" ] && grep -q "cannot store window size" "$WORK/run.log" ||
        { echo "a held folder: $closed"; cat "$WORK/run.log"; return 1; }
    # SIGTERM ends the program even while the modal About window is open, and stores the size.
    rm -f "$ini"
    "$program" >"$WORK/run.log" 2>&1 &
    local app=$! window
    wait_for 15 grep -q "first expose" "$WORK/run.log" || { cat "$WORK/run.log"; return 1; }
    window=$(xdotool search --onlyvisible --name '^Dewmoth$' | head -n 1)
    xdotool mousemove --window "$window" 392 84 click 1 # "About"
    wait_for 10 sh -c 'xdotool search --onlyvisible --name "^About Dewmoth$"' ||
        { echo "the About window did not open"; kill "$app"; return 1; }
    kill -TERM "$app"
    wait_for 5 sh -c "! kill -0 $app 2>/dev/null" ||
        { echo "SIGTERM did not end the program behind a modal window"; kill -KILL "$app"; return 1; }
    wait "$app" || true
    [ "$(stored)" = "$design" ] || { echo "the size was not stored: $(stored)"; return 1; }
    echo "SIGHUP, 1 twip, lock folder, held folder, SIGTERM behind a modal window: ok"
}

client_geometry() { # client_geometry WINDOW: prints "x y width height" of the client area
    # xwininfo, not xdotool: the latter counts a reparenting manager's frame twice.
    xwininfo -id "$1" | sed -n 's/.*Absolute upper-left [XY]: *//p; s/.*Width: *//p; s/.*Height: *//p' |
        tr '\n' ' '
}

centred() { # centred NAME: the outer frame opens centred on a 1280 x 1024 screen
    local log="$WORK/run.log" window x y w h extents l r t b
    "$program" >"$log" 2>&1 &
    local app=$!
    wait_for 15 grep -q "first expose" "$log" || { cat "$log"; kill "$app"; return 1; }
    # A busy machine may show the window a moment before the manager has framed and placed it.
    settle
    window=$(xdotool search --onlyvisible --name '^Dewmoth$' | head -n 1)
    read -r x y w h <<<"$(client_geometry "$window")"
    extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ' ')
    IFS=, read -r l r t b <<<"${extents:-0,0,0,0}"
    kill -TERM "$app"; wait "$app"
    local left=$((x - l)) top=$((y - t)) outer_w=$((w + l + r)) outer_h=$((h + t + b))
    echo "$1: outer ${outer_w}x$outer_h at $left,$top"
    [ $((2 * left + outer_w - 1280)) -ge -1 ] && [ $((2 * left + outer_w - 1280)) -le 1 ] &&
        [ $((2 * top + outer_h - 1024)) -ge -1 ] && [ $((2 * top + outer_h - 1024)) -le 1 ]
}

small_screen() { # small_screen NAME: a first start on a 320 x 240 screen fits on it
    local log="$WORK/run.log" window
    rm -f "$ini"
    "$program" >"$log" 2>&1 &
    local app=$!
    wait_for 15 grep -q "first expose" "$log" || { cat "$log"; kill "$app"; return 1; }
    settle
    window=$(xdotool search --onlyvisible --name '^Dewmoth$' | head -n 1)
    local x y w h
    read -r x y w h <<<"$(client_geometry "$window")"
    kill -TERM "$app"; wait "$app"
    local outer; outer=$(stored)
    echo "$1, 320 x 240 screen: client at $x,$y size ${w}x$h, outer in twips $outer"
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 320 ] && [ $((y + h)) -le 240 ] &&
        [ "${outer% *}" -le 4800 ] && [ "${outer#* }" -le 3600 ]
}

status=0
run_cases() { # run_cases SERVER [ARGS] -- NAME COMMAND... [-- NAME COMMAND...]: the cases on
    # one display server of their own
    local server=()
    while [ "$1" != -- ]; do server+=("$1"); shift; done
    shift
    if ! "${server[@]}"; then echo "FAILED: ${server[*]} did not start"; status=1; return; fi
    while [ $# -gt 0 ]; do
        local case=()
        while [ $# -gt 0 ] && [ "$1" != -- ]; do case+=("$1"); shift; done
        [ $# -gt 0 ] && shift
        try_case "${case[@]}" || status=1
    done
    stop_servers
}
run_cases start_xvfb -- "lost sizes and held folders" hostile \
    -- "centred without a window manager" centred "X11 without a window manager"
run_cases start_xvfb wm -- "centred with openbox" centred "X11 with openbox"
run_cases start_xvfb "" 320x240 -- "small screen without a window manager" \
    small_screen "X11 without a window manager"
run_cases start_xvfb wm 320x240 -- "small screen with openbox" small_screen "X11 with openbox"
run_cases start_xvfb wm -- "size kept with openbox" check "X11 with openbox"
run_cases start_xvfb -- "size kept without a window manager" check "X11 without a window manager"
run_cases start_weston -- "size kept on Wayland" check "Wayland (weston)"
exit $status
