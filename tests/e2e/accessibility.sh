#!/usr/bin/env bash
# Starts the program under Xvfb and under weston, each time with its own session and
# accessibility bus, and reads it through AT-SPI (atspi_check.py) as a screen reader would.
set -euo pipefail
program=$1
. "$(dirname "$0")/lib.sh"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
check=$(dirname "$0")/atspi_check.py

read_aloud() { # one session bus for the program, the accessibility bus and the check
    dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately & bus=$!
    "$1" & app=$!
    status=0
    /usr/bin/python3 "$2" || status=$?
    kill $app $bus 2>/dev/null; wait $app 2>/dev/null
    exit $status' _ "$program" "$check" 2> >(grep -v "fd limit\|a11y.atspi.Registry" >&2)
}

echo "X11:"
start_xvfb && read_aloud
stop_servers
echo "Wayland:"
start_weston && read_aloud
