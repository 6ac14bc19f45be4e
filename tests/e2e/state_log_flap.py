#!/usr/bin/env python3
"""A real host of a namespace of our own going down and up under the real program: the state-change
log gets its byte-order mark, header and one line per change (none for the first state); a line
that cannot be written is written with the next one, in order.
Needs root for the namespace; exits 77 (skipped) without it.
Usage: state_log_flap.py WINE-RUN build/windows/bin"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

from e2e_wait import until

wine_run, bin_dir = sys.argv[1], sys.argv[2]
if os.geteuid() != 0:
    print("not root: skipped")
    sys.exit(77)
flap_host = os.path.join(os.path.dirname(wine_run), "flap-host.sh")


def answer(on):
    subprocess.run([flap_host, "answer" if on else "silence"], check=True)




subprocess.run([flap_host, "down"], check=True)
HOST = subprocess.run([flap_host, "up"], check=True, capture_output=True, text=True).stdout.strip()
folder = tempfile.mkdtemp(prefix="es-flap-")
failures = []
program = None
try:
    shutil.copy(os.path.join(bin_dir, "EchoSentinel.exe"), folder)
    with open(os.path.join(folder, "EchoSentinel.cfg"), "wb") as f:
        f.write(b"[General]\r\nPingEverySeconds=0\r\nPingTimeout=400\r\nIPHostDescFormat=1\r\nRememberHosts=0\r\n"
                b"DownAfterFailures=2\r\nLogStateChanges=1\r\n")
    with open(os.path.join(folder, "list.txt"), "wb") as f:
        f.write(f"127.0.0.1 loopback\r\n{HOST} flapping, \"core\" \u4ea4\u63db\u6a5f\r\n".encode("utf-16"))
    log = os.path.join(folder, "EchoSentinel_log.csv")
    post = os.path.join(bin_dir, "es_post_command.exe")
    program = subprocess.Popen([wine_run, os.path.join(folder, "EchoSentinel.exe"), "/loadfile",
                                "Z:" + os.path.join(folder, "list.txt").replace("/", "\\")],
                               cwd=folder, stdin=subprocess.DEVNULL)
    if not until(lambda: subprocess.run([wine_run, post, "EchoSentinel", "40004"]).returncode == 0):
        failures.append("the window never came")
    time.sleep(4)  # both rows up, silently
    if os.path.exists(log):
        failures.append("a line for a first state")

    def lines():
        try:
            with open(log, "rb") as f:
                return f.read().split(b"\r\n")[:-1]
        except OSError:
            return []
    answer(False)
    if not until(lambda: len(lines()) == 2):
        failures.append(f"no down line: {lines()}")
    # A folder in the file's place (root writes any read-only file): the up line cannot be written.
    first = lines()
    os.rename(log, log + ".first")
    os.mkdir(log)
    answer(True)
    time.sleep(4)
    os.rmdir(log)
    answer(False)
    if not until(lambda: len(lines()) == 3):
        failures.append(f"the kept up line and the next down line not written: {lines()}")
    subprocess.run([wine_run, post, "EchoSentinel", "40002"])
    program.wait(timeout=30)
    header = b"\xef\xbb\xbftime,host,address,description,state,status,failures_in_a_row"
    timed_out = "\u8acb\u6c42\u903e\u6642".encode()  # the built-in status texts
    success = "\u6210\u529f".encode()
    row = f'{HOST},{HOST},"flapping, ""core"" \u4ea4\u63db\u6a5f"'.encode()
    down, up = row + b",down," + timed_out + b",2", row + b",up," + success + b",0"
    stamp = rb"^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d,"
    for got, expected in ((first, [header, down]), (lines(), [header, up, down])):
        if not all(re.match(stamp, line) for line in got[1:]):
            failures.append(f"a line without its local time: {got}")
        if [re.sub(stamp, b"", line) for line in got] != expected:
            failures.append(f"log lines: {got}")
finally:
    if program and program.poll() is None:
        program.kill()
    subprocess.run([flap_host, "down"])
    shutil.rmtree(folder, ignore_errors=True)
print("\n".join(failures) or "every change logged once, in order")
print(f"{0 if failures else 1} passed, {1 if failures else 0} failed")
sys.exit(1 if failures else 0)
