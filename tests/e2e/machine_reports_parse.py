#!/usr/bin/env python3
"""The JSON and Prometheus reports of the real program over hostile names, read by Python's json
and by prometheus_client's parser, each value compared with what the text report shows.
Usage: machine_reports_parse.py WINE-RUN EchoSentinel.exe"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

from prometheus_client.parser import text_string_to_metric_families

KEYS = ["host", "address", "replyAddress", "succeeded", "failed", "status", "statusCode", "lastTime", "ttl",
        "averageTime", "description", "loss", "minTime", "maxTime", "jitter", "failuresInARow", "lastSuccess",
        "statusChanged"]
# The keys of the seventeen columns in index order, as the text report shows them.
COLUMNS = [k for k in KEYS if k != "statusCode"]
HOSTS = ['a"b\\c\t\x01 x="}",y\\n', "127.0.0.1 主機 é\U0001F600", "\ud800x lone", "x\x1f\x7f ctl\x02",
         "127.0.0.1 ", " no host"]

wine_run, exe = sys.argv[1], sys.argv[2]
reports = {}
with tempfile.TemporaryDirectory() as folder:
    shutil.copy(exe, os.path.join(folder, "EchoSentinel.exe"))
    columns = " ".join(f"64 00 {c:02X} 00" for c in range(17))  # all seventeen shown, in index order
    with open(os.path.join(folder, "EchoSentinel.cfg"), "wb") as f:
        f.write(f"[General]\r\nIPHostDescFormat=1\r\nColumns={columns}\r\n".encode())
    with open(os.path.join(folder, "EchoSentinel_hosts.txt"), "wb") as f:
        f.write("\r\n".join(HOSTS).encode("utf-16-le", "surrogatepass"))
    for option, name in [("/stext", "out.txt"), ("/sjson", "out.json"), ("/sprom", "out.prom")]:
        subprocess.run([wine_run, os.path.join(folder, "EchoSentinel.exe"), option, name],
                       cwd=folder, check=True, timeout=60)
        with open(os.path.join(folder, name), "rb") as f:
            reports[name] = f.read()
    left = sorted(set(os.listdir(folder)) - {"EchoSentinel.exe", "EchoSentinel.cfg", "EchoSentinel_hosts.txt"})

failures = []
if left != ["out.json", "out.prom", "out.txt"]:
    failures.append(f"files left {left!r}")

# The text report: one block per row, "title: value" per column; a lone surrogate shows as U+FFFD in UTF-8.
text = reports["out.txt"][2:].decode("utf-16-le", "surrogatepass")
shown = []
for block in text.split("=" * 50 + "\r\n")[1::2]:
    values = [line.split(": ", 1)[1] for line in block.split("\r\n") if line]
    shown.append({key: re.sub("[\ud800-\udfff]", "\ufffd", value) for key, value in zip(COLUMNS, values)})
if len(shown) != len(HOSTS):
    failures.append(f"{len(shown)} rows in the text report")

data = reports["out.json"]
if data.startswith(b"\xef\xbb\xbf"):
    failures.append("a byte-order mark")
document = json.loads(data.decode("utf-8"))
if list(document) != ["program", "version", "created", "title", "rows"]:
    failures.append(f"members {list(document)!r}")
if (document["program"], document["title"]) != ("EchoSentinel", "Ping 清單"):
    failures.append(f"program and title {document['program']!r} {document['title']!r}")
if not re.fullmatch(r"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d", document["created"]):
    failures.append(f"created {document['created']!r}")
for index, (row, cells) in enumerate(zip(document["rows"], shown)):
    if list(row) != KEYS:
        failures.append(f"row {index} keys {list(row)!r}")
    if row["statusCode"] != -1:
        failures.append(f"row {index} statusCode {row['statusCode']!r}")
    for key in COLUMNS:
        value = row[key]
        as_shown = "" if value is None else value if isinstance(value, str) else str(value)
        if as_shown != cells[key] or isinstance(value, str) and key in ("succeeded", "failed"):
            failures.append(f"row {index} {key}: {value!r}, shown {cells[key]!r}")

# Before any ping only the counters have samples, two per row, labelled with the row's texts.
families = {family.name: family for family in text_string_to_metric_families(reports["out.prom"].decode("utf-8"))}
types = {name: family.type for name, family in families.items()}
expected_types = {"echosentinel_up": "gauge", "echosentinel_pings": "counter", "echosentinel_loss_ratio": "gauge",
                  "echosentinel_rtt_seconds": "gauge", "echosentinel_jitter_seconds": "gauge",
                  "echosentinel_failures_in_a_row": "gauge", "echosentinel_last_success_timestamp_seconds": "gauge"}
if types != expected_types:
    failures.append(f"metric types {types!r}")
samples = [s for family in families.values() for s in family.samples]
expected = [({"host": cells["host"], "address": cells["address"], "description": cells["description"],
              "row": str(index + 1), "result": result}, 0.0)
            for index, cells in enumerate(shown) for result in ("success", "failure")]
if [(s.labels, s.value) for s in samples] != expected:
    failures.append(f"samples {[(s.labels, s.value) for s in samples]!r}")
if not reports["out.prom"].endswith(b"\n") or b"\r" in reports["out.prom"]:
    failures.append("line ends")

print("\n".join(failures) or "the JSON and Prometheus reports parse and match the text report")
print(f"{1 - bool(failures)} passed, {int(bool(failures))} failed")
sys.exit(1 if failures else 0)
