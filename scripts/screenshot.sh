#!/usr/bin/env bash
# Keeps pictures for people to look at (nothing is checked on them): the main window with pinged
# loopback rows, the Properties and Choose Columns dialogs over it, the window in English, the
# statistics columns and the history graph (with the silent host when ES_SILENT_HOST names one).
# Needs DISPLAY and WINEPREFIX set and the Windows build done.
# Usage: scripts/screenshot.sh [output folder, default build]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out=${1:-build}
bin=build/windows/bin
list=$PWD/build/screenshot-list.txt
printf '127.0.0.1-127.0.0.30\r\nlocalhost\r\n' > "$list"
shot() { import -window root -crop "$1" +repage "$out/$2"; echo "screenshot: $PWD/$out/$2"; }
post() { scripts/wine-run $bin/es_post_command.exe "$@" </dev/null >/dev/null 2>&1 || true; sleep 1; }
# A folder of its own with the program and the English translation beside it.
english_folder() { mkdir -p "$1"; cp $bin/EchoSentinel.exe "$1/"; cp translations/English.ini "$1/EchoSentinel_lng.ini"; }
# The program of folder $1 on the address file $2, with the options that follow, in the background.
start_on() {
  local folder=$1 file=$2
  shift 2
  scripts/wine-run "$folder/EchoSentinel.exe" "$@" /loadfile "$(winepath -w "$file" 2>/dev/null)" </dev/null >/dev/null 2>&1 &
  pid=$!
}
stop_program() { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
start_on $bin "$list" /nosaveload /MarkFailedPings 1 /PingEverySeconds 1
sleep 5
shot 640x480+0+0 screenshot-pinged.png
post EchoSentinel 40009 && shot 1024x768+0+0 screenshot-properties.png
post '#32770' 1
post EchoSentinel 40011 && shot 1024x768+0+0 screenshot-columns.png
post '#32770' 2
stop_program

english=build/screenshot-english
english_folder "$english"
start_on "$english" "$list" /nosaveload /PingEverySeconds 1
sleep 5
shot 640x480+0+0 screenshot-english.png
stop_program

# The statistics columns in English beside the host, its address and the counts, in a wide window;
# with the silent host of the test run (when there is one) as a row that fails every round.
statistics=build/screenshot-statistics
english_folder "$statistics"
columns="96 00 00 00 6E 00 01 00 00 00 02 00 46 00 03 00 46 00 04 00 00 00 05 00 00 00 06 00 00 00 07 00 00 00 08 00"
columns="$columns 00 00 09 00 46 00 0A 00 5A 00 0B 00 5A 00 0C 00 46 00 0D 00 5A 00 0E 00 8C 00 0F 00 8C 00 10 00"
printf '[General]\r\nPingEverySeconds=1\r\nPingTimeout=200\r\nWinPos=2C 00 00 00 00 00 00 00 01 00 00 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF 00 00 00 00 00 00 00 00 F0 04 00 00 90 01 00 00\r\nColumns=%s\r\n' "$columns" \
  > "$statistics/EchoSentinel.cfg"
printf '127.0.0.1-127.0.0.12\r\n%s\r\n' "${ES_SILENT_HOST:-}" > "$statistics/list.txt"
start_on "$statistics" "$statistics/list.txt"
sleep 6
shot 1264x400+0+0 screenshot-statistics.png
stop_program

# The history graph in English over the main window: five loopback rows with descriptions and the
# silent host (when there is one), all selected, pinged without a pause, where GraphPos puts it.
history=build/screenshot-history
english_folder "$history"
printf '[General]\r\nPingEverySeconds=0\r\nPingTimeout=300\r\nIPHostDescFormat=1\r\nWinPos=2C 00 00 00 00 00 00 00 01 00 00 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF 00 00 00 00 00 00 00 00 84 03 00 00 08 02 00 00\r\nGraphPos=2C 00 00 00 00 00 00 00 01 00 00 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF 04 01 00 00 DC 00 00 00 E8 03 00 00 80 02 00 00\r\n' \
  > "$history/EchoSentinel.cfg"
printf '127.0.0.1 router\r\n127.0.0.2 file server\r\n127.0.0.3 printer\r\n127.0.0.4 camera\r\n127.0.0.5 backup\r\n' > "$history/list.txt"
[ -z "${ES_SILENT_HOST:-}" ] || printf '%s silent host\r\n' "$ES_SILENT_HOST" >> "$history/list.txt"
start_on "$history" "$history/list.txt"
sleep 3
post EchoSentinel 40007  # Select All
post EchoSentinel 40031  # History Graph
sleep 10
shot 1000x640+0+0 screenshot-history.png
stop_program

# The window at 150 and 200 %, each in a prefix of its own given that DPI.
scripts/screenshot-dpi.sh "$out"
