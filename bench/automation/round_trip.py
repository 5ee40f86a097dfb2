#!/usr/bin/env python3
"""Round trip of a python3-dbus client to the automation server: a property put, Solve and a
get of Qt, timed one by one.

    round_trip.py VANTOR [COUNT]

Runs itself inside dbus-run-session with private settings folders, starts "vantor
-automation" (offscreen), warms up, times COUNT round trips (default 1000) and prints the
median, the 90th percentile and the mean, beside three gets that do no work (the cost of the
bus and of the client alone); the program ends when the object is released.
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

SERVICE = "com.korvane.Vantor"
THERMACOIL = "com.korvane.Vantor.IThermacoil"


def measure(vantor, count):
    import dbus
    env = dict(os.environ, VANTOR_AUTOMATION_IDLE_SECONDS="30")
    server = subprocess.Popen([vantor, "-automation"], env=env)
    try:
        bus = dbus.SessionBus()
        deadline = time.monotonic() + 30
        while not bus.name_has_owner(SERVICE):
            if time.monotonic() > deadline or server.poll() is not None:
                raise SystemExit("vantor did not take the service name")
            time.sleep(0.05)
        factory = dbus.Interface(bus.get_object(SERVICE, "/Thermacoil"), "com.korvane.Vantor.ThermacoilFactory")
        path = factory.CreateInstance()
        obj = bus.get_object(SERVICE, path)
        props = dbus.Interface(obj, "org.freedesktop.DBus.Properties")
        coil = dbus.Interface(obj, THERMACOIL)
        props.Set(THERMACOIL, "Model", "544 720 4r 12f 7c")

        def round_trip(i):
            props.Set(THERMACOIL, "WaterOn", dbus.Double(80.0 + (i % 2)))
            coil.Solve()
            return props.Get(THERMACOIL, "Qt")

        def three_gets(i):
            for _ in range(3):
                props.Get(THERMACOIL, "Qt")

        for i in range(50):
            round_trip(i)
        times = timed(round_trip, count)
        # The same three calls doing no work: what the bus and the client cost.
        baseline = timed(three_gets, count)
        factory.Release(path)
        server.wait(timeout=15)
    finally:
        if server.poll() is None:
            server.kill()
            server.wait()
    print(f"automation round trip, {count} runs from python3-dbus:")
    report("put WaterOn, Solve, get Qt", times)
    report("three gets of Qt (bus and client alone)", baseline)


def timed(action, count):
    times = []
    for i in range(count):
        start = time.perf_counter()
        action(i)
        times.append(time.perf_counter() - start)
    return sorted(times)


def report(name, times):
    ms = 1000.0
    print(f"  {name}: median {statistics.median(times) * ms:.3f} ms   p90 {times[int(0.9 * len(times))] * ms:.3f} ms"
          f"   mean {statistics.mean(times) * ms:.3f} ms   min {times[0] * ms:.3f} ms")


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    vantor = os.path.abspath(sys.argv[1])
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 1000
    if os.environ.get("VANTOR_BENCH_INNER") == "1":
        measure(vantor, count)
        return 0
    root = tempfile.mkdtemp(prefix="vantor-bench.")
    try:
        env = dict(os.environ, VANTOR_BENCH_INNER="1", QT_QPA_PLATFORM="offscreen",
                   XDG_CONFIG_HOME=os.path.join(root, "config"), XDG_DATA_HOME=os.path.join(root, "data"))
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        return subprocess.run(["dbus-run-session", "--", sys.executable, __file__, vantor, str(count)],
                              env=env, timeout=600).returncode
    finally:
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
