#!/usr/bin/env python3
"""Figures of the automation component under Wine: the size of qdauto.dll, and the time of one
MoveTo call through IDispatch by name (GetIDsOfNames and Invoke every time), timed inside
component-client.exe over many calls.

usage: component.py BUILD_DIR PREFIX_DIR [CALLS]"""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))  # the harness

from harness import Wine  # noqa: E402


def main():
    build, prefix = Path(sys.argv[1]).resolve(), Path(sys.argv[2]).resolve()
    calls = int(sys.argv[3]) if len(sys.argv) > 3 else 5000
    wine = Wine(build, prefix, build / "e2e-runs")
    wine.open_session()
    try:
        if wine.register_component() != 0:
            sys.exit("regsvr32 could not register qdauto.dll")
        [figures] = wine.client(["bench", str(calls)], timeout=600)
    finally:
        wine.shut_down()
    print(f"qdauto.dll size: {(build / 'bin' / 'qdauto.dll').stat().st_size} bytes")
    print(f"MoveTo by name through IDispatch: median {figures['medianMicroseconds']:.1f} us, "
          f"90th percentile {figures['p90Microseconds']:.1f} us over {figures['calls']} calls "
          f"({figures['failures']} failed)")


if __name__ == "__main__":
    main()
