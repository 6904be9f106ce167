#!/usr/bin/env bash
# Measures the levels again and writes docs/strength.md and web/strength.json:
# each level against the line-builder and the blocker (100 games each; level
# 1's step of the ladder), each level from 2 up against the level below (200
# games), every game's file in docs/ladder/. About an hour on two cores;
# JOBS=N plays N games at a time (default: one per core).
set -euo pipefail
. "$(dirname "$0")/lib.sh"
install_packages
build_preset default nanaren-match nanaren-strength
levels=$({ "$root/build/tools/nanaren-match" --help 2>&1 || true; } |
    sed -n 's/.*level K, 1 to \([0-9]*\).*/\1/p')
out="$root/docs/ladder"
mkdir -p "$out"
match() {
    say "$1 against $2, $3 games"
    "$root/build/tools/nanaren-match" --players "$1,$2" --games "$3" --jobs "${JOBS:-$(nproc)}" \
        --csv "$out/${1/:/}-${2/:/}.csv"
}
for k in $(seq 1 "$levels"); do
    match "level:$k" builder 100
    match "level:$k" blocker 100
    [ "$k" -gt 1 ] && match "level:$k" "level:$((k - 1))" 200
done
"$root/build/tools/nanaren-strength" --markdown "$root/docs/strength.md" \
    --json "$root/web/strength.json" "$out"/*.csv
say "wrote docs/strength.md and web/strength.json"
