#!/usr/bin/env python3
"""Stress of the data file reader: large files of bad or plentiful content, each read into the
real main window's list by bench-script.exe in a process of its own (WINEPREFIX and DISPLAY
set by the caller). Prints the rows read, the time and the peak memory of each.

usage: badfiles.py BUILD_DIR [MEGABYTES]"""

import os
import subprocess
import sys
from pathlib import Path

RECORD = "鼠标]]][[[640]]][[[400]]][[[左键单击]]][[[100]]][[[*+++---".encode("gb18030")


def kinds(size):
    """(name, bytes of about `size`) for every kind of file."""
    yield "random bytes", os.urandom(size)
    yield "record separators only", b"+++---" * (size // 6)
    yield "field separators only", b"]]][[[" * (size // 6)
    yield "lead bytes only (no trail byte at the end)", b"\x81" * size
    yield "zero bytes after one record", RECORD + b"\0" * size
    yield "a valid list", RECORD * (size // len(RECORD))


def main():
    build = Path(sys.argv[1]).resolve()
    size = int(sys.argv[2] if len(sys.argv) > 2 else 64) * 1000 * 1000
    path = build / "bench-badfile.qd"
    try:
        for name, data in kinds(size):
            path.write_bytes(data)
            result = subprocess.run(["wine", str(build / "bin" / "bench-script.exe"), "load", "Z:" + str(path).replace("/", "\\")],
                                    capture_output=True, text=True, timeout=900)
            print(f"{name:45} {len(data) / 1e6:6.1f} MB: {result.stdout.strip() or 'FAILED ' + result.stderr[-300:]}")
    finally:
        path.unlink(missing_ok=True)


if __name__ == "__main__":
    main()
