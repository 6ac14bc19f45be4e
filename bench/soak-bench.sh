#!/usr/bin/env bash
# Hours of use in minutes: the real EchoSentinel.exe under Wine on a virtual display pings its rows
# back to back (PingEverySeconds=0, PingTimeout=1000) from a folder of its own while es_soak_bench
# resets and rebuilds the rows every two minutes and samples the process every minute: private
# bytes, handles, GDI and USER objects, threads; then the growth per hour over the last half of the
# run (target: handles and GDI/USER flat, private bytes at most 1 % an hour). At the end pinging
# stops, and every row must have had as many results as every other since the last rebuild, the
# loopback rows no failure and the silent rows no reply. Two scenarios, one after the other:
# 65,535 loopback rows, then 1,000 rows of which 100 never answer (the silent namespace; needs
# root). Under Wine 8 the private bytes are the process's anonymous memory, the handles are
# counted in the system's handle table, and GDI and USER objects read 0. Exits non-zero when a
# check fails. Usage: bench/soak-bench.sh [minutes per scenario, default 10]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
minutes=${1:-10}
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target EchoSentinel es_soak_bench >/dev/null
scripts/wine-prefix.sh
export WINEPREFIX=${ES_WINEPREFIX:-$PWD/build/wineprefix} WINEDEBUG=-all
work=$(mktemp -d)
guard=0 keeper_pid= xvfb_pid=
cleanup() {
  [ -z "$keeper_pid" ] || kill "$keeper_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  [ "$guard" = 0 ] || ip route del unreachable 10.213.0.0/16 2>/dev/null || true
  [ ! -e "$work/namespace-ours" ] || scripts/silent-host.sh down
  rm -rf "$work"
}
trap cleanup EXIT
# The namespace is brought down at the end only when this run made it: another run may be using
# it. Another run's cleanup may also take it away meanwhile: it is made again within seconds, and
# until then 10.213.0.0/16 is refused here rather than routed out.
ip netns list | grep -qw es-silent || touch "$work/namespace-ours"
scripts/silent-host.sh up >/dev/null
if ip route add unreachable 10.213.0.0/16 2>/dev/null; then guard=1; fi
keep_namespace() {
  while sleep 5; do
    ip netns list | grep -qw es-silent && continue
    touch "$work/namespace-ours"
    scripts/silent-host.sh up >/dev/null || true
    echo "(the namespace es-silent had been removed by another run: made again)"
  done
}
keep_namespace &
keeper_pid=$!
read -r display xvfb_pid < <(scripts/xvfb.sh)
export DISPLAY=$display
wineserver -p </dev/null >/dev/null 2>&1 || true
scripts/wine-run cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
scripts/wine-managed.sh N

status=0
scenario() {  # name, then the entries of the address list
  local name=$1
  shift
  mkdir "$work/$name"
  echo "scenario $name minutes $minutes"
  scripts/wine-run build/windows/bin/es_soak_bench.exe "Z:$work/$name" "$minutes" "$@" </dev/null | sed -u 's/\r$//' || status=1
}
scenario loopback-65535 127.0.0.1-127.0.255.255
scenario silent-tenth 127.0.0.1-127.0.3.132 10.213.4.1-10.213.4.100
exit "$status"
