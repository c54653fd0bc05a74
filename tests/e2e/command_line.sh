#!/usr/bin/env bash
# The command line without any display: --help, --version, --print (from the file beside the
# program, the user's own and Debian's fortune files), --file, --list-files, an unknown option,
# and a plain start with nowhere to show.
set -euo pipefail
program=$1
. "$(dirname "$0")/lib.sh"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_DATA_HOME="$WORK/data"
mkdir -p "$WORK/bin" "$WORK/empty"
cp "$program" "$(dirname "$program")/TIPOFDAY.TXT" "$WORK/bin/"
cp "$program" "$WORK/empty/"
status=0

run() { # run NAME EXPECTED-EXIT PROGRAM ARGS...: runs it, keeps out.txt and err.txt
    local name=$1 expected=$2; shift 2
    local code=0
    "$@" >"$WORK/out.txt" 2>"$WORK/err.txt" || code=$?
    if [ "$code" != "$expected" ]; then
        echo "FAILED: $name: exit $code, not $expected"; cat "$WORK/err.txt"; status=1; return 1
    fi
}
check() { # check NAME CONDITION...: a failed condition fails the case
    local name=$1; shift
    if "$@"; then echo "ok: $name"; else echo "FAILED: $name"; status=1; fi
}
one_line() { [ "$(wc -l <"$1")" = 1 ] && [ -s "$1" ]; }

run help 0 "$WORK/bin/dewmoth" --help &&
    check "--help prints the options" grep -q -- "--print" "$WORK/out.txt"
run "help in German" 0 env LC_ALL=de_DE.UTF-8 "$WORK/bin/dewmoth" --help &&
    check "the user's language: the program's texts and the toolkit's" \
        sh -c "grep -q 'Zeigt jeweils einen kurzen Spruch' '$WORK/out.txt' &&
               ! grep -q 'Displays help' '$WORK/out.txt'"
run version 0 "$WORK/bin/dewmoth" --version &&
    check "--version prints the version" grep -qx "Dewmoth 1.0.1" "$WORK/out.txt"
run print 0 "$WORK/bin/dewmoth" --print &&
    check "--print writes one saying of the file beside the program" \
        sh -c "[ \$(wc -l <'$WORK/out.txt') = 1 ] &&
               tr -d '\r' <'$WORK/bin/TIPOFDAY.TXT' | grep -qxF -f '$WORK/out.txt'"
mkdir -p "$XDG_DATA_HOME/Dewmoth"
printf 'caf\xe9 au lait\r\n' >"$XDG_DATA_HOME/Dewmoth/TIPOFDAY.TXT"
run "own file" 0 "$WORK/bin/dewmoth" --print &&
    check "--print reads the user's own file first, as UTF-8" \
        sh -c "[ \"\$(cat '$WORK/out.txt')\" = 'café au lait' ]"
seq -f 'Saying %g' 20 >"$XDG_DATA_HOME/Dewmoth/TIPOFDAY.TXT"
for i in $(seq 20); do "$WORK/bin/dewmoth" --print; done >"$WORK/cycle.txt" 2>"$WORK/err.txt"
check "20 runs of --print show the 20 sayings, each once" \
    sh -c "[ \$(sort -u '$WORK/cycle.txt' | wc -l) = 20 ] && [ \$(wc -l <'$WORK/cycle.txt') = 20 ]"
check "the order is kept in ~/.local/state/Dewmoth" test -s "$HOME/.local/state/Dewmoth/order"
"$WORK/bin/dewmoth" --print >"$WORK/out.txt"
check "a new order never starts with the saying shown last" \
    sh -c "[ \"\$(cat '$WORK/out.txt')\" != \"\$(tail -n 1 '$WORK/cycle.txt')\" ]"
printf 'ab\0cd\n' >"$XDG_DATA_HOME/Dewmoth/TIPOFDAY.TXT"
run "NUL inside a saying" 0 "$WORK/bin/dewmoth" --print &&
    check "--print writes the saying whole, NUL and all" \
        sh -c "[ \"\$(od -An -c '$WORK/out.txt' | tr -d ' ')\" = 'ab\\0cd\\n' ]"
head -c 3000000 /dev/zero | tr '\0' 'x' >"$XDG_DATA_HOME/Dewmoth/TIPOFDAY.TXT"
run "a saying of 3 MB" 0 "$WORK/bin/dewmoth" --print &&
    check "--print writes the first 1 MiB, an ellipsis, and says so" \
        sh -c "[ \$(wc -c <'$WORK/out.txt') = \$((1048576 + 4)) ] &&
               tail -c 4 '$WORK/out.txt' | grep -q '…' && grep -q 'was cut after 1048576' '$WORK/err.txt'"
rm "$XDG_DATA_HOME/Dewmoth/TIPOFDAY.TXT"
ln -s /proc/self/mem "$XDG_DATA_HOME/Dewmoth/TIPOFDAY.TXT"
run "unreadable own file" 1 "$WORK/bin/dewmoth" --print &&
    check "an unreadable own file: the reason, nothing on stdout" \
        sh -c "[ ! -s '$WORK/out.txt' ] && grep -q 'could not be read' '$WORK/err.txt'"
run "unreadable own file in German" 1 env LC_ALL=de_DE.UTF-8 "$WORK/bin/dewmoth" --print &&
    check "the reason in the user's language too, not the system's English" \
        sh -c "grep -q 'konnte nicht gelesen werden: das System meldete' '$WORK/err.txt' &&
               ! grep -q 'Input/output' '$WORK/err.txt'"
