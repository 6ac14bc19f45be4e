#!/usr/bin/env bash
# Keeps a picture of the main window with pinged loopback rows for people to look at (nothing is
# checked on it). Needs DISPLAY and WINEPREFIX set and the Windows build done.
# Usage: scripts/screenshot.sh [output.png] (default build/screenshot-pinged.png)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out=${1:-build/screenshot-pinged.png}
list=$PWD/build/screenshot-list.txt
printf '127.0.0.1-127.0.0.30\r\nlocalhost\r\n' > "$list"
scripts/wine-run build/windows/bin/EchoSentinel.exe /nosaveload /MarkFailedPings 1 /PingEverySeconds 1 \
  /loadfile "$(winepath -w "$list" 2>/dev/null)" </dev/null >/dev/null 2>&1 &
pid=$!
sleep 5
import -window root -crop 640x480+0+0 +repage "$out"
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
echo "screenshot of the window with pinged rows: $PWD/$out"
