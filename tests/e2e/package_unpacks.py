#!/usr/bin/env python3
"""The release zip of scripts/package.sh: the same bytes from two runs, and the program unpacked
from it pinging loopback with the English translation beside it, set up as its README.txt says.
Usage: package_unpacks.py WINE-RUN PACKAGE.SH"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile

wine_run, package = sys.argv[1], sys.argv[2]
header = os.path.join(os.path.dirname(package), "..", "src", "resources", "Version.h")
version = re.search(r'#define ES_VERSION_TEXT +"([^"]+)"', open(header).read()).group(1)
top = f"EchoSentinel-{version}/"
failures = []
with tempfile.TemporaryDirectory() as folder:
    made = []
    for run in ("one", "two"):
        subprocess.run([package, os.path.join(folder, run)], check=True, timeout=900, stdout=subprocess.DEVNULL)
        made.append(os.path.join(folder, run, f"EchoSentinel-{version}-win64.zip"))
    if open(made[0], "rb").read() != open(made[1], "rb").read():
        failures.append("two runs made different zips")

    with zipfile.ZipFile(made[0]) as archive:
        names = archive.namelist()
        if names != [top + "EchoSentinel.exe", top + "translations/English.ini", top + "README.txt"]:
            failures.append(f"entries {names!r}")
        readme = archive.read(top + "README.txt")
        if b"\n" in readme.replace(b"\r\n", b""):
            failures.append("README.txt has a line end that is not CRLF")
        archive.extractall(folder)
    program = os.path.join(folder, top)
    shutil.copy(os.path.join(program, "translations", "English.ini"), os.path.join(program, "EchoSentinel_lng.ini"))
    # Started from another folder: the translation is found beside the program, not in the current folder.
    with open(os.path.join(folder, "list.txt"), "wb") as f:
        f.write(b"127.0.0.1\r\n")
    run = subprocess.run([wine_run, os.path.join(program, "EchoSentinel.exe"), "/rounds", "1", "/loadfile", "list.txt",
                          "/sjson", "out.json"], cwd=folder, stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
    output = run.stdout.decode("utf-8", "replace")
    if run.returncode != 0 or not output.startswith("ECHOSENTINEL OK - 1/1 hosts OK"):
        failures.append(f"exit code {run.returncode}, output {output!r}")
    written = os.path.join(folder, "out.json")
    report = json.load(open(written, encoding="utf-8")) if os.path.exists(written) else {}
    if report.get("version") != version:
        failures.append(f"version {report.get('version')!r}")
    if report.get("title") != "Ping List":
        failures.append(f"title {report.get('title')!r}: the English translation was not found")
    if [row.get("status") for row in report.get("rows", [])] != ["Success"]:
        failures.append(f"rows {report.get('rows')!r}")

print("\n".join(failures) or "the zip is reproducible and the program runs from it in English")
print(f"{1 - bool(failures)} passed, {int(bool(failures))} failed")
sys.exit(1 if failures else 0)
