#!/usr/bin/env bash
# Whether a window manager looks after the Wine windows of the build's prefix: Y on a desktop,
# N on a virtual display that has none (Wine would otherwise wait 2 s for one whenever a window
# closes). Usage: scripts/wine-managed.sh Y|N
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$here/scripts/wine-run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$1" /f >/dev/null 2>&1
