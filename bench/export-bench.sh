#!/usr/bin/env bash
# Command-line export of 65,535 rows (10.0.0.0-10.0.255.254) in each format under Wine: wall time
# and peak memory of the whole run, Wine's process start included, beside `cp` of a file of the
# same size. Nothing is pinged. Usage: bench/export-bench.sh [runs per format, default 3]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
runs=${1:-3}
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target EchoSentinel >/dev/null
scripts/wine-prefix.sh
export WINEPREFIX=${ES_WINEPREFIX:-$PWD/build/wineprefix} WINEDEBUG=-all
work=$(mktemp -d)
cleanup() { wineserver -k 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
# An already running server of this prefix is used as it is.
wineserver -p </dev/null >/dev/null 2>&1 || true
scripts/wine-run cmd.exe /c exit </dev/null >/dev/null 2>&1 || true

cp build/windows/bin/EchoSentinel.exe "$work/"
printf '10.0.0.0-10.0.255.254' | iconv -f ASCII -t UTF-16LE >"$work/EchoSentinel_hosts.txt"

measure() {  # prints "seconds kilobytes" of the command
  /usr/bin/time -f '%e %M' -o "$work/time.txt" "$@" >/dev/null 2>&1
  cat "$work/time.txt"
}

printf '%-10s %10s %8s %12s %10s %12s\n' format bytes wall_s peak_rss_kb cp_wall_s ratio
for option in stext stab stabular scomma shtml sverhtml sxml; do
  best=; rss=
  for _ in $(seq "$runs"); do
    rm -f "$work/out"
    read -r wall kb < <(cd "$work" && measure "$OLDPWD/scripts/wine-run" EchoSentinel.exe "/$option" out)
    if [ -z "$best" ] || awk "BEGIN{exit !($wall < $best)}"; then best=$wall; rss=$kb; fi
  done
  size=$(stat -c %s "$work/out")
  read -r cpwall _ < <(measure cp "$work/out" "$work/copy")
  ratio=$(awk "BEGIN{ printf \"%.1f\", $best / ($cpwall > 0 ? $cpwall : 0.01) }")
  printf '%-10s %10d %8s %12s %10s %12s\n' "/$option" "$size" "$best" "$rss" "$cpwall" "$ratio"
done
