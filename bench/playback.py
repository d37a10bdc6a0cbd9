#!/usr/bin/env python3
"""Playback timing under Wine.

1. A list of clicking rows (delays 0, 15 and 100 ms in turn) played for several passes: the
   error of every automation call against its place on the ideal timeline (the sum of the
   specified waits before it, counted from the first call), at the moment the program issued
   it and at the moment the target window received it (clicks); and the drift, the last
   call's error; and, as issued, against the timeline as a call that returned beyond the 3 ms
   allowance after its due moment moves it (what is left is the program's own error). As the program waits, and side by side with
   each wait as long as specified from its own start (precisely, and with a plain Sleep).
2. The same list played while two busy loops at a higher priority than Wine's share both
   processors: the gaps between each row's move and its click (specified: 200 ms) as the
   program issued the calls and as the target window read them (a starved target reads some
   late, which shows even beside plain Sleep), the shortest and how many fell under 200 ms less
   the 3 ms allowance, and the drift; for the program and for plain Sleep waits in the same run.
3. The latency from an F11 press to the player's first automation call (a move onto the
   target window), side by side with a bare program that moves the cursor on its own F11.

usage: playback.py BUILD_DIR PREFIX_DIR [ROWS [PASSES [LOADED_PASSES]]]
(ROWS 0: only the F11 latency; PASSES 0: no quiet passes)"""

import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))  # the harness

import harness  # noqa: E402
from harness import MAIN, Wine, wait_until, windows_path  # noqa: E402
from test_component import Target  # noqa: E402

ROW_PAUSE = CLICK_PAUSE = PASS_PAUSE = 200
DELAYS = (0, 15, 100)
WAITS = (("waits of the program", "timeline"), ("each wait from its start", "relative"), ("plain Sleep waits", "sleep"))


def script(rows):
    return "".join("]]][[[".join(row) + "+++---" for row in rows).encode("gb18030")


def percentile(values, fraction):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(fraction * (len(ordered) - 1))))]


def ideal_timeline(rows, passes):
    """The ideal moment in ms of every call (a move, then its click), from the run's start."""
    moments, clock = [], 0
    for _ in range(passes):
        for row in rows:
            clock += int(row[4])
            moments.append(clock)
            clock += CLICK_PAUSE
            moments.append(clock)
            clock += ROW_PAUSE
        clock += PASS_PAUSE
    return moments


def errors_against(ideal, actual):
    """Each moment's error in ms against its ideal place, both counted from their first."""
    return [(a - actual[0]) / 1000 - (i - ideal[0]) for i, a in zip(ideal, actual)]


def shifted_timeline(ideal, issued, returned, allowance=3000):
    """The moment in µs each call is due by the program's rule: the ideal waits between calls,
    counted from the due moment of the call before, except that a call that returned later than
    the allowance after its due moment (late for any reason) moves the timeline to its return.
    Against this, an error is the program's own; the rest is lateness that no wait made up."""
    due = [issued[0]]
    for i in range(1, len(ideal)):
        start = returned[i - 1] if returned[i - 1] - due[-1] > allowance else due[-1]
        due.append(start + (ideal[i] - ideal[i - 1]) * 1000)
    return due


def move_click_gaps(events):
    """Milliseconds from each click back to the first mouse move at its point since the click
    before, as the window received them."""
    gaps, moves = [], []
    for e in events:
        if e["event"] == "WM_MOUSEMOVE":
            moves.append(e)
        elif e["event"] in ("WM_LBUTTONDOWN", "WM_LBUTTONDBLCLK"):
            moved = next((m["t"] for m in moves if (m["x"], m["y"]) == (e["x"], e["y"])), None)
            if moved is not None:
                gaps.append((e["t"] - moved) / 1000)
            moves = []
    return gaps


