#!/usr/bin/env python3
"""Start-up time under Wine, side by side with a minimal Win32 window program in the same
prefix and with one that adds the program's manifest and an empty list view: the median of
several starts to the shown main window, and to the end of start-up (the advertisement line shows
what the read of the notice page gave; the window answers messages sent to it during that read,
so an answer does not mark the end), with the notice server answering at once, with nothing
listening on its port, and with a server that never answers. Then where the time of a start
goes: the median moment of each start-up step (startup-trace.exe).

usage: startup.py BUILD_DIR PREFIX_DIR [RUNS]"""

import json
import shutil
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))  # the harness

from harness import MAIN, Wine  # noqa: E402
from notice_server import NoticeServer  # noqa: E402


def time_to(wine: Wine, exe: Path, *watch: str) -> float:
    """Seconds from the start of the program until a probe that is already watching when the
    program starts sees what it waits for (the probe says when, on the wall clock)."""
    watcher = subprocess.Popen(["wine", str(wine.bin / "probe.exe"), *watch], env=wine.env,
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
    time.sleep(1.0)  # the watcher is polling
    start = time.time()
    wine.start(exe)
    seen = json.loads(watcher.communicate(timeout=90)[0])
    if "at" not in seen:
        raise RuntimeError(f"{exe.name}: not seen {' '.join(watch)}")
    elapsed = seen["at"] / 1e6 - start
    wine.stop_programs()
    time.sleep(0.5)
    return elapsed


def start_up_steps(wine: Wine, folder: Path, runs: int) -> dict:
    """The moments of each start-up step over the runs, from startup-trace.exe started in the
    program's folder (where its first-start marker is)."""
    trace = folder / "startup-trace.exe"
    shutil.copy(wine.bin / "startup-trace.exe", trace)
    steps = {}
    for _ in range(runs):
        out = subprocess.run(["wine", str(trace)], env=wine.env, capture_output=True, text=True, timeout=120,
                             stdin=subprocess.DEVNULL, cwd=str(folder)).stdout
        for line in out.splitlines():
            moment, step = line.split(maxsplit=1)
            steps.setdefault(step, []).append(float(moment))
        time.sleep(0.5)
    return steps


def main():
    build, prefix = Path(sys.argv[1]).resolve(), Path(sys.argv[2]).resolve()
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 9
    wine = Wine(build, prefix, build / "e2e-runs")
    server = NoticeServer()
    shown = ("wait", MAIN, "shown", "60000")
    started = ("changed", MAIN, "透明标签3", "蓝豆程序集", "60000")  # the advertisement line's caption of creation
    wine.open_session()
    try:
        program = wine.install_program("bench-startup")
        online = wine.install_program("bench-startup-online", program=wine.online_program)
        minimal = wine.bin / "minimal.exe"
        cases = {
            "minimal.exe, shown": (minimal, ("wait", "minimal", "shown", "60000"), None),
            "minimal-list-view.exe, shown": (wine.bin / "minimal-list-view.exe", ("wait", "minimal", "shown", "60000"), None),
            "landou.exe, shown": (program, shown, None),
            "landou.exe, started (no network)": (program, started, None),
            "online build, server answers: shown": (online, shown, "page"),
            "online build, server answers: started": (online, started, "page"),
            "online build, nothing listens: started": (online, started, "off"),
            "online build, server never answers: started": (online, started, "silent"),
        }
        times = {name: [] for name in cases}
        for _ in range(runs):
            for name, (exe, watch, behaviour) in cases.items():
                if behaviour and behaviour != "off":
                    server.start()
                    server.serve("鼠键广告[蓝豆]链接[http://landou.test/]".encode("gbk"), behaviour)
                times[name].append(time_to(wine, exe, *watch))
                server.stop()
        steps = start_up_steps(wine, program.parent, runs)
    finally:
        server.stop()
        wine.shut_down()
    medians = {name: statistics.median(values) for name, values in times.items()}
    for name, values in times.items():
        print(f"{name:46} median {medians[name] * 1000:6.0f} ms   runs: " + " ".join(f"{v * 1000:.0f}" for v in values))
    for baseline in ("minimal.exe", "minimal-list-view.exe"):
        print(f"ratio landou.exe / {baseline} (shown): {medians['landou.exe, shown'] / medians[baseline + ', shown']:.2f}")
    print("the steps of a start, median milliseconds since the process was created:")
    for step, moments in steps.items():
        print(f"  {statistics.median(moments):8.1f}  {step}")
    print(f"landou.exe size: {(build / 'bin' / 'landou.exe').stat().st_size} bytes")


if __name__ == "__main__":
    main()
