#!/usr/bin/env bash
# A host that answers until told not to, for pictures of hosts going down and up: network
# namespace es-flap behind a veth pair, 10.213.8.2 inside, 10.213.8.1 here.
# Like scripts/silent-host.sh, it makes 10.213.0.0/16 unreachable here first, for good.
# Usage: scripts/flap-host.sh up|silence|answer|down. Needs root.
set -euo pipefail
ns=es-flap
case "${1:-up}" in
up)
  ip route replace unreachable 10.213.0.0/16
  if ! ip netns list | grep -qw "$ns"; then
    ip netns add "$ns"
    ip link add es-flap0 type veth peer name es-flap1
    ip link set es-flap1 netns "$ns"
    ip addr add 10.213.8.1/30 dev es-flap0
    ip link set es-flap0 up
    ip netns exec "$ns" ip addr add 10.213.8.2/30 dev es-flap1
    ip netns exec "$ns" ip link set es-flap1 up
  fi
  ip netns exec "$ns" sysctl -qw net.ipv4.icmp_echo_ignore_all=0
  echo 10.213.8.2 ;;
silence) ip netns exec "$ns" sysctl -qw net.ipv4.icmp_echo_ignore_all=1 ;;
answer) ip netns exec "$ns" sysctl -qw net.ipv4.icmp_echo_ignore_all=0 ;;
down)
  ip link del es-flap0 2>/dev/null || true
  ip netns del "$ns" 2>/dev/null || true ;;
esac
