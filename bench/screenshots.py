#!/usr/bin/env python3
"""Takes the README's screenshots of the real program under Wine.

usage: screenshots.py BUILD_DIR PREFIX_DIR OUTPUT_DIR"""

import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))  # the harness

from harness import KEY_EDITOR, MAIN, MOUSE_EDITOR, Wine, centre, controls_by_name, wait_until, windows_path  # noqa: E402
from notice_server import NoticeServer  # noqa: E402

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
    server = NoticeServer()
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

        # The panels, in the build that reads its notice page from a server of ours.
        wine.stop_programs()
        server.start()
        server.serve("鼠键广告[蓝豆键盘鼠标模拟器 新版发布]链接[http://landou.test/]".encode("gbk"))
        wine.start(wine.install_program("screenshots-online", program=wine.online_program))
        wine.wait_window(MAIN)
        controls = lambda: controls_by_name(wine.window(MAIN))
        wine.click(*centre(toolbar["entries"][10]["screen"]))
        wait_until(lambda: controls()["分组框_程序帮助"]["place"][:2] == [0, 23])
        shoot(MAIN, "help-panel.png")
        label = controls()["标签_查看视屏演示"]["screen"]
        wine.click(label[0] + 20, label[1] + 8)
        wait_until(lambda: controls()["分组框_视频演示"]["place"][:2] == [0, 0])
        shoot(MAIN, "video-panel.png")
    finally:
        server.stop()
        wine.shut_down()


if __name__ == "__main__":
    main()
