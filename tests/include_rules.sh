#!/usr/bin/env bash
# The layers of the source tree, written down once: which folders each folder under src/ may
# include from. Fails, naming the line, where a file includes a folder its own may not.
# Usage: include_rules.sh SOURCE_ROOT
set -euo pipefail
cd "$1/src"
declare -A allowed=(
    [files]="files"
    [core]="core files"
    [quotes]="quotes core"
    [shell]="shell core files"
    [widgets]="widgets core"
    [quote_window]="quote_window quotes widgets shell core"
    [about]="about widgets shell core"
    [app]="app core files quotes shell widgets quote_window about"
)
status=0
for folder in */; do
    folder=${folder%/}
    [ -n "${allowed[$folder]+set}" ] || { echo "FAILED: src/$folder is in no layer"; status=1; continue; }
    while IFS=: read -r file line text; do
        used=$(sed -E 's/^#include "([a-z_]+)\/.*/\1/' <<<"$text")
        case " ${allowed[$folder]} " in
        *" $used "*) ;;
        *) echo "FAILED: src/$file:$line includes $used/: $text"; status=1 ;;
        esac
    done < <(grep -HnE '^#include "[a-z_]+/' "$folder"/* | sed -E 's/^([^:]+:[0-9]+):/\1:/')
done
[ $status = 0 ] && echo "every include keeps to its layer"
exit $status
