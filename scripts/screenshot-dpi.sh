#!/usr/bin/env bash
# Pictures of the window at 150 and 200 % for people to look at (nothing is checked on them): the
# English window with pinged loopback rows, their Recent Pings sparklines and the sort arrow, each
# in a copy of the prefix given that DPI (tests/e2e/at_dpi.sh). Writes screenshot-dpi144.png and
# screenshot-dpi192.png. Needs DISPLAY and the Windows build done.
# Usage: scripts/screenshot-dpi.sh [output folder, default build]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out=$(cd "${1:-build}" && pwd)
if [ -z "${ES_DPI:-}" ]; then
  for dpi in 144 192; do tests/e2e/at_dpi.sh "$dpi" scripts/screenshot-dpi.sh "$out"; done
  exit 0
fi
folder=$PWD/build/screenshot-dpi$ES_DPI
rm -rf "$folder"
mkdir -p "$folder"
cp build/windows/bin/EchoSentinel.exe "$folder/"
cp translations/English.ini "$folder/EchoSentinel_lng.ini"
# Host, IP, the counts, the status, the last time and Recent Pings, at their widths at 96 DPI.
columns='6E 00 00 00 64 00 01 00 00 00 02 00 50 00 03 00 00 00 04 00 5A 00 05 00 50 00 06 00 00 00 07 00'
columns="$columns 00 00 08 00 00 00 09 00 00 00 0A 00 00 00 0B 00 00 00 0C 00 00 00 0D 00 00 00 0E 00 00 00 0F 00"
columns="$columns 00 00 10 00 6E 00 11 00 00 00 12 00"
printf '[General]\r\nMarkFailedPings=1\r\nPingEverySeconds=0\r\nPingTimeout=300\r\nRememberHosts=0\r\nColumns=%s\r\n' "$columns" \
  > "$folder/EchoSentinel.cfg"
printf '127.0.0.1-127.0.0.12\r\n%s\r\n' "${ES_SILENT_HOST:-}" > "$folder/list.txt"
scripts/wine-run "$folder/EchoSentinel.exe" /loadfile "$(winepath -w "$folder/list.txt" 2>/dev/null)" </dev/null >/dev/null 2>&1 &
pid=$!
sleep 10
# The window keeps its default size of 640 x 480 at 96 DPI.
size=$(( 640 * ES_DPI / 96 ))x$(( 480 * ES_DPI / 96 ))
import -window root -crop "$size+0+0" +repage "$out/screenshot-dpi$ES_DPI.png"
echo "screenshot: $out/screenshot-dpi$ES_DPI.png"
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
