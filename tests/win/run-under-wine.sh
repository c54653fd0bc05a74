#!/usr/bin/env bash
# Runs one Windows program under Wine with a private X server, in a fresh Wine prefix of its
# own: DEWMOTH_WINEPREFIX (default: ./wineprefix) is made anew for every run, as a copy of
# DEWMOTH_WINE_TEMPLATE when that is set (made once, the slow part), so that no run sees what
# another left in the registry or the Startup folders.
set -euo pipefail
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine turns Unix file names into Windows ones by the locale's character set: in the C locale of
# a bare system, a name with "é" cannot be made at all.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
prefix="${DEWMOTH_WINEPREFIX:-$PWD/wineprefix}"

with_xvfb() { # with_xvfb COMMAND...: runs the command on a private Xvfb that picks a free
    # display itself (a number that only looks free in a chroot's /tmp may be taken machine-wide)
    local dir status=0 xvfb
    dir=$(mktemp -d)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 300); do grep -q '^[0-9]' "$dir/display" && break; sleep 0.1; done
    DISPLAY=":$(head -n 1 "$dir/display")" "$@" || status=$?
    kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null || true
    rm -rf "$dir"
    return $status
}

make_prefix() {
    mkdir -p "$1"
    WINEPREFIX="$1" with_xvfb wineboot --init >/dev/null 2>&1 || true
    WINEPREFIX="$1" wineserver -w || true
}

rm -rf "$prefix"
if [ -n "${DEWMOTH_WINE_TEMPLATE:-}" ]; then
    # Made under a lock: tests that run side by side may both find it missing.
    mkdir -p "$(dirname "$DEWMOTH_WINE_TEMPLATE")"
    (
        flock 9
        [ -f "$DEWMOTH_WINE_TEMPLATE/system.reg" ] || make_prefix "$DEWMOTH_WINE_TEMPLATE"
    ) 9>"$DEWMOTH_WINE_TEMPLATE.lock"
    mkdir -p "$(dirname "$prefix")"
    cp -a "$DEWMOTH_WINE_TEMPLATE" "$prefix"
else
    make_prefix "$prefix"
fi
export WINEPREFIX="$prefix"
status=0
if [ -n "${DEWMOTH_QT_TEST_LOG:-}" ]; then
    # Qt Test writes to the debugger channel, not to a pipe, under Wine: into a file instead.
    rm -f "$DEWMOTH_QT_TEST_LOG"
    with_xvfb wine "$@" -o "$(winepath -w "$DEWMOTH_QT_TEST_LOG"),txt" || status=$?
    cat "$DEWMOTH_QT_TEST_LOG" 2>/dev/null || echo "no test output"
else
    with_xvfb wine "$@" || status=$?
fi
wineserver -k >/dev/null 2>&1 || true
exit $status
