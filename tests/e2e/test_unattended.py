"""The unattended command line, as the Task Scheduler starts it: "/play FILE" plays the file into
other programs as F11 would and the program exits by itself, with an exit code that says how
the run ended; nothing waits for a person."""

import subprocess
import time
import unittest

from harness import MAIN, ProgramTest, wait_until, wine_command, windows_path
from test_component import Target
from test_playback import click_row, script

PASS_SECONDS = 0.2 + 0.2 + 0.2 + 1.0 + 0.2 + 0.2  # click, row, text, row, delay, row, pass


class UnattendedTest(ProgramTest):
    start_program_in_setup = False

    def play(self, *arguments):
        """Starts the program with the arguments; its standard error goes to a file."""
        self.errors = self.wine.runs / f"{self.id().rsplit('.', 1)[-1]}.stderr"
        with open(self.errors, "wb") as errors:
            process = subprocess.Popen(wine_command(self.exe, *arguments), env=self.wine.env, cwd=str(self.exe.parent),
                                       stdout=subprocess.DEVNULL, stderr=errors, stdin=subprocess.DEVNULL)
        self.wine.started.append(process)
        return process

    def standard_error(self):
        return self.errors.read_bytes().decode("utf-8", errors="replace")

    def macro(self, *rows):
        macro = self.exe.parent / "macro.qd"
        macro.write_bytes(script(*rows))
        return windows_path(macro)

    def target_macro(self, target):
        return self.macro(click_row(target.screen_point(150, 100)),
                          ["键盘", "*", "*", "*", "*", "ab"],
                          ["延时", "*", "*", "*", "*", "1000毫秒"])

    def caption(self):
        return self.controls()["按钮_运行"]["text"]

    def test_play_passes_as_f11_would_and_exits_0(self):
        target = Target(self.wine, "target", (900, 40, 300, 200))
        process = self.play("/PLAY", self.target_macro(target), "-count", "3", "/hide")
        self.assertTrue(self.wine.wait_window(MAIN, "exists"), "the main window was not made")
        shown = time.monotonic()
        # While it plays: the run button's caption, the count-down, the windows hidden.
        self.assertTrue(wait_until(lambda: self.caption() == "取消(F11)", 10))
        self.assertTrue(wait_until(lambda: self.controls()["编辑框_运行次数"]["text"] == "2", 10))
        self.assertTrue(self.controls()["选择框_影藏"]["checked"])
        self.assertFalse(self.wine.window(MAIN)["visible"])
        self.assertEqual(process.wait(timeout=3 * PASS_SECONDS + 15), 0)
        self.assertLess(time.monotonic() - shown, 3 * PASS_SECONDS + 5)
        clicks = target.events("WM_LBUTTONDOWN")
        self.assertEqual([(e["x"], e["y"]) for e in clicks], [(150, 100)] * 3)
        self.assertEqual("".join(chr(e["char"]) for e in target.events("WM_CHAR")), "ab" * 3)
        self.assertIn("执行完毕：3 次", self.standard_error())
        self.assertEqual(self.wine.dialogs("蓝豆程序集"), [])

    def test_f11_during_the_run_exits_1(self):
        process = self.play("/play", self.macro(["延时", "*", "*", "*", "*", "10秒"]), "/count", "2")
        self.assertTrue(self.wine.wait_window(MAIN))
        self.assertTrue(wait_until(lambda: self.caption() == "取消(F11)", 10))
        self.wine.key("F11")
        self.assertEqual(process.wait(timeout=5), 1)
        self.assertIn("执行已取消", self.standard_error())

    def test_a_file_with_nothing_to_play_exits_2_and_a_bad_line_4(self):
        target = Target(self.wine, "target", (900, 40, 300, 200))
        missing = windows_path(self.exe.parent / "missing.qd")
        self.assertEqual(self.play("/play", missing).wait(timeout=30), 2)
        self.assertIn("文件无法读取或其中没有命令，没有执行：" + missing, self.standard_error())
        self.assertEqual(self.play("/play", self.target_macro(target), "/count", "100001").wait(timeout=30), 4)
        self.assertIn("用法：landou.exe /play 文件 [/count 次数] [/hide]", self.standard_error())
        self.assertEqual(target.events("WM_LBUTTONDOWN"), [])

    def test_beside_an_open_copy_it_shows_no_message_and_plays(self):
        self.start_program()  # holds the hotkeys
        target = Target(self.wine, "target", (900, 40, 300, 200))
        second = self.wine.install_program("unattended-second-copy")
        self.exe = second
        process = self.play("/play", self.target_macro(target))
        self.assertEqual(process.wait(timeout=PASS_SECONDS + 20), 0)
        self.assertEqual(len(target.events("WM_LBUTTONDOWN")), 1)
        self.assertEqual(self.wine.dialogs("蓝豆程序集"), [])
        self.assertEqual(self.wine.probe("count", MAIN), 1)  # the first copy is still open


if __name__ == "__main__":
    unittest.main()
