#!/usr/bin/env python3
"""Answers echo requests itself, late and sometimes not at all, for pictures of varied reply
times: run inside a namespace whose kernel ignores echo requests (scripts/flap-host.sh silence).
Times are drawn around a median of 15 ms with now and then a spike of a few hundred; one request
in twenty and every request of four seconds in thirty get no answer. Needs root.
Usage: ip netns exec es-flap scripts/echo-responder.py"""
import random
import socket
import struct
import threading
import time


def checksum(data):
    if len(data) % 2:
        data += b"\0"
    total = sum(struct.unpack(f"!{len(data) // 2}H", data))
    total = (total >> 16) + (total & 0xFFFF)
    total += total >> 16
    return ~total & 0xFFFF


sock = socket.socket(socket.AF_INET, socket.SOCK_RAW, socket.IPPROTO_ICMP)
start = time.time()
while True:
    packet, (source, _) = sock.recvfrom(65535)
    header = (packet[0] & 0x0F) * 4
    icmp = packet[header:]
    if len(icmp) < 8 or icmp[0] != 8:
        continue
    if (time.time() - start) % 30 > 26 or random.random() < 0.05:
        continue
    reply = b"\0\0\0\0" + icmp[4:]
    reply = reply[:2] + struct.pack("!H", checksum(reply)) + reply[4:]
    delay = random.lognormvariate(2.7, 0.6) / 1000 if random.random() > 0.04 else random.uniform(0.2, 0.6)
    threading.Timer(delay, sock.sendto, (reply, (source, 0))).start()
