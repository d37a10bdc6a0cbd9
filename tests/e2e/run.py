#!/usr/bin/env python3
"""Runs the end-to-end tests against a Windows build under Wine, on the current X display.

usage: run.py BUILD_DIR PREFIX_DIR [test name patterns...]
Prints one line per test and ends with "N passed, M failed"."""

import sys
import time
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

import harness  # noqa: E402


class Result(unittest.TextTestResult):
    def startTest(self, test):
        self._started = time.monotonic()
        super().startTest(test)

    def addSuccess(self, test):
        super().addSuccess(test)
        self.stream.write(f"  ({time.monotonic() - self._started:.1f} s)\n")


def main():
    build, prefix = Path(sys.argv[1]).resolve(), Path(sys.argv[2]).resolve()
    harness.SESSION = harness.Wine(build, prefix, build / "e2e-runs")
    loader = unittest.TestLoader()
    if len(sys.argv) > 3:
        loader.testNamePatterns = [f"*{p}*" for p in sys.argv[3:]]
    suite = loader.discover(str(HERE), pattern="test_*.py")
    harness.SESSION.open_session()
    try:
        result = unittest.TextTestRunner(stream=sys.stdout, verbosity=2, resultclass=Result).run(suite)
    finally:
        harness.SESSION.shut_down()
    # A test fails once, however many of its subtests failed.
    failed = len({getattr(test, "test_case", test).id() for test, _ in result.failures + result.errors})
    passed = result.testsRun - failed - len(result.skipped)
    print(f"end-to-end: {passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
