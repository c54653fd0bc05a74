#!/usr/bin/env bash
# Checks the start-up box in the real program under Xvfb, then has GLib's desktop-entry
# launcher (as a session starts autostart entries) run the entry it wrote, and waits for the
# program's window to appear. The program lies in a folder whose name needs quoting and
# escaping in an Exec line. (No "%" here: GLib looks the program up before it turns "%%" back
# into "%", so it cannot start such an entry; tst_desktop_entry covers "%".)
set -euo pipefail
program=$1
. "$(dirname "$0")/lib.sh"
app_pids=()
trap 'stop_processes "${app_pids[@]}"; umount "$XDG_CONFIG_HOME/autostart" 2>/dev/null || true; cleanup' EXIT

export QT_LOGGING_RULES="dewmoth.quote_window.debug=true"
folder="$WORK/My \"odd\" \$HOME \\ Zoë's programs"
mkdir -p "$folder"
cp "$program" "$(dirname "$program")/TIPOFDAY.TXT" "$folder/"
entry="$XDG_CONFIG_HOME/autostart/Dewmoth.desktop"

start_xvfb

start_and_close() { # start_and_close LOG: starts the program, waits for its window, ends it
    "$folder/dewmoth" >"$1" 2>&1 &
    local app=$!
    wait_for 15 grep -q "first expose" "$1" || { cat "$1"; kill "$app"; return 1; }
    sleep 0.5
    windows=$(xdotool search --name '^Dewmoth$' | wc -l)
    kill -TERM "$app"; wait "$app" || true
}

# With "full-disk": only a full autostart folder (a small tmpfs, which needs the right to mount
# one; skipped with the reason where that is missing) with a hand-edited entry of ours that
# still names an older place of the program.
if [ "${2:-}" = full-disk ]; then
    mkdir -p "$(dirname "$entry")"
    if ! why=$(mount -t tmpfs -o size=64k tmpfs "$(dirname "$entry")" 2>&1); then
        echo "skipped: a full disk needs a small tmpfs, which could not be mounted (${why:-no reason})"
        exit 77
    fi
    printf '[Desktop Entry]\nType=Application\nName=Dewmoth\nExec=/old/place/dewmoth\nX-Mine=1\n' \
        >"$entry"
    cp "$entry" "$WORK/entry.before"
    dd if=/dev/zero of="$(dirname "$entry")/filler" bs=4k 2>/dev/null || true
    status=0
    start_and_close "$WORK/full.log" || status=1
    cmp -s "$entry" "$WORK/entry.before" || { echo "the entry changed on a full disk"; status=1; }
    grep -q "could not be renewed" "$WORK/full.log" && [ "$windows" -ge 2 ] ||
        { echo "the user was not told"; cat "$WORK/full.log"; status=1; }
    umount "$(dirname "$entry")"
    [ $status = 0 ] || exit 1
    echo "a full disk: the entry stays byte for byte and the user is told"
    exit 0
fi

mkdir -p "$(dirname "$entry")"
echo "root:x:0:0:root:/root:/bin/bash" >"$WORK/document"
ln -s "$WORK/document" "$entry"
start_and_close "$WORK/link.log"
[ "$(cat "$WORK/document")" = "root:x:0:0:root:/root:/bin/bash" ] && [ -L "$entry" ] ||
    { echo "starting wrote through the link at the entry"; exit 1; }
rm "$entry"
echo "a link at the entry's name: left alone"

"$folder/dewmoth" >"$WORK/first.log" 2>&1 &
app_pids+=($!)
wait_for 15 grep -q "first expose" "$WORK/first.log" || { cat "$WORK/first.log"; exit 1; }
window=$(xdotool search --sync --name '^Dewmoth$' | head -n 1)
# The box sits at (8, 308) and is 13 x 17 pixels.
xdotool mousemove --window "$window" 14 316 click 1
wait_for 10 test -f "$entry" || { echo "no autostart entry was written"; exit 1; }
kill -TERM "${app_pids[0]}"; wait "${app_pids[0]}" || true
echo "written entry:"; cat "$entry"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$entry"; fi

# Start it the way a session does, and see the program's own window come up.
gio launch "$entry" >"$WORK/second.log" 2>&1 &
launcher=$!
wait_for 15 sh -c 'xdotool search --name "^Dewmoth$" >/dev/null' ||
    { echo "the entry did not start the program"; cat "$WORK/second.log"; exit 1; }
started=$(pgrep -f -n "Zoë's programs/dewmoth" || true)
[ -n "$started" ] && app_pids+=("$started")
[ "$(readlink "/proc/$started/exe")" = "$folder/dewmoth" ] ||
    { echo "a different program started: $(readlink "/proc/$started/exe")"; exit 1; }
echo "the entry started $(readlink "/proc/$started/exe")"
wait "$launcher" 2>/dev/null || true
