#!/usr/bin/env bash
# Installs the build into a scratch root as a package would (prefix /usr), checks the layout,
# runs the installed program under Xvfb, switches start-at-logon on and checks that the entry
# points at the installed program. The Debian package is tested apart, as Debian builds it
# (tests/package/deb_in_chroot.sh).
set -euo pipefail
build=$1
. "$(dirname "$0")/lib.sh"
app=""
trap '[ -n "$app" ] && stop_processes "$app"; cleanup' EXIT

root="$WORK/root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
for f in usr/lib/dewmoth/dewmoth usr/lib/dewmoth/TIPOFDAY.TXT etc/dewmoth/TIPOFDAY.TXT usr/bin/dewmoth \
         usr/share/applications/example.orlanvesty.Dewmoth.desktop \
         usr/share/metainfo/example.orlanvesty.Dewmoth.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/example.orlanvesty.Dewmoth.svg \
         usr/share/icons/hicolor/256x256/apps/example.orlanvesty.Dewmoth.png \
         usr/share/man/man1/dewmoth.1; do
    [ -e "$root/$f" ] || { echo "missing from the installation: $f"; exit 1; }
done
[ "$(readlink "$root/usr/bin/dewmoth")" = ../lib/dewmoth/dewmoth ] || { echo "bad bin link"; exit 1; }
# The quote file is a configuration file under /etc; the program's folder points to it.
[ -f "$root/etc/dewmoth/TIPOFDAY.TXT" ] && [ ! -L "$root/etc/dewmoth/TIPOFDAY.TXT" ] &&
    [ "$(readlink "$root/usr/lib/dewmoth/TIPOFDAY.TXT")" = ../../../etc/dewmoth/TIPOFDAY.TXT ] ||
    { echo "the quote file is not /etc/dewmoth/TIPOFDAY.TXT with a link beside the program"; exit 1; }

export QT_LOGGING_RULES="dewmoth.quote_window.debug=true"
start_xvfb
"$root/usr/bin/dewmoth" >"$WORK/run.log" 2>&1 &
app=$!
wait_for 15 grep -q "first expose" "$WORK/run.log" || { cat "$WORK/run.log"; exit 1; }
grep -q "showing saying" "$WORK/run.log" || { echo "no saying shown:"; cat "$WORK/run.log"; exit 1; }
window=$(xdotool search --sync --name '^Dewmoth$' | head -n 1)
xdotool mousemove --window "$window" 14 316 click 1
entry="$XDG_CONFIG_HOME/autostart/Dewmoth.desktop"
wait_for 10 test -f "$entry" || { echo "no autostart entry"; exit 1; }
grep -qx "Exec=$root/usr/lib/dewmoth/dewmoth" "$entry" ||
    { echo "the entry does not start the installed program:"; cat "$entry"; exit 1; }
kill -TERM "$app"; wait "$app" || true; app=""
echo "installed program ran and its autostart entry points at it"
