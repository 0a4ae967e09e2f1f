#!/usr/bin/env python3
"""Counts and replaces every match of each benchmark pattern with Python's re.

Usage: count.py PATTERNS TEXT REPEATS
Prints one line a pattern: name, count, best count and replace CPU ms (tab-separated).
re.ASCII gives \\w the ASCII meaning the other engines use.
"""
import re
import sys
import time

patterns_file, text_file, repeats = sys.argv[1], sys.argv[2], int(sys.argv[3])
with open(text_file, encoding="utf-8", newline="") as handle:
    text = handle.read()

with open(patterns_file, encoding="utf-8") as handle:
    for line in handle.read().split("\n"):
        if not line or line.startswith("#"):
            continue
        name, flags, pattern = line.split("\t", 2)
        regex = re.compile(pattern, re.MULTILINE | re.ASCII | (re.IGNORECASE if "i" in flags else 0))
        count, count_ms, replace_ms = 0, float("inf"), float("inf")
        for _ in range(repeats):
            start = time.process_time()
            count = sum(1 for _ in regex.finditer(text))
            count_ms = min(count_ms, (time.process_time() - start) * 1000)

            start = time.process_time()
            regex.sub("#", text)
            replace_ms = min(replace_ms, (time.process_time() - start) * 1000)
        print(f"{name}\t{count}\t{count_ms:.1f}\t{replace_ms:.1f}", flush=True)
