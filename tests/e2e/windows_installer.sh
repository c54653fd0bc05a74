#!/usr/bin/env bash
# The Windows installer round trip under Wine, in a fresh prefix: a silent install per machine
# under Program Files with a Start-menu entry and an Add/Remove Programs entry; the installed
# program shows a saying and makes its start-up shortcut; a silent uninstall then leaves nothing
# of the program: no files, no Start-menu entry, no entry in Add/Remove Programs, no Dewmoth.lnk
# in either Startup folder. The user's remembered window size may stay.
# Usage: windows_installer.sh BUILDDIR (with Dewmoth-<version>-win64.exe, made by cpack)
set -euo pipefail
builddir=$1
. "$(dirname "$0")/lib.sh"
installer=$(ls "$builddir"/Dewmoth-*-win64.exe 2>/dev/null | head -1)
[ -n "$installer" ] || { echo "FAILED: no installer in $builddir (run make windows-package)"; exit 1; }
version=$(basename "$installer" | sed 's/^Dewmoth-\(.*\)-win64\.exe$/\1/')
start_xvfb wm 1280x1024
start_wine
status=0
fail() { echo "FAILED: $*"; status=1; }
ok() { echo "ok: $*"; }
c="$WINEPREFIX/drive_c"
programs="$c/Program Files/Dewmoth"
menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs"
arp='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dewmoth'
arp_value() { wine reg query "$arp" /v "$1" 2>/dev/null | tr -d '\r' | awk -v n="$1" '$1 == n { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'; }

wine "$installer" /S
wineserver -w
[ -f "$programs/dewmoth.exe" ] && [ -f "$programs/TIPOFDAY.TXT" ] &&
    ok "installed under Program Files" || fail "nothing in $programs"
[ -f "$menu/Dewmoth/Dewmoth.lnk" ] && ok "Start-menu entry for every user" ||
    fail "no Start-menu entry: $(find "$c" -iname 'Dewmoth*.lnk')"
[ "$(arp_value DisplayVersion)" = "$version" ] && ok "Add/Remove Programs: version $version" ||
    fail "Add/Remove Programs version '$(arp_value DisplayVersion)'"
[ "$(arp_value Publisher)" = "Orlan Vesty Readings" ] && ok "publisher $(arp_value Publisher)" ||
    fail "publisher '$(arp_value Publisher)'"
arp_value DisplayIcon | grep -qi 'dewmoth.exe' && ok "icon $(arp_value DisplayIcon)" ||
    fail "icon '$(arp_value DisplayIcon)'"

# The installed program, started from its place: a saying, and a start-up shortcut made.
wine "C:\\Program Files\\Dewmoth\\dewmoth.exe" >/dev/null 2>&1 &
pid=$!
if wait_for 30 sh -c "xdotool search --name '^Dewmoth\$' | grep -q ."; then
    sleep 1
    W=$(xdotool search --name '^Dewmoth$' | head -1)
    saying_panel "$W" "$WORK/panel.png"
    has_text "$WORK/panel.png" && ok "the installed program shows a saying" ||
        fail "the installed program shows no saying"
    xdotool windowactivate --sync "$W" >/dev/null 2>&1 || true
    xdotool key --clearmodifiers alt+s space
    wait_for 10 sh -c "find '$c' -ipath '*/Programs/Startup/Dewmoth.lnk' | grep -q ." &&
        ok "its check box made a start-up shortcut" || fail "no start-up shortcut"
    xdotool key --clearmodifiers Return
    wait_for 10 sh -c "! xdotool search --name '^Dewmoth\$' | grep -q ." || fail "OK did not close"
else
    fail "the installed program showed no window"
fi
wait "$pid" 2>/dev/null || true
# One in the user's own Startup folder too, as the program makes where it may not write for all.
user_startup=$(find "$c/users" -ipath '*/Start Menu/Programs/Startup' -type d | head -1)
[ -n "$user_startup" ] && cp "$(find "$c" -ipath '*/Programs/Startup/Dewmoth.lnk' | head -1)" \
    "$user_startup/Dewmoth.lnk"

wine "C:\\Program Files\\Dewmoth\\Uninstall.exe" /S
wineserver -w
sleep 2 # the uninstaller runs again from a copy of itself and removes the original
wineserver -w
[ ! -e "$programs" ] && ok "uninstall removed the program folder" ||
    fail "left in Program Files: $(ls -A "$programs")"
[ ! -e "$menu/Dewmoth" ] && ok "uninstall removed the Start-menu entry" || fail "Start-menu entry left"
wine reg query "$arp" >/dev/null 2>&1 && fail "Add/Remove Programs entry left" ||
    ok "Add/Remove Programs entry gone"
left=$(find "$c" -iname 'Dewmoth.lnk')
[ -z "$left" ] && ok "no Dewmoth.lnk left in either Startup folder" || fail "shortcuts left: $left"
exit $status
