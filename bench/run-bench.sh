#!/usr/bin/env bash
# Benchmarks the entry model and the editor's entry list, then times whole processes of
# vemora-cli against remind on the same generated reminders (1,000, 10,000 and 100,000), with
# their peak memory, and prints a table of means and ratios.
#   bench/run-bench.sh [BUILD_DIR]
# BUILD_DIR (default build/release) must be built with -DVEMORA_BUILD_BENCH=ON; `make bench`
# configures, builds and runs this. Results are kept in BUILD_DIR/bench/results.
set -euo pipefail

cd "$(dirname "$0")/.."
build=${1:-build/release}
bin=$build/bin
data=$build/bench/data
results=$build/bench/results
seed=1
today=$(date +%F)
sizes=(1000 10000 100000)

for tool in hyperfine remind /usr/bin/time "$bin/vemora-cli" "$bin/generate_reminders" "$bin/model_benchmark" \
    "$bin/list_view_benchmark" "$bin/export_benchmark" "$bin/import_benchmark"; do
    if ! command -v "$tool" >/dev/null; then
        echo "run-bench: $tool is missing (scripts/install-deps, and a build with VEMORA_BUILD_BENCH=ON)" >&2
        exit 1
    fi
done
mkdir -p "$data" "$results"

# The model benchmark looks for the same names, so the files are generated once a day.
prefix_of() { echo "$data/reminders-$1-s$seed-$today"; }

echo "== Reminder files for $today"
find "$data" -name 'reminders-*' ! -name "*-$today*" -delete
for n in "${sizes[@]}"; do
    prefix=$(prefix_of "$n")
    if [ ! -f "$prefix.rem" ] || [ ! -f "$prefix-warm.vkd" ] || [ ! -f "$prefix-cold.vkd" ]; then
        "$bin/generate_reminders" "$n" "$prefix" --seed "$seed" >/dev/null
    fi
    ls -l "$prefix-warm.vkd" "$prefix-cold.vkd" "$prefix.rem" | awk '{printf "  %10.1f MB  %s\n", $5 / 1e6, $NF}'
done

echo "== Do both programs find the same reminders due?"
agreement=yes
bench/verify-due.sh "$bin" 2000 || agreement=NO

echo "== Entry model (Google Benchmark)"
VEMORA_BENCH_DATA="$data" "$bin/model_benchmark" \
    --benchmark_out="$results/model_benchmark.json" --benchmark_out_format=json

# The main window without a display: opening the files, sorting 100,000 rows by each column,
# and the heap of the window against that of the entries alone.
echo "== Entry list of the editor (Google Benchmark, offscreen)"
VEMORA_BENCH_DATA="$data" QT_QPA_PLATFORM=offscreen "$bin/list_view_benchmark" --benchmark_repetitions=3 \
    --benchmark_out="$results/list_view_benchmark.json" --benchmark_out_format=json

# The iCalendar export of 10,000 entries over the default window of three years: under a second.
echo "== Calendar export (Google Benchmark)"
"$bin/export_benchmark" --benchmark_repetitions=3 \
    --benchmark_out="$results/export_benchmark.json" --benchmark_out_format=json

# The iCalendar import of about 10,000 exported events, listed days expanded: under a second.
echo "== Calendar import (Google Benchmark)"
"$bin/import_benchmark" --benchmark_repetitions=3 \
    --benchmark_out="$results/import_benchmark.json" --benchmark_out_format=json

# The entry editor's line of next dates: each update under 5 ms, the slowest included.
echo "== Next dates under the editor's rule (Google Benchmark, offscreen)"
QT_QPA_PLATFORM=offscreen "$bin/next_dates_benchmark" \
    --benchmark_out="$results/next_dates_benchmark.json" --benchmark_out_format=json

# Per size: label and command line of each case; hyperfine runs them side by side.
cases_for() {
    local prefix
    prefix=$(prefix_of "$1")
    echo "vemora due warm|$bin/vemora-cli due $prefix-warm.vkd"
    echo "vemora due cold|$bin/vemora-cli due $prefix-cold.vkd"
    echo "remind -q|remind -q $prefix.rem"
    if [ "$1" = 1000 ]; then
        echo "vemora --help|$bin/vemora-cli --help"
    fi
}

indexes() { grep -o '#[0-9]\+' | wc -l; }

