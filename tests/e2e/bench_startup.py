#!/usr/bin/env python3
"""Start-up time to a shown main window under Wine, side by side with a minimal Win32 window
program in the same prefix: the median of several starts of each, and their ratio.

usage: bench_startup.py BUILD_DIR PREFIX_DIR [RUNS]"""

import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from harness import MAIN, Wine  # noqa: E402


def time_to_window(wine: Wine, exe: Path, caption: str) -> float:
    """Seconds from the start of the program to its window showing, seen by a probe that is
    already polling when the program starts."""
    watcher = subprocess.Popen(["wine", str(wine.bin / "probe.exe"), "wait", caption, "shown", "60000"], env=wine.env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
    time.sleep(1.0)  # the watcher is polling
    start = time.monotonic()
    wine.start(exe)
    watcher.wait(timeout=90)
    elapsed = time.monotonic() - start
    wine.stop_programs()
    time.sleep(0.5)
    return elapsed


def main():
    build, prefix = Path(sys.argv[1]).resolve(), Path(sys.argv[2]).resolve()
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 9
    wine = Wine(build, prefix, build / "e2e-runs")
    wine.open_session()
    try:
        program = wine.install_program("bench-startup")
        (program.parent / "kv3170").touch()  # not a first start
        minimal = wine.bin / "minimal.exe"
        times = {"landou.exe": [], "minimal.exe": []}
        for _ in range(runs):
            times["landou.exe"].append(time_to_window(wine, program, MAIN))
            times["minimal.exe"].append(time_to_window(wine, minimal, "minimal"))
    finally:
        wine.shut_down()
    medians = {name: statistics.median(values) for name, values in times.items()}
    for name, values in times.items():
        print(f"{name:12} median {medians[name] * 1000:6.0f} ms   runs: " + " ".join(f"{v * 1000:.0f}" for v in values))
    print(f"ratio landou.exe / minimal.exe: {medians['landou.exe'] / medians['minimal.exe']:.2f}")
    print(f"landou.exe size: {(build / 'bin' / 'landou.exe').stat().st_size} bytes")


if __name__ == "__main__":
    main()
