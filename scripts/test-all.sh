#!/usr/bin/env bash
# Runs every test suite of `make test`, each to its end even when an earlier one failed, and
# closes with one summary that names every failed and every skipped test (with the reason the
# test gave). Exits 1 when anything failed. Usage: test-all.sh [SUITE...] (the make targets;
# all of them by default).
set -uo pipefail
cd "$(dirname "$0")/.."

suites=("$@")
[ ${#suites[@]} -gt 0 ] ||
    suites=(format-check fuzz test-windows test-windows-app test-asan test-release)
logs=build/test-logs
mkdir -p "$logs"

passed=0
failed=()
skipped=()
start_all=$(date +%s)

# skip_reason LOG TEST: the line in which a skipped test said why, from CTest's own log
skip_reason() {
    awk -v t="$2" '
        $0 ~ "^[0-9]+/[0-9]+ Test: " t "$" { inside = 1; next }
        inside && /^<end of output>/ { exit }
        inside && tolower($0) ~ /skip/ { line = $0 }
        END { print line }' "$1"
}

for suite in "${suites[@]}"; do
    log="$logs/$suite.log"
    echo "=== $suite"
    started=$(date +%s)
    make --no-print-directory "$suite" 2>&1 | tee "$log"
    status=${PIPESTATUS[0]}
    echo "=== $suite: exit $status after $(($(date +%s) - started)) s"

    # CTest's lines, one a test: "12/40 Test #7: name ....   Passed  1.2 sec"
    results=$(grep -E '^ *[0-9]+/[0-9]+ Test +#[0-9]+: ' "$log" || true)
    if [ -z "$results" ]; then
        # A suite without CTest (format check, fuzzing) counts as one test.
        if [ "$status" = 0 ]; then passed=$((passed + 1)); else failed+=("$suite"); fi
        continue
    fi
    case "$suite" in
    test-*) ctest_log="build/${suite#test-}/Testing/Temporary/LastTest.log" ;;
    *) ctest_log=/dev/null ;;
    esac
    while read -r line; do
        name=$(sed -E 's/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: ([^ ]+) .*/\1/' <<<"$line")
        case "$line" in
        *Passed*) passed=$((passed + 1)) ;;
        *Skipped* | *"Not Run (Disabled)"*)
            reason=$(skip_reason "$ctest_log" "$name" 2>/dev/null)
            skipped+=("$suite: $name${reason:+ ($reason)}") ;;
        *) failed+=("$suite: $name") ;;
        esac
    done <<<"$results"
    # A suite that failed outside its tests (a build step after them, say) is named too.
    if [ "$status" != 0 ] && ! grep -qvE 'Passed|Skipped|Not Run \(Disabled\)' <<<"$results"; then
        failed+=("$suite (exit $status, see $log)")
    fi
done

echo
echo "=== Summary after $(($(date +%s) - start_all)) s"
for f in "${failed[@]}"; do echo "FAILED  $f"; done
for s in "${skipped[@]}"; do echo "SKIPPED $s"; done
echo "Summary: $passed passed, ${#failed[@]} failed, ${#skipped[@]} skipped"
[ ${#failed[@]} -eq 0 ]
