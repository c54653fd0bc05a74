#!/usr/bin/env bash
# Builds the scanning parts of the quote file reader for i686 (no SSE in the baseline) with the
# sources CMake chooses there, and runs the agreement check. The build always runs; running the
# result needs a kernel that runs 32-bit programs, and is skipped (77) with the reason where the
# kernel cannot.
set -euo pipefail
src=$1; out=$2
mkdir -p "$out"
flags=(-m32 -march=i686 -std=c++20 -O2 -Wall -Wextra -Wpedantic -Werror -I"$src/src")
q="$src/src/quotes"
g++ "${flags[@]}" "$src/tests/i686/scan_check.cpp" "$q/line_index.cpp" "$q/line_scan.cpp" \
    "$q/line_scan_portable.cpp" -o "$out/scan_check"
echo "built the i686 scan check"
echo 'int main(){}' | g++ "${flags[@]}" -x c++ - -o "$out/probe"
if ! why=$("$out/probe" 2>&1); then
    echo "skipped: this kernel cannot run 32-bit programs (${why:-the probe failed})"
    exit 77
fi
"$out/scan_check"
