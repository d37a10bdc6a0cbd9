#!/usr/bin/env python3
"""CPU time of the program while nothing runs: started, left alone until its start-up is over,
then the processor time that its process used over the given seconds; beside the minimal
window program, measured the same way in the same run.

usage: idle.py BUILD_DIR PREFIX_DIR [SECONDS]"""

import os
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))  # the harness

from harness import MAIN, Wine  # noqa: E402


def cpu_seconds(pid: int) -> float:
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")  # user and system time


def idle_cpu(wine: Wine, exe: Path, caption: str, seconds: float) -> float:
    wine.start(exe)
    try:
        if not wine.wait_window(caption, seconds=60):
            raise RuntimeError(f"{exe.name} did not show its window")
        wine.answers(caption)
        time.sleep(5)  # the end of start-up, the first paints
        [pid] = wine.processes_in_prefix(exe.name.lower())
        before = cpu_seconds(pid)
        time.sleep(seconds)
        return cpu_seconds(pid) - before
    finally:
        wine.stop_programs()


def main():
    build, prefix = Path(sys.argv[1]).resolve(), Path(sys.argv[2]).resolve()
    seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 60
    wine = Wine(build, prefix, build / "e2e-runs")
    wine.open_session()
    try:
        for name, exe, caption in (("minimal.exe", wine.bin / "minimal.exe", "minimal"),
                                   ("landou.exe", wine.install_program("bench-idle"), MAIN)):
            print(f"{name:12} CPU time over {seconds:.0f} idle seconds: {idle_cpu(wine, exe, caption, seconds):.2f} s")
    finally:
        wine.shut_down()


if __name__ == "__main__":
    main()
