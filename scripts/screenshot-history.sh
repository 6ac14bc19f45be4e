#!/usr/bin/env bash
# The picture of history for the README: the window in English on a Wine desktop showing the
# Recent Pings sparklines and Recent Loss, the history graph of every row below it. The host of
# the namespace of scripts/flap-host.sh is answered by scripts/echo-responder.py, late and at
# times not at all, beside loopback rows.
# Needs root (the namespace), DISPLAY and WINEPREFIX set and the Windows build done.
# Usage: scripts/screenshot-history.sh [picture, default docs/history.png]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
picture=${1:-docs/history.png}
bin=build/windows/bin
folder=$PWD/build/screenshot-readme-history
rm -rf "$folder"
mkdir -p "$folder"
cp $bin/EchoSentinel.exe "$folder/"
cp translations/English.ini "$folder/EchoSentinel_lng.ini"
host=$(scripts/flap-host.sh up)
scripts/flap-host.sh silence
ip netns exec es-flap scripts/echo-responder.py &
responder=$!
trap 'kill $responder; scripts/flap-host.sh down; pkill -f "screenshot-readme-history|desktop=history" || true' EXIT
place() { printf '2C 00 00 00 00 00 00 00 01 00 00 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF %s' "$1"; }
# Host, IP, the counts, the description, Recent Pings and Recent Loss; the window above the graph.
columns='6E 00 00 00 5A 00 01 00 00 00 02 00 3C 00 03 00 3C 00 04 00 00 00 05 00 00 00 06 00 00 00 07 00 00 00 08 00 64 00 09 00 00 00 0A 00 00 00 0B 00 00 00 0C 00 00 00 0D 00 00 00 0E 00 00 00 0F 00 00 00 10 00 D8 00 11 00 50 00 12 00'
printf '[General]\r\nMarkFailedPings=1\r\nPingEverySeconds=1\r\nIPHostDescFormat=1\r\nRememberHosts=0\r\nWinPos=%s\r\nColumns=%s\r\nSort=0\r\nGraphPos=%s\r\n' \
  "$(place '00 00 00 00 00 00 00 00 E8 03 00 00 4A 01 00 00')" "$columns" \
  "$(place '00 00 00 00 4A 01 00 00 E8 03 00 00 6C 02 00 00')" > "$folder/EchoSentinel.cfg"
printf '127.0.0.1 router\r\n127.0.0.2 file server\r\n%s core switch\r\n127.0.0.3 printer\r\n127.0.0.4 camera\r\n' "$host" |
  iconv -t UTF-16 > "$folder/list.txt"
desktop() { scripts/wine-run explorer.exe /desktop=history,1000x640 "$@" </dev/null >/dev/null 2>&1; }
desktop "$(winepath -w "$folder/EchoSentinel.exe")" /loadfile "$(winepath -w "$folder/list.txt")" &
sleep 4
desktop $bin/es_post_command.exe EchoSentinel 40007 || true  # Select All
desktop $bin/es_post_command.exe EchoSentinel 40031 || true  # History Graph
sleep 75  # results enough for most of a sparkline
import -window root -crop 1000x640+0+0 +repage "$picture"
echo "screenshot: $PWD/$picture"
