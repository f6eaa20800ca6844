#!/usr/bin/env python3
"""Clears the two build times chmcmd writes into a compiled help file, so that the same sources always
compile to the same bytes: the ITSF header's time stamp and the time stamp entry (code 10) of /#SYSTEM.

    clear_timestamps.py FILE.chm
"""
import re
import struct
import subprocess
import sys

SYSTEM_TIMESTAMP_CODE = 10


def system_offset(path):
    """Offset of /#SYSTEM within content section 0, from chmls's listing."""
    listing = subprocess.run(["chmls", "-p", "list", path], check=True, capture_output=True, text=True,
                             errors="replace").stdout
    match = re.search(r"^\s*0\s+(\d+)\s+\d+\s+/#SYSTEM\s*$", listing, re.MULTILINE)
    if not match:
        sys.exit(f"clear_timestamps: no /#SYSTEM in section 0 of {path}")
    return int(match.group(1))


def main():
    path = sys.argv[1]
    data = bytearray(open(path, "rb").read())
    if data[:4] != b"ITSF" or struct.unpack_from("<I", data, 4)[0] != 3:
        sys.exit(f"clear_timestamps: {path} is no version 3 ITSF file")
    data[0x10:0x14] = bytes(4)
    content0 = struct.unpack_from("<Q", data, 0x58)[0]
    at = content0 + system_offset(path) + 4  # past the #SYSTEM version
    cleared = False
    while at + 4 <= len(data):
        code, length = struct.unpack_from("<HH", data, at)
        if code == SYSTEM_TIMESTAMP_CODE and length >= 4:
            data[at + 4:at + 8] = bytes(4)
            cleared = True
            break
        if length == 0 and code == 0:
            break
        at += 4 + length
    if not cleared:
        sys.exit(f"clear_timestamps: no time stamp entry in /#SYSTEM of {path}")
    open(path, "wb").write(data)


if __name__ == "__main__":
    main()
