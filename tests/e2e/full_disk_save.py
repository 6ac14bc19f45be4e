#!/usr/bin/env python3
"""Closing the real program when its folder is on a full file system: the configuration and hosts
files keep their old bytes, no temporary file is left, the failure is shown once, and the program
then ends. Needs root for the small tmpfs; exits 77 (skipped) without it.
Usage: full_disk_save.py WINE-RUN build/windows/bin"""
import os
import shutil
import subprocess
import sys
import tempfile

from e2e_wait import until

wine_run, bin_dir = sys.argv[1], sys.argv[2]
if os.geteuid() != 0:
    print("not root: skipped")
    sys.exit(77)
folder = tempfile.mkdtemp(prefix="es-full-")
subprocess.run(["mount", "-t", "tmpfs", "-o", "size=3m", "tmpfs", folder], check=True)
failures = []
try:
    shutil.copy(os.path.join(bin_dir, "EchoSentinel.exe"), folder)
    old_cfg = b"[General]\r\nPingTimeout=700\r\n"
    old_hosts = "127.0.0.1\r\n".encode("utf-16-le")
    for name, data in (("EchoSentinel.cfg", old_cfg), ("EchoSentinel_hosts.txt", old_hosts)):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    filler = os.open(os.path.join(folder, "filler"), os.O_WRONLY | os.O_CREAT)  # every block left
    try:
        while os.write(filler, b"\0" * 4096):
            pass
    except OSError:
        pass
    os.close(filler)
    post = os.path.join(bin_dir, "es_post_command.exe")
    program = subprocess.Popen([wine_run, os.path.join(folder, "EchoSentinel.exe"), "/PingTimeout", "900", "/loadfile",
                                "Z:" + os.path.join(folder, "EchoSentinel_hosts.txt").replace("/", "\\")],
                               cwd=folder, stdin=subprocess.DEVNULL)
    if not until(lambda: subprocess.run([wine_run, post, "EchoSentinel", "40002"]).returncode == 0):
        failures.append("the window never came")
    if not until(lambda: subprocess.run([wine_run, post, "#32770", "1"]).returncode == 0):
        failures.append("no error box")
    try:
        program.wait(timeout=20)
    except subprocess.TimeoutExpired:
        failures.append("still running after one error box: told more than once")
        program.kill()
    with open(os.path.join(folder, "EchoSentinel.cfg"), "rb") as f:
        if f.read() != old_cfg:
            failures.append("the configuration changed")
    with open(os.path.join(folder, "EchoSentinel_hosts.txt"), "rb") as f:
        if f.read() != old_hosts:
            failures.append("the hosts file changed")
    left = sorted(set(os.listdir(folder)) - {"EchoSentinel.exe", "EchoSentinel.cfg", "EchoSentinel_hosts.txt", "filler"})
    if left:
        failures.append(f"left behind: {left}")
finally:
    subprocess.run(["umount", folder])
    os.rmdir(folder)
print("\n".join(failures) or "nothing lost on a full disk")
print(f"{0 if failures else 1} passed, {1 if failures else 0} failed")
sys.exit(1 if failures else 0)
