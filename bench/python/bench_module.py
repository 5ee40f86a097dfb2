#!/usr/bin/env python3
"""Times the vantor module: one vantor.rate call (the same work in C++ is
vantor_bench_rate_json's BM_RateJsonFirstRun), a serial loop of vantor.rate over N coils,
rate_many over the same coils, and vantor-cli rate --batch over them as a schedule.

    PYTHONPATH=build/release/python /usr/bin/python3 bench/python/bench_module.py [N]

Run it with the build tree's package on PYTHONPATH; VANTOR_CLI names the program for the
schedule (default build/release/src/cli/vantor-cli).
"""

import csv
import os
import subprocess
import sys
import tempfile
import time

import numpy as np

import vantor


def best_of(runs, work):
    best = float("inf")
    for _ in range(runs):
        start = time.perf_counter()
        work()
        best = min(best, time.perf_counter() - start)
    return best


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 20000
    volumes = np.linspace(0.6, 3.6, count)
    inlets = np.linspace(60.0, 90.0, count)

    one = best_of(200, lambda: vantor.rate(air_volume=1.8, fluid_inlet=75))
    print(f"vantor.rate, one coil:            {one * 1e6:9.1f} µs  (compare vantor_bench_rate_json)")

    def serial():
        for v, t in zip(volumes.tolist(), inlets.tolist()):
            vantor.rate(air_volume=v, fluid_inlet=t)

    loop = best_of(1, serial)
    many = best_of(3, lambda: vantor.rate_many(air_volume=volumes, fluid_inlet=inlets))
    print(f"serial loop of vantor.rate, {count}: {loop:8.3f} s  ({loop / count * 1e6:.1f} µs/coil)")
    print(f"rate_many, {count}:                {many:8.3f} s  ({many / count * 1e6:.1f} µs/coil)")
    print(f"rate_many speed-up over the loop:  {loop / many:8.2f}x on {os.cpu_count()} cores")

    cli = os.environ.get("VANTOR_CLI", "build/release/src/cli/vantor-cli")
    if os.path.exists(cli):
        with tempfile.TemporaryDirectory() as folder:
            schedule = os.path.join(folder, "schedule.csv")
            with open(schedule, "w", newline="") as out:
                writer = csv.writer(out)
                writer.writerow(["air-volume", "fluid-inlet"])
                writer.writerows(zip((repr(v) for v in volumes.tolist()), (repr(t) for t in inlets.tolist())))
            batch = best_of(1, lambda: subprocess.run(
                [cli, "rate", "--batch", schedule, "--no-settings", "--out", os.path.join(folder, "out.csv")],
                check=False, capture_output=True))
            print(f"vantor-cli rate --batch, {count}:  {batch:8.3f} s  ({batch / count * 1e6:.1f} µs/line)")


if __name__ == "__main__":
    main()
