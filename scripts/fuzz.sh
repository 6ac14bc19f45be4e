#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ (clang, the "fuzz" preset) and runs each for the given
# seconds (default 5) over its committed corpus in fuzz/corpus/NAME, keeping what it finds new in
# build/fuzz/corpus/NAME. A broken invariant or a sanitizer report fails the run and leaves the
# input in build/fuzz/crash-*. Usage: scripts/fuzz.sh [seconds] [harness...]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-5}
shift || true
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=(AddressListFuzz FileDecodeFuzz CommandLineFuzz ConfigValuesFuzz TranslationFormatFuzz ReportWriterFuzz DialogTemplateFuzz)
for harness in "${harnesses[@]}"; do
  found=build/fuzz/corpus/$harness
  mkdir -p "$found" "fuzz/corpus/$harness"
  ASAN_OPTIONS=detect_leaks=1 build/fuzz/bin/$harness -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix=build/fuzz/ "$found" "fuzz/corpus/$harness" > "build/fuzz/$harness.log" 2>&1 ||
    { tail -n 40 "build/fuzz/$harness.log"; echo "$harness: FAILED"; exit 1; }
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "build/fuzz/$harness.log" | grep -o '[0-9]*$' || echo 0)
  cov=$(grep -o 'cov: [0-9]*' "build/fuzz/$harness.log" | tail -n 1 | grep -o '[0-9]*$' || echo 0)
  echo "$harness: $runs runs, coverage $cov, no findings"
done
