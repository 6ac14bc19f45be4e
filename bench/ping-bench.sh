#!/usr/bin/env bash
# One round of N echo requests, three ways side by side: the ping engine, the platform's floor (one
# thread, IcmpSendEcho2 with an APC, at most 256 in flight, Wine's limit) and fping. Loopback rows
# for N = 1,000, 10,000 and 65,535; 1,000 never-answering rows of the silent namespace (needs root);
# then "/rounds 1" of the real executable over 65,535 rows against the engine's round and the export.
# Usage: bench/ping-bench.sh [timeout-ms, default 1000]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
timeout=${1:-1000}
scripts/install-deps.sh
dpkg-query -W -f='${Status}' fping 2>/dev/null | grep -q 'install ok installed' ||
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends fping >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows --target es_ping_bench >/dev/null
scripts/wine-prefix.sh
export WINEPREFIX=${ES_WINEPREFIX:-$PWD/build/wineprefix} WINEDEBUG=-all
silent=$(scripts/silent-host.sh up)
cleanup() { wineserver -k 2>/dev/null || true; [ -z "$silent" ] || scripts/silent-host.sh down; }
trap cleanup EXIT
# An already running server of this prefix is used as it is.
wineserver -p </dev/null >/dev/null 2>&1 || true
scripts/wine-run cmd.exe /c exit </dev/null >/dev/null 2>&1 || true

bench=build/windows/bin/es_ping_bench.exe
last_address() {  # first address plus n-1
  python3 -c "import ipaddress,sys; print(ipaddress.IPv4Address(sys.argv[1]) + int(sys.argv[2]) - 1)" "$1" "$2"
}
printf '%-22s %6s %9s %9s %9s %10s %10s %8s %12s\n' case N engine_ms floor_ms fping_ms engine/flr engine/fpg threads peak_mb
run_case() {  # name first-address N
  local name=$1 first=$2 n=$3
  read -r _ _ ems eok threads ekib < <(scripts/wine-run "$bench" engine "$first" "$n" "$timeout" </dev/null)
  read -r _ _ fms fok _ _ < <(scripts/wine-run "$bench" floor "$first" "$n" "$timeout" </dev/null)
  local start end pms
  start=$(date +%s%N)
  fping -q -i 0 -r 0 -t "$timeout" -g "$first" "$(last_address "$first" "$n")" >/dev/null 2>&1 || true
  end=$(date +%s%N)
  pms=$(( (end - start) / 1000000 ))
  printf '%-22s %6d %9s %9s %9s %10s %10s %8s %12s\n' "$name" "$n" "$ems" "$fms" "$pms" \
    "$(awk "BEGIN{printf \"%.2f\", $ems / ($fms > 0 ? $fms : 1)}")" \
    "$(awk "BEGIN{printf \"%.2f\", $ems / ($pms > 0 ? $pms : 1)}")" "$threads" \
    "$(awk "BEGIN{printf \"%.1f\", $ekib / 1024}")"
  [ "$eok" = "$fok" ] || echo "  successes differ: engine $eok, floor $fok"
}
run_case loopback 127.0.1.0 1000
run_case loopback 127.0.1.0 10000
run_case loopback 127.0.1.0 65535
[ -n "$silent" ] && run_case never-answering 10.213.4.1 1000

# "/rounds 1" of the real executable over 65,535 loopback rows with a tab-delimited report, beside
# the engine's round of the same rows and the export of that report alone; the target is the two
# added up, plus 10 %.
work=$(mktemp -d)
cp build/windows/bin/EchoSentinel.exe "$work/"
printf '127.0.1.0-127.1.0.254\r\n' > "$work/list.txt"
printf '127.0.1.0-127.1.0.254\r\n' | iconv -t UTF-16LE > "$work/EchoSentinel_hosts.txt"
elapsed_ms() { local start end; start=$(date +%s%N); (cd "$work" && "$@" </dev/null >/dev/null 2>&1) || true; end=$(date +%s%N); echo $(( (end - start) / 1000000 )); }
read -r _ _ ems _ _ _ < <(scripts/wine-run "$bench" engine 127.0.1.0 65535 "$timeout" </dev/null)
export_ms=$(elapsed_ms "$PWD/scripts/wine-run" EchoSentinel.exe /stab export.txt)
rounds_ms=$(elapsed_ms "$PWD/scripts/wine-run" EchoSentinel.exe /rounds 1 /PingTimeout "$timeout" /loadfile list.txt /stab rounds.txt)
printf '/rounds 1 of 65535 rows: %d ms; engine round %d ms + export %d ms = %d ms, target %d ms\n' "$rounds_ms" "$ems" \
  "$export_ms" $((ems + export_ms)) $(( (ems + export_ms) * 11 / 10 ))
rm -rf "$work"
