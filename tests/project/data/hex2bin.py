#!/usr/bin/env python3
"""hex2bin.py IN OUT: writes the bytes spelled as hex pairs in IN ("#" starts a comment)."""
import sys

digits = []
with open(sys.argv[1]) as source:
    for line in source:
        digits.extend(line.split("#", 1)[0].split())
with open(sys.argv[2], "wb") as target:
    target.write(bytes.fromhex("".join(digits)))
