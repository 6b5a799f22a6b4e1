#!/usr/bin/env python3
"""Perft speed of Kestrion's engine beside a UCI engine's, measured in the same run.

Runs the start position to depth 6 on one thread, alternately with the engine benchmark
(kestrion_engine_bench) and with a UCI engine that answers "go perft N" (Stockfish as Debian
packages it, by default), and prints the leaf nodes per second of each. Both figures are taken
from processor time, so another program sharing the machine slows neither; wall-clock figures
are printed beside them. The UCI engine's start-up is not counted: the clock starts when
"go perft" is sent and stops at its "Nodes searched" line.

Usage: bench/engine/perft_versus.py BENCH_BINARY [--reference /usr/games/stockfish]
                                   [--rounds 3] [--depth 6]
"""

import argparse
import json
import os
import statistics
import subprocess
import sys
import time

TICKS = os.sysconf("SC_CLK_TCK")


def processor_seconds(pid):
    with open(f"/proc/{pid}/stat", encoding="ascii") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    # utime and stime are the 14th and 15th fields; the split above starts at the 3rd.
    return (int(fields[11]) + int(fields[12])) / TICKS


def reference_run(binary, depth):
    engine = subprocess.Popen([binary], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)

    def send(line):
        engine.stdin.write(line + "\n")
        engine.stdin.flush()

    def wait_for(prefix):
        for line in engine.stdout:
            if line.startswith(prefix):
                return line
        raise RuntimeError(f"{binary} ended before answering {prefix!r}")

    send("uci")
    wait_for("uciok")
    send("setoption name Threads value 1")
    send("isready")
    wait_for("readyok")
    send("position startpos")
    cpu_before = processor_seconds(engine.pid)
    wall_before = time.perf_counter()
    send(f"go perft {depth}")
    nodes = int(wait_for("Nodes searched").split(":")[1])
    wall = time.perf_counter() - wall_before
    cpu = processor_seconds(engine.pid) - cpu_before
    send("quit")
    engine.wait(timeout=30)
    return nodes, cpu, wall


def own_run(binary, depth):
    if depth != 6:
        raise SystemExit("the engine benchmark runs the start position to depth 6")
    output = subprocess.run(
        [binary, "--benchmark_filter=BM_Perft/0/", "--benchmark_format=json"],
        check=True, capture_output=True, text=True).stdout
    run = json.loads(output)["benchmarks"][0]
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[run["time_unit"]]
    return int(run["leaves"]), run["cpu_time"] * scale, run["real_time"] * scale


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("bench")
    parser.add_argument("--reference", default="/usr/games/stockfish")
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--depth", type=int, default=6)
    args = parser.parse_args()

    rates = {"kestrion": [], "reference": []}
    for round_number in range(1, args.rounds + 1):
        for name, run in (("kestrion", lambda: own_run(args.bench, args.depth)),
                          ("reference", lambda: reference_run(args.reference, args.depth))):
            nodes, cpu, wall = run()
            rates[name].append(nodes / cpu)
            print(f"round {round_number} {name:9}: {nodes} leaves, {cpu:.3f} s processor "
                  f"({nodes / cpu / 1e6:.1f} M/s), {wall:.3f} s wall ({nodes / wall / 1e6:.1f} M/s)")
    ours = statistics.median(rates["kestrion"])
    theirs = statistics.median(rates["reference"])
    print(f"median leaves per processor second: kestrion {ours / 1e6:.1f} M, "
          f"{os.path.basename(args.reference)} {theirs / 1e6:.1f} M "
          f"(ratio {ours / theirs:.2f})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
