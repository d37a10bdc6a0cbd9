#!/usr/bin/env python3
"""Playback timing under Wine.

1. A list of clicking rows (delays 0, 15 and 100 ms in turn) played into a target window that
   stamps every click with the performance counter; the error of every interval between two
   clicks against the specified time (the row pause + the row's delay + the pause before the
   click), as the program waits and, side by side, with a plain Sleep-based wait.
2. The latency from an F11 press to the player's first automation call (a move onto the
   target window).

usage: bench_playback.py BUILD_DIR PREFIX_DIR [ROWS]"""

import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

import harness  # noqa: E402
from harness import MAIN, Wine, wait_until, windows_path  # noqa: E402
from test_component import Target  # noqa: E402

ROW_PAUSE = CLICK_PAUSE = 200
DELAYS = (0, 15, 100)


def script(rows):
    return "".join("]]][[[".join(row) + "+++---" for row in rows).encode("gb18030")


def percentile(values, fraction):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(fraction * (len(ordered) - 1))))]


def interval_errors(wine, target, rows, waits):
    """Plays the rows with bench-playback.exe; the error in ms of every interval between clicks."""
    listing = wine.runs / "bench-playback.qd"
    listing.write_bytes(script(rows))
    subprocess.run(["wine", str(wine.bin / "bench-playback.exe"), waits, windows_path(listing)], env=wine.env,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, timeout=600,
                   cwd=str(wine.runs))
    clicks = [e["t"] for e in target.events("WM_LBUTTONDOWN", "WM_LBUTTONDBLCLK")][-len(rows):]
    if len(clicks) != len(rows):
        raise RuntimeError(f"{len(clicks)} clicks arrived for {len(rows)} rows")
    errors = []
    for i in range(1, len(rows)):
        specified = ROW_PAUSE + int(rows[i][4]) + CLICK_PAUSE
        errors.append((clicks[i] - clicks[i - 1]) / 1000 - specified)
    return errors


def wait_errors(target, rows):
    """The same intervals without the automation calls' own time: from a click to the next
    row's first cursor move (the row pause and the delay), and from that row's last cursor move
    (the move ends there) to its click (the pause before the click)."""
    events = [e for e in target.events("WM_MOUSEMOVE", "WM_LBUTTONDOWN", "WM_LBUTTONDBLCLK")]
    clicks = [i for i, e in enumerate(events) if e["event"] != "WM_MOUSEMOVE"][-len(rows):]
    errors = []
    for n in range(1, len(clicks)):
        moves = [e for e in events[clicks[n - 1] + 1:clicks[n]]]
        if not moves:
            continue
        click, previous = events[clicks[n]]["t"], events[clicks[n - 1]]["t"]
        first_move, last_move = moves[0]["t"], moves[-1]["t"]
        specified = ROW_PAUSE + int(rows[n][4]) + CLICK_PAUSE
        errors.append(((first_move - previous) + (click - last_move)) / 1000 - specified)
    return errors


def report(name, errors):
    magnitudes = [abs(e) for e in errors]
    print(f"{name:22} median {statistics.median(errors):+6.2f} ms   99th percentile {percentile(magnitudes, 0.99):6.2f} ms"
          f"   maximum {max(magnitudes):6.2f} ms   ({len(errors)} intervals)")


def f11_latencies(wine, target, runs=10):
    """Milliseconds from an F11 press to the run's first call, a move of the cursor (seen by the
    target's watch on the cursor position)."""
    point = target.screen_point(40, 40)
    exe = wine.install_program("bench-f11")
    listing = exe.parent / "first-move.qd"
    listing.write_bytes(script([["鼠标", str(point[0]), str(point[1]), "移动到此", "0", "*"]]))
    wine.start(exe, windows_path(listing))
    wine.wait_window(MAIN)
    run_count = harness.controls_by_name(wine.window(MAIN))["编辑框_运行次数"]
    wine.click(*harness.centre(run_count["screen"]))
    wine.key("ctrl+a", "BackSpace")
    wine.type("1000")  # each press starts a long run, which the next F11 cancels
    latencies = []
    for _ in range(runs):
        wine.click(*target.screen_point(200, 150))  # the target has the focus: it sees the marker key
        wine.xdotool("mousemove", "--sync", "5", "5")
        time.sleep(0.5)
        seen = len(target.events())
        wine.xdotool("key", "--delay", "0", "F12", "F11")  # F12 marks the moment in the target's log
        wait_until(lambda: any(e["event"] == "cursor" and (e["x"], e["y"]) == point
                               for e in target.events()[seen:]), 10)
        wine.xdotool("key", "F11")
        time.sleep(0.3)
        events = target.events()[seen:]
        pressed = next(e["t"] for e in events if e["event"] == "WM_KEYDOWN" and e["vk"] == 0x7B)
        moved = next(e["t"] for e in events if e["event"] == "cursor" and (e["x"], e["y"]) == point)
        latencies.append((moved - pressed) / 1000)
    return latencies


def main():
    build, prefix = Path(sys.argv[1]).resolve(), Path(sys.argv[2]).resolve()
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 60
    wine = Wine(build, prefix, build / "e2e-runs")
    harness.SESSION = wine
    wine.open_session()
    try:
        wine.register_component()  # this build's, in case an earlier one is installed
        target = Target(wine, "bench-playback", (700, 100, 400, 300, "cursor"))
        # Two points far apart in turn, so that no two clicks make a double click.
        points = [target.screen_point(60, 60), target.screen_point(300, 220)]
        rows = [["鼠标", str(points[i % 2][0]), str(points[i % 2][1]), "左键单击", str(DELAYS[i % 3]), "*"]
                for i in range(count)]
        print(f"{count} clicking rows, delays {', '.join(map(str, DELAYS))} ms in turn; error of each interval"
              " between two clicks against the specified time:")
        for name, waits in (("waits of the program", "precise"), ("plain Sleep waits", "sleep")):
            report(name, interval_errors(wine, target, rows, waits))
            report("  without the calls", wait_errors(target, rows))
        latencies = f11_latencies(wine, target)
        print(f"F11 to the first automation call: median {statistics.median(latencies):.1f} ms, "
              f"maximum {max(latencies):.1f} ms ({len(latencies)} presses)")
    finally:
        wine.shut_down()


if __name__ == "__main__":
    main()
