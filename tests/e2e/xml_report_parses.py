#!/usr/bin/env python3
"""The XML report of the real program, read by a real XML parser (expat through minidom): the
declaration names the encoding the bytes are in, and the escaped texts come back as written.
Usage: xml_report_parses.py WINE-RUN EchoSentinel.exe"""
import os
import shutil
import subprocess
import sys
import tempfile
from xml.dom import minidom

wine_run, exe = sys.argv[1], sys.argv[2]
with tempfile.TemporaryDirectory() as folder:
    shutil.copy(exe, os.path.join(folder, "EchoSentinel.exe"))
    with open(os.path.join(folder, "EchoSentinel.cfg"), "wb") as f:
        f.write(b"[General]\r\nIPHostDescFormat=1\r\n")
    with open(os.path.join(folder, "EchoSentinel_hosts.txt"), "wb") as f:
        f.write('a&b <x>\r\n10.0.0.9  lead, "q"\r\n127.0.0.1 主機\r\n'.encode("utf-16-le"))
    subprocess.run([wine_run, os.path.join(folder, "EchoSentinel.exe"), "/sxml", "out.xml"],
                   cwd=folder, check=True, timeout=60)
    with open(os.path.join(folder, "out.xml"), "rb") as f:
        data = f.read()

document = minidom.parseString(data)
root = document.documentElement
items = root.getElementsByTagName("item")
texts = [{child.tagName: "".join(node.data for node in child.childNodes)
          for child in item.childNodes if child.nodeType == child.ELEMENT_NODE} for item in items]
expected_hosts = ["a&b", "10.0.0.9", "127.0.0.1"]
expected_descriptions = ["<x>", ' lead, "q"', "主機"]
failures = []
if root.tagName != "ping_清單":
    failures.append(f"root {root.tagName!r}")
if [t.get("主電腦名") for t in texts] != expected_hosts:
    failures.append(f"hosts {[t.get('主電腦名') for t in texts]!r}")
if [t.get("描述") for t in texts] != expected_descriptions:
    failures.append(f"descriptions {[t.get('描述') for t in texts]!r}")
if texts and texts[2].get("ip_位址") != "127.0.0.1":
    failures.append(f"address {texts[2].get('ip_位址')!r}")
print("\n".join(failures) or "the XML report parses")
print(f"{1 - bool(failures)} passed, {int(bool(failures))} failed")
sys.exit(1 if failures else 0)
