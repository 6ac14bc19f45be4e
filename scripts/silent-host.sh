#!/usr/bin/env bash
# A host that never answers echo requests, for tests and benchmarks: network namespace
# es-silent behind a veth pair, 10.213.0.2 inside (ignores all ICMP echo), 10.213.0.1 here; the
# namespace also owns 10.213.4.0/22, a thousand more silent addresses for benchmarks.
# 10.213.0.0/16 is made unreachable here first and stays so after "down": with the namespace gone
# (another run may take it down), echoes to these addresses fail at once instead of leaving the
# machine by its default route.
# Usage: scripts/silent-host.sh up|down. Idempotent; needs root.
set -euo pipefail
ns=es-silent
case "${1:-up}" in
up)
  ip route replace unreachable 10.213.0.0/16
  if ! ip netns list | grep -qw "$ns"; then
    ip netns add "$ns"
    ip link add es-silent0 type veth peer name es-silent1
    ip link set es-silent1 netns "$ns"
    ip addr add 10.213.0.1/30 dev es-silent0
    ip link set es-silent0 up
    ip netns exec "$ns" ip addr add 10.213.0.2/30 dev es-silent1
    ip netns exec "$ns" ip link set es-silent1 up
    ip netns exec "$ns" ip link set lo up
    ip netns exec "$ns" sysctl -qw net.ipv4.icmp_echo_ignore_all=1
    ip netns exec "$ns" ip route add local 10.213.4.0/22 dev lo
    ip route add 10.213.4.0/22 via 10.213.0.2
  fi
  echo 10.213.0.2 ;;
down)
  ip route del 10.213.4.0/22 2>/dev/null || true
  ip link del es-silent0 2>/dev/null || true
  ip netns del "$ns" 2>/dev/null || true
  rm -rf "/etc/netns/$ns" ;;
esac
