#!/usr/bin/env bash
# Makes the build's own Wine prefix once (build/wineprefix, or ES_WINEPREFIX), maps the dialog
# font to a CJK font so that the Chinese texts draw, and leaves windows unmanaged: without a window
# manager on the virtual display, Wine would otherwise wait 2 s for one whenever a window closes.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${ES_WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
ready=$WINEPREFIX/.es-ready-2
[ -f "$ready" ] && exit 0
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 || true
for face in "新細明體" "PMingLiU" "細明體" "MingLiU"; do
  "$here/scripts/wine-run" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d "Noto Sans CJK TC" /f >/dev/null 2>&1
done
"$here/scripts/wine-run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
touch "$ready"