echo "== Whole process (hyperfine, then /usr/bin/time -v for peak memory)"
: >"$results/memory.tsv"
for n in "${sizes[@]}"; do
    arguments=()
    while IFS='|' read -r label command; do
        arguments+=(-n "$label" "$command")
        # Peak memory of one run, and how many reminders it printed.
        # shellcheck disable=SC2086 # the command line is split on blanks on purpose
        /usr/bin/time -v $command >"$results/output" 2>"$results/time"
        kilobytes=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$results/time")
        printf '%s\t%s\t%s\t%s\n' "$n" "$label" "$kilobytes" "$(indexes <"$results/output")" >>"$results/memory.tsv"
    done < <(cases_for "$n")
    # The memory runs above have already read each file once into the page cache; the
    # largest files take seconds per run, so fewer runs there.
    runs=(--warmup 2)
    if [ "$n" -ge 100000 ]; then
        runs=(--warmup 0 --min-runs 3)
    fi
    hyperfine -N "${runs[@]}" --export-csv "$results/hyperfine-$n.csv" \
        --export-json "$results/hyperfine-$n.json" "${arguments[@]}"
done
rm -f "$results/output" "$results/time"

# One row per case: mean and spread of the wall time, peak memory, reminders printed, and
# the ratios to remind on the same reminders.
summary() {
    printf '%-8s %-16s %10s %8s %11s %6s %9s %9s\n' entries case "mean ms" "± ms" "max RSS MB" due "time/rem" "RSS/rem"
    for n in "${sizes[@]}"; do
        awk -F'\t' -v n="$n" '
            FNR == NR { if ($1 == n) { rss[$2] = $3; due[$2] = $4; order[++count] = $2 }; next }
            FNR > 1 { split($0, f, ","); mean[f[1]] = f[2] * 1000; spread[f[1]] = f[3] * 1000 }
            END {
                for (i = 1; i <= count; ++i) {
                    c = order[i]
                    printf "%-8s %-16s %10.1f %8.1f %11.1f %6s %9.2f %9.2f\n", n, c, mean[c], spread[c],
                           rss[c] / 1024, (c ~ /help/ ? "-" : due[c]), mean[c] / mean["remind -q"],
                           rss[c] / rss["remind -q"]
                }
            }' "$results/memory.tsv" "$results/hyperfine-$n.csv"
    done
    echo "vemora-cli and remind agree on the due reminders: $agreement"
}

# Other work on the machine shows in the spread; the load average tells how much there was.
echo "== Summary ($today, $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg))"
summary | tee "$results/summary.txt"

# The same comparison with the commands run in turn, round after round: on a shared machine
# whose speed drifts, hyperfine's one-command-after-the-other series can land in a quiet and a
# busy phase; the rounds share whatever the machine is doing.
echo "== Side by side in turn (median and minimum ms over rounds; ratios to remind)"
for n in "${sizes[@]}"; do
    prefix=$(prefix_of "$n")
    rounds=200
    if [ "$n" -ge 100000 ]; then
        rounds=15
    fi
    echo "-- $n entries, $rounds rounds"
    bench/interleave.sh "$rounds" "remind -q $prefix.rem" "$bin/vemora-cli due $prefix-warm.vkd" \
        "$bin/vemora-cli due $prefix-cold.vkd" |
        awk '{ if (NR == 1) { median = $1; minimum = $4 } printf "%s   (%.2f, %.2f)\n", $0, $1 / median, $4 / minimum }'
done | tee "$results/interleaved.txt"

# The logon check as a whole process, without a display (alerts go to standard output), on
# 10,000 reminders of which none or three are left active among today's due ones; vemora-cli
# due on the same file shows what the program entry and the alerts add.
echo "== Logon check (vemora /r) at 10000 entries"
logon_home=$(mktemp -d)
trap 'rm -rf "$logon_home"' EXIT
logon_arguments=()
for keep in 0 3; do
    prefix="$data/logon-10000-keep$keep-$today"
    [ -f "$prefix-warm.vkd" ] || "$bin/generate_reminders" 10000 "$prefix" --keep-due "$keep" --today "$today" >/dev/null
    for cache in warm cold; do
        logon_arguments+=(-n "vemora /r $cache $keep-due" "$bin/vemora /r $prefix-$cache.vkd"
                          -n "vemora-cli due $cache $keep-due" "$bin/vemora-cli due $prefix-$cache.vkd")
    done
done
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$logon_home" XDG_CONFIG_HOME="$logon_home/.config" \
    hyperfine -N --warmup 2 --export-csv "$results/hyperfine-logon.csv" "${logon_arguments[@]}"
awk -F, 'NR > 1 { printf "%-32s %8.1f ms ± %.1f\n", $1, $2 * 1000, $3 * 1000 }' "$results/hyperfine-logon.csv" |
    tee "$results/logon.txt"
