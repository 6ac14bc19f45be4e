#!/usr/bin/env bash
# Time from closing the window to the end of the process while an echo to the silent namespace
# waits for its timeout (needs root for the namespace), for a few timeouts, five runs each.
# Usage: bench/exit-bench.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target EchoSentinel es_exit_bench >/dev/null
scripts/wine-prefix.sh
export WINEPREFIX=${ES_WINEPREFIX:-$PWD/build/wineprefix} WINEDEBUG=-all
silent=$(scripts/silent-host.sh up)
read -r display xvfb_pid < <(scripts/xvfb.sh)
export DISPLAY=$display
cleanup() { wineserver -k 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true; scripts/silent-host.sh down; }
trap cleanup EXIT
wineserver -p </dev/null >/dev/null 2>&1 || true
scripts/wine-run cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
scripts/wine-managed.sh N
printf '%10s %s\n' timeout_ms exit_ms_of_5_runs
for timeout in 1000 20000 60000; do
  runs=()
  for _ in 1 2 3 4 5; do
    read -r _ ms < <(scripts/wine-run build/windows/bin/es_exit_bench.exe "$silent" "$timeout" </dev/null)
    runs+=("$ms")
  done
  printf '%10s %s\n' "$timeout" "${runs[*]}"
done
