#!/usr/bin/env bash
# Runs commands in turn, round after round, and prints the median and the minimum wall time of
# each. On a shared machine whose speed drifts, commands timed side by side in the same rounds
# compare more fairly than one series after the other.
#   bench/interleave.sh ROUNDS "COMMAND 1" "COMMAND 2" ...
set -euo pipefail

rounds=$1
shift
commands=("$@")
declare -a times

# Microseconds as milliseconds with one decimal, without a subprocess.
milliseconds() { printf '%d.%d' $(($1 / 1000)) $(($1 % 1000 / 100)); }

for ((round = 0; round < rounds; ++round)); do
    for index in "${!commands[@]}"; do
        start=$EPOCHREALTIME
        ${commands[$index]} >/dev/null 2>&1 || true
        end=$EPOCHREALTIME
        times[$index]+="$((10#${end/./} - 10#${start/./})) "
    done
done
for index in "${!commands[@]}"; do
    mapfile -t sorted < <(printf '%s\n' ${times[$index]} | sort -n)
    printf '%8s ms median %8s ms min  %s\n' "$(milliseconds "${sorted[$((${#sorted[@]} / 2))]}")" \
        "$(milliseconds "${sorted[0]}")" "${commands[$index]}"
done
