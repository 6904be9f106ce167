#!/usr/bin/env bash
# Measures how often a review marks moves of top-level play: reviews every
# game of a match file (default docs/review/level7-selfplay.csv, 20 games of
# level 7 against itself) with `nanaren --review` and counts each class and
# the moves whose chances dropped by 5 to 30 points. What docs/coach.md says
# of the thresholds comes from this.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
install_packages
build_preset default nanaren
csv="${1:-$root/docs/review/level7-selfplay.csv}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The move list is the last column.
awk -F, 'NR > 1 { print $NF > ("'"$work"'/game" $1 ".txt") }' "$csv"
say "reviewing $(ls "$work" | wc -l) games"
ls "$work"/game*.txt | xargs -P "$(nproc)" -I{} sh -c '"$1" --review "$2" --lang en > "$2.review"' \
    _ "$root/build/nanaren" {}
# Each move's line: number, mover, move, chances after, best, its chances, class.
cat "$work"/*.review | awk '
    $2 == "Black" || $2 == "White" {
        moves++
        drop = $6 - $4
        for (t = 5; t <= 30; t += 5) if (drop >= t) dropped[t]++
        class = ""
        for (i = 7; i <= NF; i++) class = class (i > 7 ? " " : "") $i
        sub(/:.*/, "", class)
        if (class != "") classes[class]++
    }
    END {
        printf "%d moves\n", moves
        for (c in classes) printf "%-24s %4d  %.1f%%\n", c, classes[c], 100 * classes[c] / moves
        for (t = 5; t <= 30; t += 5)
            printf "dropped %2d points or more: %4d  %.1f%%\n", t, dropped[t], 100 * dropped[t] / moves
    }'
