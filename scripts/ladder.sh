#!/usr/bin/env bash
# Measures the levels again and writes docs/strength.md and web/strength.json:
# each level below the top against the line-builder and the blocker (100
# games each; level 1's step of the ladder), each level from 2 up against the
# level below (200 games), and the top two against the level 7 of commit
# b7ec331 (100 games each), every game's file in docs/ladder/. About two
# hours on two cores; JOBS=N plays N games at a time (default: one per core).
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
        --csv "$out/${4:-${1/:/}-${2/:/}}.csv"
}
# The level 7 of commit b7ec331: the strong player with that commit's options
# plays that commit's games (the signature test shows it).
b7ec331_level7=strong:40000:forced=6:b0=0.05:c=0.02:expand=2:prior=3:lanes=1:learned=0:amafprior=0:draws=1
for k in $(seq 1 "$levels"); do
    if [ "$k" -lt "$levels" ]; then
        match "level:$k" builder 100
        match "level:$k" blocker 100
    fi
    if [ "$k" -gt 1 ]; then match "level:$k" "level:$((k - 1))" 200; fi
    if [ "$k" -ge 7 ]; then match "level:$k" "$b7ec331_level7" 100 "goal-level$k-b7ec331level7"; fi
done
"$root/build/tools/nanaren-strength" --markdown "$root/docs/strength.md" \
    --json "$root/web/strength.json" "$out"/*.csv
say "wrote docs/strength.md and web/strength.json"