def play(wine, target, rows, passes, waits):
    """Plays the rows with bench-playback.exe; the errors of the calls as issued and as received,
    the errors of the calls as issued against the timeline as the allowance shifts it, the
    calls' durations, and the move-to-click gaps as received."""
    listing, log = wine.runs / "bench-playback.qd", wine.runs / "bench-playback-calls.log"
    listing.write_bytes(script(rows))
    log.unlink(missing_ok=True)
    seen = len(target.events())
    subprocess.run(["wine", str(wine.bin / "bench-playback.exe"), waits, windows_path(listing), str(passes),
                    windows_path(log)], env=wine.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   stdin=subprocess.DEVNULL, timeout=3600, cwd=str(wine.runs))
    calls = [line.split() for line in log.read_text().splitlines()]
    issued = [int(call[0]) for call in calls]
    returned = [int(call[1]) for call in calls]
    durations = [(r - i) / 1000 for i, r in zip(issued, returned)]
    ideal = ideal_timeline(rows, passes)
    if len(issued) != len(ideal):
        raise RuntimeError(f"{len(issued)} calls were made for {len(ideal)}")
    events = target.events()[seen:]
    clicks = [e["t"] for e in events if e["event"] in ("WM_LBUTTONDOWN", "WM_LBUTTONDBLCLK")]
    if len(clicks) != len(ideal) // 2:
        raise RuntimeError(f"{len(clicks)} clicks arrived for {len(ideal) // 2}")
    shifted = [(i - d) / 1000 for i, d in zip(issued, shifted_timeline(ideal, issued, returned))]
    issued_gaps = [(int(click[0]) - int(move[0])) / 1000 for move, click in zip(calls[0::2], calls[1::2])]
    gaps = {"issued": issued_gaps, "received": move_click_gaps(events)}
    return errors_against(ideal, issued), errors_against(ideal[1::2], clicks), shifted, durations, gaps


class BusyLoops:
    """Two loops that keep both processors busy at a higher priority than Wine's processes."""

    def __enter__(self):
        self.loops = [subprocess.Popen(["nice", "-n", "-10", "python3", "-c", "while True: pass"]) for _ in range(2)]
        return self

    def __exit__(self, *_):
        for loop in self.loops:
            loop.kill()
            loop.wait()


def report(name, errors):
    magnitudes = [abs(e) for e in errors]
    print(f"{name:26} median |error| {statistics.median(magnitudes):6.2f} ms   99th percentile {percentile(magnitudes, 0.99):7.2f} ms"
          f"   drift {errors[-1]:+8.2f} ms   ({len(errors)} calls)")


def f11_latencies(wine, target, point, presses=20):
    """Milliseconds from an F11 press to the cursor's arrival on the point, seen by the target
    window as the mouse move there (a target that polled the cursor would load the X server
    that both programs' calls go through); a second F11 after each (the program's cancel)."""
    inside = (point[0] - target.client[0], point[1] - target.client[1])

    def arrived(e):
        return e["event"] == "WM_MOUSEMOVE" and (e["x"], e["y"]) == inside

    latencies = []
    for _ in range(presses):
        wine.click(*target.screen_point(200, 150))  # the target has the focus: it sees the marker key
        wine.xdotool("mousemove", "--sync", "5", "5")
        time.sleep(0.5)
        seen = len(target.events())
        wine.xdotool("key", "--delay", "0", "F12", "F11")  # F12 marks the moment in the target's log
        wait_until(lambda: any(arrived(e) for e in target.events()[seen:]), 10)
        wine.xdotool("key", "F11")
        time.sleep(0.3)
        events = target.events()[seen:]
        pressed = next(e["t"] for e in events if e["event"] == "WM_KEYDOWN" and e["vk"] == 0x7B)
        moved = next(e["t"] for e in events if arrived(e))
        latencies.append((moved - pressed) / 1000)
    return latencies


