#!/usr/bin/env bash
# Installs the Debian packages that building, running or testing Dewmoth needs, and only the
# ones that are missing. Usage: install-deps.sh run|test
set -euo pipefail

build=(cmake make g++ qt6-base-dev qt6-base-dev-tools libgl-dev libfontconfig-dev fonts-liberation2
       extra-cmake-modules qt6-tools-dev qt6-l10n-tools qt6-translations-l10n)
# Every program a test, benchmark or script of `make test` calls, by the package that brings it:
# Xvfb (xvfb); xwininfo, xprop (x11-utils); import, convert, compare (imagemagick);
# gio (libglib2.0-bin); pgrep, ps (procps); dbus-run-session (dbus-daemon); apt-get source,
# dpkg-buildpackage (dpkg-dev); file, to tell a stripped program; debhelper, debootstrap,
# lintian and autopkgtest for the Debian package; the MinGW-w64 toolchain, Wine, NSIS and
# icotool for Windows; fortunes-min, Debian's own fortune files that the command-line test reads.
test=(xvfb xauth x11-utils xdotool openbox weston qt6-wayland desktop-file-utils libglib2.0-bin
      procps git clang-format g++-mingw-w64-x86-64-posix wine wine64 doctest-dev
      clang-14 libclang-rt-14-dev appstream dpkg-dev valgrind at-spi2-core python3-pyatspi
      dbus-daemon g++-multilib ninja-build icoutils nsis imagemagick file
      debhelper debootstrap lintian autopkgtest fortunes-min)

case "${1:-run}" in
    run) wanted=("${build[@]}") ;;
    test) wanted=("${build[@]}" "${test[@]}") ;;
    *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

missing=()
for pkg in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
