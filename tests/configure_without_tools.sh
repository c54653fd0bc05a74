#!/usr/bin/env bash
# Configures the whole project where no program can be found (as on a packager's machine
# without desktop-file-validate and appstreamcli): configuring must succeed and simply leave
# the tests of the missing tools out. Usage: configure_without_tools.sh SOURCE FOLDER CMAKE
# GENERATOR CXX MAKE AR RANLIB
set -euo pipefail
source=$1 folder=$2 cmake=$3
rm -rf "$folder"
# The compiler and build tools are named; every other program search looks in an empty root.
"$cmake" -S "$source" -B "$folder" -G "$4" -DCMAKE_CXX_COMPILER="$5" -DCMAKE_MAKE_PROGRAM="$6" \
    -DCMAKE_AR="$7" -DCMAKE_RANLIB="$8" -DCMAKE_FIND_ROOT_PATH="$folder/empty" \
    -DCMAKE_FIND_ROOT_PATH_MODE_PROGRAM=ONLY >"$folder.log" 2>&1 ||
    { cat "$folder.log"; echo "configuring without the validators failed"; exit 1; }
grep -q '^DESKTOP_FILE_VALIDATE:FILEPATH=DESKTOP_FILE_VALIDATE-NOTFOUND$' "$folder/CMakeCache.txt"
grep -q '^APPSTREAMCLI:FILEPATH=APPSTREAMCLI-NOTFOUND$' "$folder/CMakeCache.txt"
if (cd "$folder" && ctest -N) | grep -q validate_; then
    echo "a validator test was added without its tool"; exit 1
fi
echo "configured without desktop-file-validate and appstreamcli; their tests are left out"
