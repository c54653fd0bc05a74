#!/usr/bin/env bash
# Runs one Windows test program under Wine with a prefix inside the build tree and a private
# X server, so that the shell has a desktop window to work with.
set -euo pipefail
export WINEPREFIX="${DEWMOTH_WINEPREFIX:-$PWD/wineprefix}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    xvfb-run -a wineboot --init >/dev/null 2>&1 || true
    wineserver -w || true
fi
status=0
xvfb-run -a wine "$@" || status=$?
wineserver -k >/dev/null 2>&1 || true
exit $status
