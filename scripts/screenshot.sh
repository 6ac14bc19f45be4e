#!/usr/bin/env bash
# Keeps pictures for people to look at (nothing is checked on them): the main window with pinged
# loopback rows, the Properties and Choose Columns dialogs over it, and the window in English. Needs DISPLAY and
# WINEPREFIX set and the Windows build done. Usage: scripts/screenshot.sh [output folder, default build]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out=${1:-build}
bin=build/windows/bin
list=$PWD/build/screenshot-list.txt
printf '127.0.0.1-127.0.0.30\r\nlocalhost\r\n' > "$list"
scripts/wine-run $bin/EchoSentinel.exe /nosaveload /MarkFailedPings 1 /PingEverySeconds 1 \
  /loadfile "$(winepath -w "$list" 2>/dev/null)" </dev/null >/dev/null 2>&1 &
pid=$!
sleep 5
shot() { import -window root -crop "$1" +repage "$out/$2"; echo "screenshot: $PWD/$out/$2"; }
post() { scripts/wine-run $bin/es_post_command.exe "$@" </dev/null >/dev/null 2>&1 || true; sleep 1; }
shot 640x480+0+0 screenshot-pinged.png
post EchoSentinel 40009 && shot 1024x768+0+0 screenshot-properties.png
post '#32770' 1
post EchoSentinel 40011 && shot 1024x768+0+0 screenshot-columns.png
post '#32770' 2
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true

english=build/screenshot-english
mkdir -p "$english"
cp $bin/EchoSentinel.exe "$english/"
cp translations/English.ini "$english/EchoSentinel_lng.ini"
scripts/wine-run "$english/EchoSentinel.exe" /nosaveload /PingEverySeconds 1 \
  /loadfile "$(winepath -w "$list" 2>/dev/null)" </dev/null >/dev/null 2>&1 &
pid=$!
sleep 5
shot 640x480+0+0 screenshot-english.png
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