def program_f11_latencies(wine, target, point):
    """The program with a one-row list, a move onto the point, and a long run count (each press
    starts a run that the next one cancels)."""
    exe = wine.install_program("bench-f11")
    listing = exe.parent / "first-move.qd"
    listing.write_bytes(script([["鼠标", str(point[0]), str(point[1]), "移动到此", "0", "*"]]))
    wine.start(exe, windows_path(listing))
    wine.wait_window(MAIN)
    run_count = harness.controls_by_name(wine.window(MAIN))["编辑框_运行次数"]
    wine.click(*harness.centre(run_count["screen"]))
    wine.key("ctrl+a", "BackSpace")
    wine.type("1000")
    try:
        return f11_latencies(wine, target, point)
    finally:
        wine.kill_in_prefix("landou.exe")


def baseline_f11_latencies(wine, target, point):
    wine.start(wine.bin / "hotkey-baseline.exe", *map(str, point))
    time.sleep(1)
    try:
        return f11_latencies(wine, target, point)
    finally:
        wine.kill_in_prefix("hotkey-baseline.exe")


def report_latencies(name, latencies):
    print(f"F11 to the cursor on its point, {name:18} median {statistics.median(latencies):6.2f} ms, "
          f"maximum {max(latencies):6.2f} ms ({len(latencies)} presses)")


def main():
    build, prefix = Path(sys.argv[1]).resolve(), Path(sys.argv[2]).resolve()
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 60
    passes = int(sys.argv[4]) if len(sys.argv) > 4 else 10
    loaded_passes = int(sys.argv[5]) if len(sys.argv) > 5 else 3
    wine = Wine(build, prefix, build / "e2e-runs")
    harness.SESSION = wine
    wine.open_session()
    try:
        wine.register_component()  # this build's, in case an earlier one is installed
        place = (700, 100, 400, 300)
        target = Target(wine, "bench-playback", place) if count else None
        if count:
            # Two points far apart in turn, so that no two clicks make a double click.
            points = [target.screen_point(60, 60), target.screen_point(300, 220)]
            rows = [["鼠标", str(points[i % 2][0]), str(points[i % 2][1]), "左键单击", str(DELAYS[i % 3]), "*"]
                    for i in range(count)]
            if passes:
                print(f"{count} clicking rows, delays {', '.join(map(str, DELAYS))} ms in turn, {passes} passes; error of"
                      " every call against the ideal timeline:")
        for name, waits in WAITS if count and passes else ():
            issued, received, shifted, durations, _ = play(wine, target, rows, passes, waits)
            report(name + ", issued", issued)
            report("  received (clicks)", received)
            if waits == "timeline":  # the emulated waits keep no timeline to shift
                report("  issued, lateness shifts", shifted)
            print(f"  the calls took median {statistics.median(durations):.2f} ms, 99th percentile "
                  f"{percentile(durations, 0.99):.2f} ms, maximum {max(durations):.2f} ms; "
                  f"{sum(d > 3 for d in durations)} over the 3 ms allowance")
        if count and loaded_passes:
            print(f"The same rows, {loaded_passes} passes, with two busy loops at nice -10 on both processors;"
                  f" gaps between each move and its click as received (specified {CLICK_PAUSE} ms):")
        for name, waits in WAITS[::2] if count and loaded_passes else ():
            with BusyLoops():
                issued, received, _, _, gaps = play(wine, target, rows, loaded_passes, waits)
            for seen, values in gaps.items():
                short = sum(g < CLICK_PAUSE - 3 for g in values)
                print(f"{name + ', ' + seen:34} shortest gap {min(values):7.2f} ms   {short} of {len(values)} under"
                      f" {CLICK_PAUSE - 3} ms")
            print(f"{'':34} drift issued {issued[-1]:+8.2f} ms, received {received[-1]:+8.2f} ms")
        wine.kill_in_prefix("target.exe")  # a fresh log
        target = Target(wine, "bench-f11", place)
        point = target.screen_point(40, 40)
        report_latencies("bare program", baseline_f11_latencies(wine, target, point))
        report_latencies("the program", program_f11_latencies(wine, target, point))
    finally:
        wine.shut_down()


if __name__ == "__main__":
    main()
