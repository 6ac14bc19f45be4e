#!/usr/bin/env bash
# The picture of watching for the README: the window in English on a Wine desktop with its
# taskbar, a host of the namespace of scripts/flap-host.sh going down and up (the state-change log
# open in Notepad above the window), then down again (the tray icon and its notification).
# Needs root (the namespace), DISPLAY and WINEPREFIX set and the Windows build done.
# Usage: scripts/screenshot-watching.sh [picture, default docs/watching.png]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
picture=${1:-docs/watching.png}
bin=build/windows/bin
folder=$PWD/build/screenshot-watching
rm -rf "$folder"
mkdir -p "$folder"
cp $bin/EchoSentinel.exe "$folder/"
cp translations/English.ini "$folder/EchoSentinel_lng.ini"
host=$(scripts/flap-host.sh up)
trap 'scripts/flap-host.sh down; pkill -f "screenshot-watching.EchoSentinel|desktop=watching" || true' EXIT
# The window below Notepad: 0,140 - 1000,575 of the 1000 x 600 desktop.
printf '[General]\r\nMarkFailedPings=1\r\nPingEverySeconds=1\r\nIPHostDescFormat=1\r\nRememberHosts=0\r\n%s\r\n%s\r\n' \
  'WinPos=2C 00 00 00 00 00 00 00 01 00 00 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF 00 00 00 00 8C 00 00 00 E8 03 00 00 3F 02 00 00' \
  'DownAfterFailures=2' > "$folder/EchoSentinel.cfg"
printf '127.0.0.1 gateway\r\n127.0.0.2 file server\r\n127.0.0.3 printer\r\n%s core switch\r\n' "$host" |
  iconv -t UTF-16 > "$folder/list.txt"
for value in iWindowPosX:0 iWindowPosY:0 iWindowPosDX:1000 iWindowPosDY:140; do
  scripts/wine-run reg.exe add 'HKCU\Software\Microsoft\Notepad' /v "${value%%:*}" /t REG_DWORD /d "${value##*:}" /f \
    </dev/null >/dev/null 2>&1
done
desktop() { scripts/wine-run explorer.exe /desktop=watching,1000x600 "$@" </dev/null >/dev/null 2>&1; }
desktop "$(winepath -w "$folder/EchoSentinel.exe")" /LogStateChanges 1 /loadfile "$(winepath -w "$folder/list.txt")" &
log=$folder/EchoSentinel_log.csv
lines() { [ -f "$log" ] && grep -c . "$log" || echo 0; }
until_lines() { for _ in $(seq 100); do [ "$(lines)" -ge "$1" ] && return; sleep 0.2; done; }
sleep 5
scripts/flap-host.sh silence && until_lines 2
scripts/flap-host.sh answer && until_lines 3
desktop $bin/es_post_command.exe EchoSentinel 40015 || true  # no row selected: the colours show
desktop notepad.exe "$(winepath -w "$log")" &
sleep 2
# Down again: Notepad keeps the two lines it read, the notification comes two seconds after the change.
scripts/flap-host.sh silence && until_lines 4
sleep 4
import -window root -crop 1000x600+0+0 +repage "$picture"
echo "screenshot: $PWD/$picture"
