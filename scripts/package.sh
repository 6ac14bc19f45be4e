#!/usr/bin/env bash
# Builds the release: build/dist/EchoSentinel-VERSION-win64.zip (or in the folder given) holding
# the folder EchoSentinel-VERSION with EchoSentinel.exe, translations/English.ini and README.txt.
# The version is Version.h's. Built twice from one commit the zip is the same byte for byte: its
# entries are dated at the commit's time (SOURCE_DATE_EPOCH when set), in a fixed order, with
# fixed attributes and compression.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
version=$(sed -n 's/^#define ES_VERSION_TEXT *"\([0-9.]*\)".*/\1/p' src/resources/Version.h)
[ -n "$version" ] || { echo "no ES_VERSION_TEXT in src/resources/Version.h" >&2; exit 1; }
[ -f build/windows/build.ninja ] || cmake --preset windows >/dev/null
cmake --build --preset windows --target EchoSentinel >&2
out=${1:-build/dist}
epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}
mkdir -p "$out"

python3 - "$version" "$epoch" "$out/EchoSentinel-$version-win64.zip" <<'PY'
import os, sys, time, zipfile

version, epoch, path = sys.argv[1], int(sys.argv[2]), sys.argv[3]
# A zip's dates start in 1980 and have no time zone: UTC, in the two-second steps it keeps.
stamp = time.gmtime(max(epoch, 315532800))[:6]
entries = [("EchoSentinel.exe", "build/windows/bin/EchoSentinel.exe"),
           ("translations/English.ini", "translations/English.ini"),
           ("README.txt", "packaging/README.txt")]
with zipfile.ZipFile(path + ".part", "w") as archive:
    for name, source in entries:
        info = zipfile.ZipInfo(f"EchoSentinel-{version}/{name}", stamp)
        info.create_system = 0  # MS-DOS attributes, whatever system packs it
        info.external_attr = 0x20  # FILE_ATTRIBUTE_ARCHIVE, as Windows itself zips a file
        info.compress_type = zipfile.ZIP_DEFLATED
        with open(source, "rb") as f:
            archive.writestr(info, f.read(), compresslevel=9)
os.replace(path + ".part", path)
print(path)
PY
