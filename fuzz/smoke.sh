#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a short while over its seed corpus;
# `make test` runs this after the unit tests. New inputs collect in BUILD_DIR/corpus, so each
# run starts where the last one stopped; crashing inputs land in BUILD_DIR/artifacts.
#   fuzz/smoke.sh [BUILD_DIR]        FUZZ_SECONDS=20 by default
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(realpath -m "${1:-$root/build/fuzz}")
seconds=${FUZZ_SECONDS:-20}
targets=(EntryFileFuzzer LanguageFileFuzzer RegistryFileFuzzer ImportFileFuzzer)

cmake -S "$root/fuzz" -B "$build_dir" -G Ninja >/dev/null
cmake --build "$build_dir"

pids=()
for target in "${targets[@]}"; do
  mkdir -p "$build_dir/corpus/$target" "$build_dir/artifacts/$target"
  "$build_dir/$target" "$build_dir/corpus/$target" "$root/fuzz/corpus/$target" \
    -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -artifact_prefix="$build_dir/artifacts/$target/" >"$build_dir/$target.log" 2>&1 &
  pids+=($!)
done

failed=0
for i in "${!targets[@]}"; do
  if wait "${pids[$i]}"; then
    echo "${targets[$i]}: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$build_dir/${targets[$i]}.log"), no findings"
  else
    failed=1
    echo "${targets[$i]} found a fault; the input is in $build_dir/artifacts/${targets[$i]}:"
    tail -n 60 "$build_dir/${targets[$i]}.log"
  fi
done
exit $failed
