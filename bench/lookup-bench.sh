#!/usr/bin/env bash
# One round of names whose lookups each take a while, through the ping engine's lookup threads
# (portable build, no network): round time against the bound 2 x ceil(N / 64) x delay.
# Usage: bench/lookup-bench.sh [N, default 500] [delay-ms, default 2000]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target es_lookup_bench >/dev/null
printf '%6s %9s %9s %13s %9s\n' N delay_ms round_ms peak_lookups bound_ms
read -r n delay ms peak bound < <(build/native/bin/es_lookup_bench "${1:-500}" "${2:-2000}")
printf '%6d %9d %9d %13d %9d\n' "$n" "$delay" "$ms" "$peak" "$bound"
