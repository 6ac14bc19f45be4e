#!/usr/bin/env python3
"""The translation template written where no window can be created (Wine without a display):
exit code 0 and byte for byte the file written with a display, the dialogs' sections included.
Usage: headless_template.py WINE-RUN EchoSentinel.exe"""
import os
import shutil
import subprocess
import sys
import tempfile

wine_run, exe = sys.argv[1], sys.argv[2]
if not os.environ.get("DISPLAY"):
    print("no display to compare with: skipped")
    sys.exit(77)
written = {}
for name in ("display", "headless"):
    env = {key: value for key, value in os.environ.items() if name == "display" or key != "DISPLAY"}
    with tempfile.TemporaryDirectory() as folder:
        shutil.copy(exe, os.path.join(folder, "EchoSentinel.exe"))
        code = subprocess.run([wine_run, os.path.join(folder, "EchoSentinel.exe"), "/savelangfile"], cwd=folder, env=env,
                              stdin=subprocess.DEVNULL, timeout=60).returncode
        path = os.path.join(folder, "EchoSentinel_lng.ini")
        written[name] = (code, open(path, "rb").read() if os.path.exists(path) else b"<missing>")

failures = [f"{name}: exit code {code}" for name, (code, _) in written.items() if code != 0]
text = written["display"][1].decode("utf-16", errors="replace")
failures += [f"no [{section}]" for section in ("dialog_105", "dialog_109", "dialog_112", "dialog_1096") if f"[{section}]" not in text]
if written["headless"][1] != written["display"][1]:
    failures.append("the file written without a display differs")
print("\n".join(failures) or "the template is the same without a display")
print(f"{1 - bool(failures)} passed, {int(bool(failures))} failed")
sys.exit(1 if failures else 0)
