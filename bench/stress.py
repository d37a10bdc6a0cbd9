#!/usr/bin/env python3
"""The program under faults at length (scripts/stress.sh): F11 pressed over and over at random
intervals while a macro plays, and F11 or the close box during a call that hangs; the runs
themselves are the end-to-end tests' (tests/e2e/faults.py).

usage: stress.py BUILD_DIR PREFIX_DIR f11 [PRESSES] | hung [TIMES]"""

import json
import statistics
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))

import harness  # noqa: E402
from faults import cancel_during_hung_call, exit_during_hung_call, f11_presses  # noqa: E402


def main():
    build, prefix, mode = Path(sys.argv[1]).resolve(), Path(sys.argv[2]).resolve(), sys.argv[3]
    count = int(sys.argv[4]) if len(sys.argv) > 4 else None
    wine = harness.Wine(build, prefix, build / "e2e-runs")
    harness.SESSION = wine
    wine.open_session()
    ok = True
    try:
        if mode == "f11":
            result = f11_presses(wine, count or 1000)
            print(json.dumps(result, ensure_ascii=False))
            ok = result["alive"] and result["settled"] and result["overlaps"] == 0 and result["keys down"] == []
        elif mode == "hung":
            cancels, exits = [], []
            for i in range(count or 5):
                wine.stop_programs()
                cancels.append(cancel_during_hung_call(wine, f"hung-cancel-{i}"))
                wine.stop_programs()
                exits.append(exit_during_hung_call(wine, f"hung-exit-{i}"))
            for result in cancels + exits:
                print(json.dumps(result, ensure_ascii=False))
            latencies = [c["cancel ms"] for c in cancels if c["cancel ms"] is not None]
            print(f"cancel during a hung call: median {statistics.median(latencies):.1f} ms, maximum {max(latencies):.1f} ms"
                  f" ({len(latencies)} of {len(cancels)} seen); exit: maximum {max(e['exit seconds'] for e in exits):.2f} s,"
                  f" crash reports {sum(e['crash report'] for e in exits)}")
            ok = len(latencies) == len(cancels) and all(c["answers"] for c in cancels) and \
                all(e["exit code"] == 0 and not e["crash report"] for e in exits)
        else:
            print(__doc__)
            return 2
    finally:
        wine.stop_programs()
        wine.register_component()
        wine.shut_down()
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
