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

make_prefix() {
    mkdir -p "$1"
    WINEPREFIX="$1" xvfb-run -a wineboot --init >/dev/null 2>&1 || true
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
    xvfb-run -a wine "$@" -o "$(winepath -w "$DEWMOTH_QT_TEST_LOG"),txt" || status=$?
    cat "$DEWMOTH_QT_TEST_LOG" 2>/dev/null || echo "no test output"
else
    xvfb-run -a wine "$@" || status=$?
fi
wineserver -k >/dev/null 2>&1 || true
exit $status
