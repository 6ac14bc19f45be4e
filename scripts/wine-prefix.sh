#!/usr/bin/env bash
# Makes the build's own Wine prefix once (build/wineprefix, or ES_WINEPREFIX) and maps the
# dialog font to a CJK font so that the Chinese texts draw.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${ES_WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
ready=$WINEPREFIX/.es-ready
[ -f "$ready" ] && exit 0
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 || true
for face in "新細明體" "PMingLiU" "細明體" "MingLiU"; do
  "$here/scripts/wine-run" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d "Noto Sans CJK TC" /f >/dev/null 2>&1
done
wineserver -w
touch "$ready"
