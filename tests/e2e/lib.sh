# Shared by the end-to-end scripts: a scratch folder that stands in for the user's home and
# configuration, and private display servers that are started, and stopped, here. Each server
# function leaves its PID in SERVER_PIDS; stop_servers ends only those. A script that starts
# more sets its own EXIT trap and calls cleanup from it.

SERVER_PIDS=()
WORK=$(mktemp -d)
# The texts the scripts look for are the English ones, whatever the machine's language.
export LANG=C.UTF-8 LC_ALL=C.UTF-8 LANGUAGE=
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_CONFIG_DIRS="$WORK/etc-xdg"

cleanup() {
    stop_servers
    rm -rf "$WORK"
}
trap cleanup EXIT

stop_servers() {
    local pid
    for pid in "${SERVER_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${SERVER_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
    SERVER_PIDS=()
}

stop_processes() { # stop_processes PID...: asks each to end and waits until it has, so that
    # nothing still writes into the scratch folder while it is removed (a program started by a
    # launcher is not this shell's child, so it is watched rather than waited for)
    local pid
    for pid in "$@"; do kill -TERM "$pid" 2>/dev/null || true; done
    for pid in "$@"; do
        # Gone, or a child that has ended and only waits to be reaped.
        wait_for 5 sh -c "! ps -o stat= -p $pid | grep -q '^[^Z]'" ||
            kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
}

wait_for() { # wait_for SECONDS COMMAND...: polls until COMMAND succeeds
    local tries=$(($1 * 10)); shift
    for _ in $(seq "$tries"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}

start_xvfb() { # start_xvfb [wm] [WxH]: sets DISPLAY; with "wm", also an openbox window manager
    # Xvfb picks a free display itself and names it once it listens: a display number that only
    # looks free here (a chroot's /tmp) may be taken in the abstract socket space of the machine.
    local d displayfile="$WORK/display.$RANDOM"
    Xvfb -displayfd 3 -screen 0 "${2:-1280x1024}x24" -nolisten tcp 3>"$displayfile" \
        >/dev/null 2>&1 &
    SERVER_PIDS+=($!)
    wait_for 30 grep -q '^[0-9]' "$displayfile" || { echo "Xvfb did not start" >&2; return 1; }
    d=$(head -n 1 "$displayfile")
    export DISPLAY=":$d" QT_QPA_PLATFORM=xcb
    unset WAYLAND_DISPLAY
    if [ "${1:-}" = wm ]; then
        openbox --sm-disable >/dev/null 2>&1 &
        SERVER_PIDS+=($!)
        wait_for 30 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
            { echo "openbox did not start" >&2; return 1; }
    fi
}

start_weston() { # sets WAYLAND_DISPLAY on a private XDG_RUNTIME_DIR
    export XDG_RUNTIME_DIR="$WORK/run"
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    weston --backend=headless-backend.so --use-pixman --idle-time=0 --socket=wayland-e2e \
        >"$WORK/weston.log" 2>&1 &
    SERVER_PIDS+=($!)
    wait_for 30 test -S "$XDG_RUNTIME_DIR/wayland-e2e" ||
        { echo "weston did not start" >&2; cat "$WORK/weston.log" >&2; return 1; }
    export WAYLAND_DISPLAY=wayland-e2e QT_QPA_PLATFORM=wayland
    unset DISPLAY
}

start_wine() { # start_wine: a fresh Wine prefix in the scratch folder (a copy of
    # DEWMOTH_WINE_TEMPLATE when there is one, made once by tests/win/run-under-wine.sh), and a
    # wineserver that is ended with the scratch folder
    export WINEPREFIX="$WORK/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ -n "${DEWMOTH_WINE_TEMPLATE:-}" ] && [ -f "$DEWMOTH_WINE_TEMPLATE/system.reg" ]; then
        cp -a "$DEWMOTH_WINE_TEMPLATE" "$WINEPREFIX"
    else
        wineboot --init >/dev/null 2>&1 || true
    fi
    wineserver -w
    trap 'wineserver -k 2>/dev/null || true; cleanup' EXIT
}

reg_value() { # reg_value KEY NAME: the data of a registry value in the Wine prefix, or nothing
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
        awk -v n="$2" '$1 == n { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}

saying_panel() { # saying_panel WINDOW FILE.png: the part of the quote window that shows the saying
    import -window "$1" -crop 290x130+20+45 +repage "$2"
}

has_text() { # has_text FILE.png: whether the picture holds dark strokes (text) on its light ground
    local darkest; darkest=$(convert "$1" -colorspace Gray -format '%[fx:minima]' info:)
    awk -v d="$darkest" 'BEGIN { exit !(d < 0.3) }'
}
