#!/usr/bin/env bash
# Checks that vemora-cli and remind find the same reminders due on a range of days, on the
# generated files the benchmarks use, so that the timings compare the same work.
#   bench/verify-due.sh BIN_DIR [N] [SEED]
# BIN_DIR holds generate_reminders and vemora-cli. Every generated text ends in "#<index>",
# which both outputs are matched by; the warm and the cold entry file must give the same set
# as the remind script. Exit status 1 when any day differs.
#
# Known difference, kept out of the generated data: remind still warns ahead of an
# occurrence that lies after UNTIL on days up to UNTIL; a stop day of an entry bounds the
# occurrences, and so its warnings too. The generator puts every stop day on an occurrence,
# where both agree. 29 February is not generated as a yearly day.
set -euo pipefail

bin=${1:?usage: verify-due.sh BIN_DIR [N] [SEED]}
count=${2:-2000}
seed=${3:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bin/generate_reminders" "$count" "$work/r" --seed "$seed" >/dev/null

# Today, the next days, month and year ends, and days up to 14 months ahead (the warm cache
# reaches yesterday, so every day here extends it).
offsets=(0 1 2 3 6 7 13 24 25 31 45 59 60 89 90 117 151 200 246 300 365 366 400 425)
indexes() { grep -o '#[0-9]\+' | tr -d '#' | sort -n; }

failures=0
printf '%-12s %8s %8s %8s\n' day warm cold remind
for offset in "${offsets[@]}"; do
    day=$(date -d "today +$offset days" +%F)
    "$bin/vemora-cli" due "$work/r-warm.vkd" --date "$day" | indexes >"$work/warm"
    "$bin/vemora-cli" due "$work/r-cold.vkd" --date "$day" | indexes >"$work/cold"
    remind -q "$work/r.rem" "$day" | indexes >"$work/remind"
    verdict=same
    if ! cmp -s "$work/warm" "$work/remind" || ! cmp -s "$work/cold" "$work/remind"; then
        verdict=DIFFERENT
        failures=$((failures + 1))
    fi
    printf '%-12s %8d %8d %8d  %s\n' "$day" "$(wc -l <"$work/warm")" "$(wc -l <"$work/cold")" \
        "$(wc -l <"$work/remind")" "$verdict"
    if [ "$verdict" != same ]; then
        for index in $(sort -n "$work/warm" "$work/cold" "$work/remind" | uniq -c | awk '$1 < 3 {print $2}' | head -5); do
            grep -h "#$index\$" "$work/r.rem" || true
        done
    fi
done

if [ "$failures" -gt 0 ]; then
    echo "verify-due: $failures of ${#offsets[@]} days differ ($count reminders, seed $seed)" >&2
    exit 1
fi
echo "verify-due: vemora-cli and remind agree on ${#offsets[@]} days ($count reminders, seed $seed)"
