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
trap 'stop_processes "${app_pids[@]}"; cleanup' EXIT

export QT_LOGGING_RULES="dewmoth.quote_window.debug=true"
folder="$WORK/My \"odd\" \$HOME \\ Zoë's programs"
mkdir -p "$folder"
cp "$program" "$(dirname "$program")/TIPOFDAY.TXT" "$folder/"
entry="$XDG_CONFIG_HOME/autostart/Dewmoth.desktop"

start_xvfb

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
