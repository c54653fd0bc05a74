#!/usr/bin/env bash
# The Windows installer round trips under Wine (as Windows 10), each in a fresh prefix: a silent
# install for the current user (%LOCALAPPDATA%\Programs, the user's Start menu, HKCU), then one
# for every user (/AllUsers: Program Files, the all-users Start menu, HKLM). Each time the
# installed program shows a saying, makes its start-up shortcut where its installation belongs
# and stores its size in the registry; a silent uninstall then leaves nothing of the program:
# no files, no Start-menu entry, no Add/Remove Programs entry, no Dewmoth.lnk of its own. The
# user's remembered window size may stay.
# Usage: windows_installer.sh BUILDDIR (with Dewmoth-<version>-win64.exe)
set -euo pipefail
builddir=$1
. "$(dirname "$0")/lib.sh"
installer=$(ls "$builddir"/Dewmoth-*-win64.exe 2>/dev/null | head -1)
[ -n "$installer" ] || { echo "FAILED: no installer in $builddir (run make windows-package)"; exit 1; }
version=$(basename "$installer" | sed 's/^Dewmoth-\(.*\)-win64\.exe$/\1/')
start_xvfb wm 1280x1024
status=0
fail() { echo "FAILED: $mode: $*"; status=1; }
ok() { echo "ok: $mode: $*"; }

round_trip() { # round_trip per-user|all-users
    mode=$1
    rm -rf "$WORK/prefix"
    start_wine
    wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d win10 /f >/dev/null 2>&1
    local c="$WINEPREFIX/drive_c" flags=(/S) where hive startup other_startup
    local user_dir="$c/users/$(whoami)"
    if [ "$mode" = all-users ]; then
        flags+=(/AllUsers)
        where="$c/Program Files/Dewmoth" hive=HKLM
        menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs"
        startup="$menu/Startup" other_startup="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Startup"
    else
        where="$user_dir/AppData/Local/Programs/Dewmoth" hive=HKCU
        menu="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
        startup="$menu/Startup" other_startup="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Startup"
    fi
    local arp="$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dewmoth"
    local other_arp="HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dewmoth"
    [ "$hive" = HKCU ] && other_arp="HKLM${other_arp#HKCU}"

    wine "$installer" "${flags[@]}"
    wineserver -w
    [ -f "$where/dewmoth.exe" ] && [ -f "$where/TIPOFDAY.TXT" ] && ok "installed in $where" ||
        fail "nothing in $where: $(find "$c" -iname dewmoth.exe)"
    [ -f "$menu/Dewmoth.lnk" ] && ok "Start-menu entry in $menu" ||
        fail "no Start-menu entry: $(find "$c" -iname 'Dewmoth*.lnk')"
    [ "$(reg_value "$arp" DisplayVersion)" = "$version" ] &&
        ok "Add/Remove Programs under $hive: version $version" ||
        fail "Add/Remove Programs under $hive: version '$(reg_value "$arp" DisplayVersion)'"
    [ "$(reg_value "$arp" Publisher)" = "Orlan Vesty Readings" ] || fail "publisher '$(reg_value "$arp" Publisher)'"
    reg_value "$arp" DisplayIcon | grep -qi 'dewmoth.exe' || fail "icon '$(reg_value "$arp" DisplayIcon)'"
    wine reg query "$other_arp" >/dev/null 2>&1 && fail "an entry under the other hive too"

    # The installed program, started from its place: a saying, a start-up shortcut where this
    # installation belongs, and its size stored when OK closes it.
    wine "$(winepath -w "$where/dewmoth.exe")" >/dev/null 2>&1 &
    local pid=$!
    if wait_for 30 sh -c "xdotool search --name '^Dewmoth\$' | grep -q ."; then
        sleep 1
        local W; W=$(xdotool search --name '^Dewmoth$' | head -1)
        saying_panel "$W" "$WORK/panel.png"
        has_text "$WORK/panel.png" && ok "the installed program shows a saying" ||
            fail "the installed program shows no saying"
        xdotool windowactivate --sync "$W" >/dev/null 2>&1 || true
        xdotool key --clearmodifiers alt+s space
        # Wine names the folder StartUp; Windows, Startup.
        wait_for 10 sh -c "find '${startup%/*}' -maxdepth 2 -ipath '*/startup/Dewmoth.lnk' | grep -q ." &&
            ok "its check box made $startup/Dewmoth.lnk" ||
            fail "no start-up shortcut in $startup: $(find "$c" -iname 'Dewmoth.lnk')"
        [ -z "$(find "${other_startup%/*}" -maxdepth 2 -ipath '*/startup/Dewmoth.lnk' 2>/dev/null)" ] ||
            fail "a start-up shortcut in $other_startup too"
        xdotool key --clearmodifiers Return
        wait_for 10 sh -c "! xdotool search --name '^Dewmoth\$' | grep -q ." || fail "OK did not close"
    else
        fail "the installed program showed no window"
    fi
    wait "$pid" 2>/dev/null || true
    [ -n "$(reg_value 'HKCU\Software\Dewmoth\dewmoth\size' Width)" ] &&
        ok "its size stored in the registry" || fail "no size in the registry"

    wine "$(winepath -w "$where/Uninstall.exe")" "${flags[@]}"
    wineserver -w
    sleep 2 # the uninstaller runs again from a copy of itself and removes the original
    wineserver -w
    [ ! -e "$where" ] && ok "uninstall removed $where" || fail "left in $where: $(ls -A "$where")"
    [ ! -e "$menu/Dewmoth.lnk" ] && ok "uninstall removed the Start-menu entry" ||
        fail "Start-menu entry left"
    wine reg query "$arp" >/dev/null 2>&1 && fail "Add/Remove Programs entry left" ||
        ok "Add/Remove Programs entry gone"
    local left; left=$(find "$c" -iname 'Dewmoth.lnk')
    [ -z "$left" ] && ok "no Dewmoth.lnk left" || fail "shortcuts left: $left"
    wineserver -k 2>/dev/null || true
}

round_trip per-user
round_trip all-users
exit $status
