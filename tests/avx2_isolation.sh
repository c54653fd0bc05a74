#!/usr/bin/env bash
# The AVX2 scan's object: AVX2 code only in functions the linker cannot hand to the rest of the
# program. A weak function (a copy of a shared inline function) must be baseline code, else the
# linker may keep this copy for every processor. Usage: avx2_isolation.sh OBJECT...
set -euo pipefail
weak=$(nm --defined-only "$@" | awk '$2 ~ /^[WVuw]$/ { print $3 }' | tr '\n' ' ')
objdump -d --no-show-raw-insn "$@" | awk -v weak=" $weak " '
    /^[0-9a-f]+ <.*>:$/ { name = substr($2, 2, length($2) - 3); next }
    /%ymm/ {
        seen = 1
        if (index(weak, " " name " ") && !(name in told)) {
            print "FAILED: AVX2 code in the weak function " name; told[name] = 1; bad = 1
        }
    }
    END {
        if (!seen) { print "FAILED: no AVX2 code at all: is this the AVX2 scan?"; bad = 1 }
        if (!bad) print "AVX2 code only where no other file can be handed it"
        exit bad
    }'
