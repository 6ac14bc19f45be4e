#!/usr/bin/env python3
"""The HTML report of real rounds (every column, Recent Pings last but one) opened in a real browser
(Debian's headless chromium): the page's DOM holds one SVG of the Recent Pings bars per row and one
rect per result, a failure's bar full height in red, and the picture the browser paints has the
bars' colours. The screenshot is kept
for a person to look at. Rows: loopback addresses, and the silent host of the run when there is one.
Usage: html_report_renders.py WINE-RUN EchoSentinel.exe SCREENSHOT.png   (exit 77: no chromium)"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

ROUNDS = 10
GREEN, RED = "#00A000", "#DC0000"

wine_run, exe, screenshot = sys.argv[1], sys.argv[2], sys.argv[3]
chromium = shutil.which("chromium")
if not chromium:
    print("no chromium: skipped")
    sys.exit(77)

silent = os.environ.get("ES_SILENT_HOST", "")
hosts = ["127.0.0.1", "127.0.0.2"] + ([silent] if silent else [])


def browse(page, *options):
    # As root chromium runs only without its sandbox; a profile of its own leaves nothing behind.
    with tempfile.TemporaryDirectory() as profile:
        return subprocess.run([chromium, "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                               f"--user-data-dir={profile}", *options, "file://" + page],
                              capture_output=True, timeout=120, check=True).stdout.decode("utf-8", "replace")


with tempfile.TemporaryDirectory() as folder:
    shutil.copy(exe, os.path.join(folder, "EchoSentinel.exe"))
    with open(os.path.join(folder, "list.txt"), "wb") as f:
        f.write("\r\n".join(hosts).encode())
    subprocess.run([wine_run, os.path.join(folder, "EchoSentinel.exe"), "/rounds", str(ROUNDS), "/interval", "0",
                    "/PingTimeout", "300", "/loadfile", "list.txt", "/shtml", "out.html"],
                   cwd=folder, timeout=120, stdout=subprocess.DEVNULL)
    page = os.path.join(folder, "out.html")
    dom = browse(page, "--dump-dom")
    browse(page, f"--screenshot={screenshot}", "--window-size=2300,330")
    histogram = subprocess.run(["convert", screenshot, "-format", "%c", "histogram:info:-"],
                               capture_output=True, check=True).stdout.decode()

failures = []
svgs = re.findall(r"<svg [^>]*>.*?</svg>", dom)
if len(svgs) != len(hosts):
    failures.append(f"{len(svgs)} svg elements for {len(hosts)} rows")
for host, svg in zip(hosts, svgs):
    rects = re.findall(r"<rect [^>]*>", svg)
    if len(rects) != ROUNDS:
        failures.append(f"{host}: {len(rects)} rects for {ROUNDS} results")
    failed = [r for r in rects if f'fill="{RED}"' in r]
    if host == silent and len(failed) != ROUNDS:
        failures.append(f"{host}: {len(failed)} red bars")
    if host == silent and not all('height="20"' in r for r in failed):
        failures.append(f"{host}: a failure's bar not full height")
    if not re.search(r"<title>[\d -]+</title>", svg):
        failures.append(f"{host}: no title with the results")
for colour in [GREEN] + ([RED] if silent else []):
    if colour not in histogram.upper():
        failures.append(f"no {colour} pixel in the screenshot")
print("\n".join(failures) or f"the browser shows the bars of {len(hosts)} rows")
print(f"{1 - bool(failures)} passed, {int(bool(failures))} failed")
sys.exit(1 if failures else 0)
