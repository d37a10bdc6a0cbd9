#!/usr/bin/env python3
"""Takes the README's screenshots of the real program under Wine.

usage: screenshots.py BUILD_DIR PREFIX_DIR OUTPUT_DIR"""

import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from harness import KEY_EDITOR, MAIN, MOUSE_EDITOR, Wine, centre, controls_by_name, windows_path  # noqa: E402

# A small macro: open the start menu, type a program name, confirm, wait, click and type.
MACRO = [
    ["模拟", "*", "*", "*", "*", "win"],
    ["延时", "*", "*", "*", "*", "1000毫秒"],
    ["键盘", "*", "*", "*", "*", "notepad"],
    ["模拟", "*", "*", "*", "*", "enter"],
    ["延时", "*", "*", "*", "*", "1000毫秒"],
    ["鼠标", "640", "400", "左键单击", "100", "*"],
    ["键盘", "*", "*", "*", "*", "你好，世界"],
    ["鼠标", "700", "420", "右键单击", "500", "*"],
]


def main():
    build, prefix, out = (Path(a).resolve() for a in sys.argv[1:4])
    wine = Wine(build, prefix, build / "e2e-runs")
    wine.open_session()
    try:
        exe = wine.install_program("screenshots")
        wine.start(exe)
        wine.wait_window(MAIN)

        def shoot(caption, name):
            wine.xdotool("mousemove", "--sync", "0", "0")  # no tooltip in the picture
            time.sleep(0.8)
            wine.screenshot(out / name, wine.window(caption)["outer"])

        shoot(MAIN, "main-window.png")
        toolbar = controls_by_name(wine.window(MAIN))["工具条_添加工具"]
        wine.click(*centre(toolbar["entries"][1]["screen"]))
        shoot(MAIN, "add-panel.png")
        wine.click_control(controls_by_name(wine.window(MAIN))["按钮_添加鼠标"])
        wine.wait_window(MOUSE_EDITOR)
        shoot(MOUSE_EDITOR, "mouse-editor.png")
        wine.click(*centre(toolbar["entries"][1]["screen"]))
        wine.click_control(controls_by_name(wine.window(MAIN))["按钮2"])
        wine.wait_window(KEY_EDITOR)
        shoot(KEY_EDITOR, "key-editor.png")

        wine.stop_programs()
        macro = exe.parent / "sample.qd"
        macro.write_bytes("".join("]]][[[".join(row) + "+++---" for row in MACRO).encode("gb18030"))
        wine.start(exe, windows_path(macro))
        wine.wait_window(MAIN)
        shoot(MAIN, "macro-loaded.png")
    finally:
        wine.shut_down()


if __name__ == "__main__":
    main()