ln -sf /proc/self/pagemap "$XDG_DATA_HOME/Dewmoth/TIPOFDAY.TXT"
run "own file a link to a file that never ends" 1 timeout 20 "$WORK/bin/dewmoth" --print &&
    check "--print ends at once on a file that claims to be empty" grep -q 'could not be read' "$WORK/err.txt"
rm "$XDG_DATA_HOME/Dewmoth/TIPOFDAY.TXT"
run "no quote file" 1 "$WORK/empty/dewmoth" --print &&
    check "no quote file: the reason, nothing on stdout" \
        sh -c "[ ! -s '$WORK/out.txt' ] && grep -q 'no quote file' '$WORK/err.txt'"
run "unknown option" 2 "$WORK/bin/dewmoth" --frobnicate &&
    check "an unknown option: the error and the usage on stderr" \
        sh -c "[ ! -s '$WORK/out.txt' ] && grep -q 'frobnicate' '$WORK/err.txt' &&
               grep -q 'Usage:' '$WORK/err.txt'"
for asked in --help --version --print; do
    run "$asked to a full disk" 1 sh -c "exec '$WORK/bin/dewmoth' $asked >/dev/full" &&
        check "$asked: a write that fails is an error" grep -q 'could not be written' "$WORK/err.txt"
done
run "control characters in an option" 2 "$WORK/bin/dewmoth" $'--x\e]0;owned\a' &&
    check "the option is shown escaped, never raw" \
        sh -c "grep -qF '\\x1b]0;owned\\x07' '$WORK/err.txt' && ! grep -q \$'\\e' '$WORK/err.txt'"
mkdir -p -m 700 "$WORK/run"
for how in "DISPLAY=:4711" "WAYLAND_DISPLAY=nosuch QT_QPA_PLATFORM=wayland" "QT_QPA_PLATFORM=nosuch"; do
    # shellcheck disable=SC2086 # the words are the variables
    run "a display that cannot be reached: $how" 1 env XDG_RUNTIME_DIR="$WORK/run" $how \
        "$WORK/bin/dewmoth" &&
        check "$how: one line of ours, not the toolkit's abort" \
            sh -c "grep -q 'could not be reached' '$WORK/err.txt' && ! grep -q Reinstalling '$WORK/err.txt'"
done
run "a platform that does not exist" 1 "$WORK/bin/dewmoth" -platform nosuch &&
    check "-platform nosuch: one line of ours" one_line "$WORK/err.txt"
run "no display" 1 "$WORK/bin/dewmoth" &&
    check "no display: one line on stderr" one_line "$WORK/err.txt"

# Debian's own fortune files (fortunes-min): every record of one, byte for byte against a plain
# reading of it, once each as the order runs through them; then the folder they lie in, with
# its indexes and twins.
riddles=/usr/share/games/fortunes/riddles
if [ -f "$riddles" ]; then
    python3 - "$riddles" >"$WORK/expected.txt" <<'PY'
import re, sys
lines = re.split(rb"\r\n|\r|\n", open(sys.argv[1], "rb").read())
records, record = [], []
def finish():
    kept = [l for l in record]
    while kept and not kept[-1].strip(b" \t"): kept.pop()
    while kept and not kept[0].strip(b" \t"): kept.pop(0)
    if kept: records.append(b"\n".join(kept))
    record.clear()
for line in lines:
    if line == b"%": finish()
    elif not line.startswith(b"%%"): record.append(line)
finish()
sys.stdout.buffer.write(b"".join(sorted(r + b"\n\0" for r in records)))
PY
    count=$(tr -cd '\0' <"$WORK/expected.txt" | wc -c)
    export XDG_STATE_HOME="$WORK/state"
    : >"$WORK/printed.txt"
    for _ in $(seq "$count"); do
        "$WORK/bin/dewmoth" --file "$riddles" --print >>"$WORK/printed.txt" && printf '\0' >>"$WORK/printed.txt"
    done
    check "--file: $count runs of --print write each of the $count records of $riddles whole" \
        sh -c "python3 -c 'import sys; d = open(sys.argv[1], \"rb\").read().split(b\"\\0\")[:-1]; sys.stdout.buffer.write(b\"\".join(sorted(r + b\"\\0\" for r in d)))' '$WORK/printed.txt' |
               cmp -s - '$WORK/expected.txt'"
    mkdir -p "$XDG_DATA_HOME/Dewmoth/sayings"
    ln -s "$(dirname "$riddles")" "$XDG_DATA_HOME/Dewmoth/sayings/debian"
    run "--list-files" 0 "$WORK/bin/dewmoth" --list-files &&
        check "--list-files: the twins read, the indexes and the files they twin passed over" \
            sh -c "grep -qF 'debian/riddles.u8: sayings: $count (fortune file)' '$WORK/out.txt' &&
                   grep -qF 'debian/riddles.dat: passed over: an index' '$WORK/out.txt' &&
                   grep -qF 'debian/riddles: passed over: its twin' '$WORK/out.txt' &&
                   ! grep -q 'TIPOFDAY' '$WORK/out.txt'"
    run "--print from the sayings folder" 0 "$WORK/bin/dewmoth" --print &&
        check "the user's collection replaces the file beside the program" \
            sh -c "! tr -d '\r' <'$WORK/bin/TIPOFDAY.TXT' | grep -qxF -f '$WORK/out.txt'"
else
    echo "skipped: Debian's fortune files: $riddles is missing (fortunes-min)"
fi
exit $status
