#!/usr/bin/env bash
# Builds a static Qt for Windows (MinGW-w64) from Debian's own qt6-base source package, the same
# version as the host Qt, so that the Windows program needs nothing beyond Debian's archive.
#
# The result goes to a cache outside the build tree, keyed by the Qt version and the options
# below; a finished build there is reused, and a new host Qt or new options make a new one.
# Prints the Qt prefix as the last line of its output. Usage: build-windows-qt.sh [--print-prefix]
set -euo pipefail

host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
# The options are part of the key: changing one of them builds afresh.
options=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=OFF
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_network=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_vulkan=OFF
    # Debian's source lacks the tablet header this needs.
    -DFEATURE_tabletevent=OFF
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF
)
key=$(printf '%s\n' "$host_version" "${options[@]}" | sha256sum | cut -c1-12)
cache_root=${DEWMOTH_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/dewmoth/qt-windows}
prefix="$cache_root/${host_version%%+*}-$key"

if [ -f "$prefix/.complete" ]; then
    [ "${1:-}" = --print-prefix ] || echo "Qt for Windows: reusing $prefix"
    echo "$prefix"
    exit 0
fi
[ "${1:-}" = --print-prefix ] && { echo "Qt for Windows is not built yet: run $0" >&2; exit 1; }

echo "Qt for Windows: building Qt $host_version from Debian's source into"
echo "  $prefix"
echo "This happens once per Qt version and takes about 25 minutes on two cores."
start=$(date +%s)

work="$cache_root/work-$key"
rm -rf "$work"
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/apt/sources.list.d"

# A private apt directory with the source entries matching the machine's binary entries, so
# that the machine's own configuration stays untouched.
for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    sed -e 's/^Types:.*/Types: deb-src/' "$f" > "$work/apt/sources.list.d/$(basename "$f")"
done
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    sed -n -e 's/^deb \(.*\)/deb-src \1/p' "$f" > "$work/apt/sources.list.d/$(basename "$f")"
done
apt_opts=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$work/apt/sources.list.d"
          -o "Dir::State::Lists=$work/apt/lists" -o "Dir::Cache=$work/apt/cache"
          -o "Debug::NoLocking=1" -o "APT::Sandbox::User=$(id -un)")
echo "[1/4] Fetching the qt6-base $host_version source"
apt-get "${apt_opts[@]}" -qq update
(cd "$work" && apt-get "${apt_opts[@]}" -qq source "qt6-base=$host_version" > source.log 2>&1) ||
    { cat "$work/source.log" >&2; exit 1; }
src=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -1)

# Kept beside the result: Qt's own toolchain file for users of qt-cmake loads this one.
toolchain="$prefix.toolchain.cmake"
mkdir -p "$cache_root"
cat > "$toolchain" <<'EOF'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF

echo "[2/4] Configuring"
cmake -S "$src" -B "$work/build" -G Ninja --log-level=WARNING \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(gcc -print-multiarch)/cmake" \
    "${options[@]}" > "$work/configure.log" 2>&1 ||
    { tail -40 "$work/configure.log" >&2; exit 1; }

echo "[3/4] Compiling (progress every 10%)"
# Ninja's [done/total] lines, thinned out to every tenth of the way.
set +e
cmake --build "$work/build" -j "$(nproc)" 2>&1 | tee "$work/build.log" |
    awk -F'[][/]' '/^\[[0-9]+\/[0-9]+\]/ { p = int($2 * 10 / $3); if (p > last) { last = p;
         printf "  %d%% (%d of %d)\n", p * 10, $2, $3; fflush() } }'
status=${PIPESTATUS[0]}
set -e
[ "$status" -eq 0 ] || { grep -m20 -B2 -A10 'error' "$work/build.log" >&2; exit 1; }

echo "[4/4] Installing"
cmake --install "$work/build" > "$work/install.log"
touch "$prefix/.complete"
rm -rf "$work"
# Builds for other Qt versions or options are of no further use.
for old in "$cache_root"/*-*; do
    case "$old" in "$prefix"|"$prefix.toolchain.cmake") ;; *) rm -rf "$old" ;; esac
done
echo "Qt for Windows: built in $(( ($(date +%s) - start) / 60 )) min"
echo "$prefix"
