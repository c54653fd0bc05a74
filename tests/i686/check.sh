#!/usr/bin/env bash
# Builds the scanning parts of the quote file reader for i686 (no SSE in the baseline) with the
# sources CMake chooses there, and runs the agreement check. Skips (77) without a 32-bit
# toolchain (Debian: g++-multilib).
set -euo pipefail
src=$1; out=$2
mkdir -p "$out"
flags=(-m32 -march=i686 -std=c++20 -O2 -Wall -Wextra -Wpedantic -Werror -I"$src/src")
if ! echo 'int main(){}' | g++ "${flags[@]}" -x c++ - -o "$out/probe" 2>/dev/null; then
    echo "no 32-bit toolchain; skipped"; exit 77
fi
q="$src/src/quotes"
g++ "${flags[@]}" "$src/tests/i686/scan_check.cpp" "$q/line_index.cpp" "$q/line_scan.cpp" \
    "$q/line_scan_portable.cpp" -o "$out/scan_check"
"$out/scan_check"
