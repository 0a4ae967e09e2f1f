#!/usr/bin/env python3
"""How soon sifta-cli lines writes a line that arrives on a pipe, as for tail -f log | sifta-cli.

Usage: pipe_latency.py SIFTA_CLI
Starts the program ten times, writes a matching line to its standard input once it waits for
more, and times until the result line comes out; prints the median and the longest, and the
bound of 50 ms.
"""
import select
import statistics
import subprocess
import sys
import time

cli = sys.argv[1]
times = []
for _ in range(10):
    process = subprocess.Popen([cli, "lines", "ERROR"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    process.stdin.write(b"starting\n")
    process.stdin.flush()
    time.sleep(0.2)  # the program has started and waits for the next line
    start = time.perf_counter()
    process.stdin.write(b"ERROR disk full\n")
    process.stdin.flush()
    ready, _, _ = select.select([process.stdout], [], [], 5)
    line = process.stdout.readline() if ready else b""
    times.append((time.perf_counter() - start) * 1000)
    process.stdin.close()
    process.wait()
    if not ready:
        sys.exit("\nFirst line of lines from a pipe: nothing within 5 s (bound 50 ms) !")
    if line != b"2:ERROR disk full\n":
        sys.exit(f"unexpected output {line!r}")

longest = max(times)
print(f"\nFirst line of lines from a pipe: median {statistics.median(times):.1f} ms, "
      f"longest {longest:.1f} ms (bound 50){'' if longest <= 50 else ' !'}")
