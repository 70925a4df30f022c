#!/usr/bin/env python3
"""Writes a format 1 file whose one track holds N note-offs with no note-on
before them (orphans that note pairing must drop), in running status:
make_orphans.py N OUT.mid"""
import struct
import sys


def main():
    count, out = int(sys.argv[1]), sys.argv[2]
    body = bytearray()
    for i in range(count):
        body.append(1)                      # delta 1
        if i == 0:
            body.append(0x80)               # running status for all the rest
        body += bytes((36 + i % 60, 64))
    body += b"\x00\xff\x2f\x00"
    head = b"MThd" + struct.pack(">IHHH", 6, 1, 1, 480)
    with open(out, "wb") as f:
        f.write(head + b"MTrk" + struct.pack(">I", len(body)) + bytes(body))


if __name__ == "__main__":
    main()
