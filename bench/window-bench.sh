#!/usr/bin/env bash
# The main window with N rows under Wine on a virtual display: rebuilding the rows, an idle timer
# tick, the ticks that show a whole round of results (the first round changes six cells per row,
# later rounds one or two), Auto Size Columns over every row, sorting and Select All, the history
# graph of eight rows of 100 results updated after a result (graph_update_ms); then the same
# list-view work on a bare list view (the floor). Each size with the ten default columns and with
# the nine statistics columns shown as well, where a screen of Recent Pings sparklines is painted
# too (sparkline_paint_ms: the host and the sparklines less the host alone). No echo request is sent.
# Usage: bench/window-bench.sh [N ...] (default 1000 65535)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target es_window_bench >/dev/null
scripts/wine-prefix.sh
export WINEPREFIX=${ES_WINEPREFIX:-$PWD/build/wineprefix} WINEDEBUG=-all
xvfb_pid=
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  read -r DISPLAY xvfb_pid < <(scripts/xvfb.sh)
  export DISPLAY
fi
cleanup() { wineserver -k 2>/dev/null || true; [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
wineserver -p </dev/null >/dev/null 2>&1 || true
scripts/wine-run cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
scripts/wine-managed.sh N
for n in "${@:-1000 65535}"; do
  for size in $n; do
    for columns in 10 19; do  # the default layout, then with the statistics columns shown
      scripts/wine-run build/windows/bin/es_window_bench.exe "$size" "$columns" </dev/null | tr -d '\r'
    done
  done
done
