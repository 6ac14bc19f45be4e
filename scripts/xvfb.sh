#!/usr/bin/env bash
# Starts Xvfb on a free display and prints "DISPLAY PID"; the caller stops it by its pid.
set -euo pipefail
for n in $(seq 91 140); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 1 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && { echo ":$n $pid"; exit 0; }
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
done
echo "no free X display" >&2
exit 1
