#!/usr/bin/env bash
# Runs a command under Wine at another DPI: in a copy of the test prefix whose LogPixels is DPI,
# with a Wine server of its own, so that the shared prefix and the tests that use it stay at theirs.
# The command sees ES_DPI and WINEPREFIX. Usage: at_dpi.sh DPI COMMAND [ARGUMENTS...]
set -euo pipefail
dpi=$1
shift
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
shared=${ES_WINEPREFIX:-${WINEPREFIX:-$here/build/wineprefix}}
copy=$(mktemp -d "${TMPDIR:-/tmp}/es-dpi$dpi-XXXXXX")
export WINEPREFIX=$copy/prefix ES_WINEPREFIX=$copy/prefix ES_DPI=$dpi
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$copy"
}
trap cleanup EXIT
cp -a "$shared" "$WINEPREFIX"
# Wine takes the DPI from the current user's desktop key; the server reads it when it starts.
"$here/scripts/wine-run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
wineserver -w
wineserver -p </dev/null >/dev/null 2>&1 || true
"$@" </dev/null
